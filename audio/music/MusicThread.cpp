// The program's one music thread, playing through FluidSynth into the shared sound device.
#include "audio/music/MusicThread.h"

#include <chrono>
#include <memory>

#include "audio/AudioDevice.h"
#include "audio/fluidsynth/FluidMusic.h"
#include "audio/fluidsynth/SoundFontSearch.h"
#include "audio/music/MusicRunner.h"
#include "audio/music/MusicShared.h"

namespace {

// Hands the synth to the sound device for as long as the music thread uses it, and takes it
// back before the synth goes away (the device stops calling the old renderer before
// SetMusicRenderer returns).
class DevicePlayer final : public MidiPlayer {
public:
  explicit DevicePlayer(std::shared_ptr<FluidMusic> music) : music_(std::move(music)) {
    SetMusicRenderer(
        [raw = music_.get()](std::int16_t* samples, int frames) { raw->Render(samples, frames); });
  }
  ~DevicePlayer() override {
    music_->Stop();
    SetMusicRenderer(nullptr);
  }
  DevicePlayer(const DevicePlayer&) = delete;
  DevicePlayer& operator=(const DevicePlayer&) = delete;

  bool Play(const std::string& mediaName) override { return music_->Play(mediaName); }
  void Stop() override { music_->Stop(); }
  bool Ended() override { return music_->Ended(); }

private:
  std::shared_ptr<FluidMusic> music_;
};

std::unique_ptr<MidiPlayer> MakeDevicePlayer() {
  const std::string soundFont = FindSoundFont();
  if (soundFont.empty()) return nullptr;
  std::shared_ptr<FluidMusic> music = FluidMusic::Create(AudioDeviceRate(), soundFont);
  if (!music) return nullptr;
  return std::make_unique<DevicePlayer>(std::move(music));
}

MusicRunner& TheRunner() {
  static MusicRunner runner;
  return runner;
}

}  // namespace

void StartMusicThread() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const auto seed =
      static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::seconds>(now).count());
  TheRunner().Start(MakeDevicePlayer, ReadMusicInputs, seed);
}

void StopMusicThread() {
  TheRunner().Stop();
}
