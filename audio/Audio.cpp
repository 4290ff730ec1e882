// The shared words between the window's thread and the music thread, and the sound-effect entry
// point. The device itself is opened by the audio back end; until then nothing sounds.
#include "audio/Audio.h"

#include <atomic>

#include "persist/Preferences.h"

namespace {

std::atomic<bool> audioReady{false};
std::atomic<int> requestedTrack{static_cast<int>(MusicTrack::kTitle)};
std::atomic<bool> musicAllowed{false};
SfxListener sfxListener;

void Request(MusicTrack track, bool allowed) {
  requestedTrack.store(static_cast<int>(track), std::memory_order_relaxed);
  musicAllowed.store(allowed, std::memory_order_relaxed);
}

}  // namespace

int PlaySfx(const char* name) {
  if (name == nullptr || *name == '\0') return 0;
  if (ThePreferences().soundEnabled == 0) return 0;
  if (sfxListener) sfxListener(name);
  // The sound device and its stream come with the audio back end; without them there is
  // nothing to play the file on.
  return 0;
}

void SetSfxListener(SfxListener listener) {
  sfxListener = std::move(listener);
}

void MusicTitle() {
  Request(MusicTrack::kTitle, ThePreferences().musicEnabled == 1);
}

void MusicInGame() {
  Request(MusicTrack::kInGame, ThePreferences().musicEnabled == 1);
}

void MusicGameOver(bool won) {
  const int enabled = ThePreferences().musicEnabled;
  Request(won ? MusicTrack::kWin : MusicTrack::kLose, enabled == 1 || enabled == 2);
}

MusicTrack RequestedTrack() {
  return static_cast<MusicTrack>(requestedTrack.load(std::memory_order_relaxed));
}

bool MusicAllowed() {
  return musicAllowed.load(std::memory_order_relaxed);
}

bool AudioReady() {
  return audioReady.load(std::memory_order_relaxed);
}
