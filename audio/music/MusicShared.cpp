// The words the window's thread writes for the music thread: single atomic words, read relaxed;
// a stale read only delays a change by one pass.
#include "audio/music/MusicShared.h"

#include <atomic>

#include "audio/Audio.h"
#include "audio/music/MusicThread.h"

namespace {

// Until the preferences are copied in, the words hold a new player's defaults: all music, every
// song. Whether music may play at all still comes with each track request.
std::atomic<int> musicEnabled{1};
std::atomic<bool> songEnabled[kMusicSongCount] = {true, true, true, true, true, true};
std::atomic<bool> appActive{true};

}  // namespace

void MusicSetAppActive(bool active) {
  appActive.store(active, std::memory_order_relaxed);
}

void MusicSyncPreferences(std::int32_t enabled, const std::int32_t songs[6]) {
  musicEnabled.store(enabled, std::memory_order_relaxed);
  for (int i = 0; i < kMusicSongCount; ++i)
    songEnabled[i].store(songs != nullptr && songs[i] != 0, std::memory_order_relaxed);
}

MusicInputs ReadMusicInputs() {
  MusicInputs in;
  in.allowed = MusicAllowed();
  in.track = static_cast<int>(RequestedTrack());
  in.musicEnabled = musicEnabled.load(std::memory_order_relaxed);
  for (int i = 0; i < kMusicSongCount; ++i)
    in.songs[static_cast<std::size_t>(i)] = songEnabled[i].load(std::memory_order_relaxed);
  in.appActive = appActive.load(std::memory_order_relaxed);
  return in;
}
