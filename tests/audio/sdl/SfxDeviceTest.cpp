// Sound effects through SDL's dummy driver, which plays in real time. A stalled device is
// SoundStreamTest's (PlayToEnd with a fake device).
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "audio/Audio.h"
#include "audio/AudioDevice.h"
#include "audio/sdl/SdlAudioDevice.h"
#include "persist/Preferences.h"
#include "platform/DataDir.h"
#include "tests/audio/WaveBytes.h"

namespace {

using namespace wave_test;
using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

class SfxDeviceTest : public testing::Test {
protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "qs-sfx-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    std::filesystem::create_directory(dir_ / "SFX");
    SetDataDir(dir_.string());
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    ::unsetenv("QS_NO_AUDIO");
    ThePreferences().soundEnabled = 1;
  }
  void TearDown() override {
    AudioStop();
    SetDataDir(".");
    std::filesystem::remove_all(dir_);
  }
  void Sfx(const char* name, const WaveSpec& spec) { Sfx(name, MakeWave(spec)); }
  void Sfx(const char* name, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(dir_ / "SFX" / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  // How long PlaySfx held the caller, in milliseconds.
  static long long TimePlay(const char* name) {
    const auto start = Clock::now();
    EXPECT_EQ(PlaySfx(name), 0);
    return MsSince(start);
  }
  static void ExpectPlayTime(const char* name, long long low, long long high) {
    const long long ms = TimePlay(name);
    EXPECT_GE(ms, low) << name;
    EXPECT_LE(ms, high) << name;
  }

  std::filesystem::path dir_;
};

// PlaySfx holds the caller for the samples really there, not the header's 13 hours.
TEST_F(SfxDeviceTest, TheStartRunsInTheBackgroundAndPlaySfxBlocksForTheRealSamples) {
  Sfx("tone.wav", Tone16(22050, 300));
  WaveSpec lying = Tone16(22050, 200);
  lying.claimedDataSize = lying.claimedRiffSize = 0x7FFFFFF0;
  Sfx("lying.wav", lying);
  const auto start = Clock::now();
  AudioStartInBackground();
  AudioStartInBackground();  // a second call while the first is under way changes nothing
  EXPECT_LE(MsSince(start), 50) << "the caller does not wait for the device";
  for (int i = 0; i < 400 && !AudioReady(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_TRUE(AudioReady());
  EXPECT_EQ(AudioDeviceRate(), 22050);
  ExpectPlayTime("tone.wav", 250, 2000);
  ExpectPlayTime("lying.wav", 150, 1000);
  AudioStop();
  EXPECT_FALSE(AudioReady());
  // Stopping while a start is still under way waits for it, and leaves audio down.
  AudioStartInBackground();
  AudioStop();
  EXPECT_FALSE(AudioReady());
}

TEST_F(SfxDeviceTest, NothingPlaysWhileSoundIsOffOrAudioIsDown) {
  Sfx("tone.wav", Tone16(22050, 1000));
  EXPECT_LE(TimePlay("tone.wav"), 250) << "audio not started";
  ASSERT_EQ(AudioStart(), 0);
  ThePreferences().soundEnabled = 0;
  EXPECT_LE(TimePlay("tone.wav"), 250) << "sound off";
  EXPECT_EQ(PlaySfx(""), 0);
  EXPECT_EQ(PlaySfx(nullptr), 0);
  ThePreferences().soundEnabled = 1;
  EXPECT_GE(TimePlay("tone.wav"), 900) << "the same call with sound on plays";
}

TEST_F(SfxDeviceTest, ARemovedDeviceNeverHangsPlaySfx) {
  Sfx("long.wav", Tone16(22050, 3000));
  Sfx("tone.wav", Tone16(22050, 300));
  ASSERT_EQ(AudioStart(), 0);
  const std::uint32_t id = SdlAudioDeviceId();
  ASSERT_NE(id, 0u);
  // The window's thread is blocked in PlaySfx and cannot read SDL's event: the wait must notice.
  std::thread unplug([id] {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    SDL_Event event{};
    event.type = SDL_AUDIODEVICEREMOVED;
    event.adevice.which = id;
    SDL_PushEvent(&event);
  });
  ExpectPlayTime("long.wav", 100, 1000);
  unplug.join();
  EXPECT_LE(TimePlay("long.wav"), 250) << "gone for good: later effects return at once";
  SDL_FlushEvent(SDL_AUDIODEVICEREMOVED);
  // A fresh start gets a working device again.
  AudioStop();
  ASSERT_EQ(AudioStart(), 0);
  EXPECT_GE(TimePlay("tone.wav"), 250);
}

TEST_F(SfxDeviceTest, WithoutADeviceTheProgramStaysSilent) {
  ::setenv("SDL_AUDIODRIVER", "nonexistent", 1);
  Sfx("tone.wav", Tone16(22050, 2000));
  EXPECT_EQ(AudioStart(), -1);
  EXPECT_FALSE(AudioReady());
  EXPECT_FALSE(AudioDeviceIsOpen());
  EXPECT_LE(TimePlay("tone.wav"), 250);
  MusicTitle();
  AudioStop();
  // Switched off for headless runs: no device is even opened.
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);
  ::setenv("QS_NO_AUDIO", "1", 1);
  EXPECT_EQ(AudioStart(), -1);
  EXPECT_FALSE(AudioDeviceIsOpen());
  ::unsetenv("QS_NO_AUDIO");
}

TEST_F(SfxDeviceTest, TheCallbackAddsTheEffectToTheMusicWithoutWrappingAround) {
  Sfx("tone.wav", Tone16(22050, 200));
  // The device alone, without the music thread; the test runs the callback itself.
  ASSERT_TRUE(AudioDeviceOpen());
  SDL_PauseAudioDevice(SdlAudioDeviceId(), 1);
  // Loud music, so that the effect on top would wrap around past full scale.
  constexpr int level = 30000;
  SetMusicRenderer([](std::int16_t* out, int frames) {
    std::fill(out, out + static_cast<std::ptrdiff_t>(frames) * 2, std::int16_t{level});
  });
  {
    std::atomic<bool> done{false};
    auto file = std::make_unique<WaveFile>();
    ASSERT_EQ(file->Open((dir_ / "SFX" / "tone.wav").c_str()), kWaveOk);
    std::thread window([&done, &file] {
      EXPECT_EQ(AudioDevicePlaySfx(std::move(file)), SfxEnd::kPlayed);
      done = true;
    });
    std::vector<std::int16_t> mixed;
    std::vector<std::int16_t> buffer(512 * 2);
    while (!done) {
      SdlAudioMixForTest(reinterpret_cast<std::uint8_t*>(buffer.data()), 512 * 4);
      mixed.insert(mixed.end(), buffer.begin(), buffer.end());
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    window.join();
    // SDL's conversion goes through floats and may lose one step of the effect's level.
    const int high = std::min(level + 8000, 32767), low = level - 8000;
    std::size_t highs = 0, lows = 0, toneHighs = 0;
    for (std::size_t i = 0; i < mixed.size(); i += 2) {
      ASSERT_EQ(mixed[i], mixed[i + 1]) << "mono plays on both channels, frame " << i / 2;
      if (std::abs(mixed[i] - high) <= 1) {
        ++highs;
      } else if (std::abs(mixed[i] - low) <= 1) {
        ++lows;
      } else {
        ASSERT_EQ(mixed[i], level) << "only music outside the effect, frame " << i / 2;
      }
    }
    // Every frame of the effect once: 0.2 s at the device's own rate.
    EXPECT_EQ(highs + lows, 4410u);
    for (std::size_t i = 0; i < 4410; ++i) toneHighs += (i / 20) % 2 == 0 ? 1 : 0;
    EXPECT_EQ(highs, toneHighs);
  }
  SetMusicRenderer(nullptr);
}

}  // namespace
