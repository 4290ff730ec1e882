// The shared words between the window's thread and the music thread, the sound-effect entry
// point, and the start and stop of the sound device with the music thread around it.
#include "audio/Audio.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "audio/AudioDevice.h"
#include "audio/WaveFile.h"
#include "audio/music/MusicThread.h"
#include "persist/Preferences.h"
#include "platform/DataDir.h"

namespace {

std::atomic<bool> audioReady{false};
std::atomic<int> requestedTrack{static_cast<int>(MusicTrack::kTitle)};
std::atomic<bool> musicAllowed{false};
SfxListener sfxListener;

// Every request also hands the music thread the preferences as they are now: each comes after
// the preferences were loaded or the music options changed (start-up, a new player, a game, the
// music dialog), and the thread must not read the preference record itself.
void Request(MusicTrack track, bool allowed) {
  const Preferences& prefs = ThePreferences();
  MusicSyncPreferences(prefs.musicEnabled, prefs.songs);
  requestedTrack.store(static_cast<int>(track), std::memory_order_relaxed);
  musicAllowed.store(allowed, std::memory_order_relaxed);
}

}  // namespace

int PlaySfx(const char* name) {
  if (name == nullptr || *name == '\0') return 0;
  if (ThePreferences().soundEnabled == 0) return 0;
  if (sfxListener) sfxListener(name);
  if (!AudioReady()) return 0;
  auto file = std::make_unique<WaveFile>();
  if (file->Open(MediaPath(std::string("SFX\\") + name).c_str()) != kWaveOk) return 0;
  AudioDevicePlaySfx(std::move(file));
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
  return audioReady.load(std::memory_order_acquire);
}

namespace {
bool backgroundStarting = false;
}  // namespace

void AudioStartInBackground() {
  if (AudioReady() || backgroundStarting) return;
  backgroundStarting = true;
  AudioDeviceRunInBackground([] { AudioStart(); });
}

int AudioStart() {
  if (AudioReady()) return 0;
  const char* off = std::getenv("QS_NO_AUDIO");
  if (off != nullptr && off[0] != '\0' && std::strcmp(off, "0") != 0) return -1;
  if (!AudioDeviceOpen()) return -1;
  StartMusicThread();
  // Release: a thread that sees the flag also sees the device and the stream it guards.
  audioReady.store(true, std::memory_order_release);
  return 0;
}

void AudioStop() {
  if (backgroundStarting) {
    AudioDeviceWaitBackground();
    backgroundStarting = false;
  }
  audioReady.store(false, std::memory_order_relaxed);
  // The music renders into the device until its thread has ended; only then may the device go.
  StopMusicThread();
  AudioDeviceClose();
}
