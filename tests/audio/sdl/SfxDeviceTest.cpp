// Sound effects through the real SDL device (the dummy driver, which plays in real time): PlaySfx
// blocks for the sound's length, opens nothing while sound is off, survives lying files, a
// removed or stalled device and a missing one, and the callback mixes music and effect. The
// synchronous start is the one the other tests use.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

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

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

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

  void Sfx(const char* name, const std::vector<std::uint8_t>& bytes) {
    WriteFile(dir_ / "SFX" / name, bytes);
  }

  // How long PlaySfx held the caller, in milliseconds.
  static long long TimePlay(const char* name) {
    const auto start = Clock::now();
    EXPECT_EQ(PlaySfx(name), 0);
    return MsSince(start);
  }

  std::filesystem::path dir_;
};

// The start in the background returns at once; once ready, PlaySfx blocks for the sound's length.
TEST_F(SfxDeviceTest, PlaySfxBlocksForTheLengthOfTheSound) {
  Sfx("tone.wav", MakeWave(Tone16(22050, 300)));
  WaveSpec stereo8;
  stereo8.channels = 2;
  stereo8.bits = 8;
  stereo8.rate = 11025;
  stereo8.samples = Pattern(11025 * 2 * 4 / 10);  // 0.4 s
  Sfx("stereo8.wav", MakeWave(stereo8));
  Sfx("short.wav", MakeWave(Tone16(44100, 40)));
  const auto start = Clock::now();
  AudioStartInBackground();
  AudioStartInBackground();  // a second call while the first is under way changes nothing
  EXPECT_LE(MsSince(start), 50) << "the caller does not wait for the device";
  for (int i = 0; i < 400 && !AudioReady(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_TRUE(AudioReady());
  EXPECT_EQ(AudioDeviceRate(), 22050);

  const long long tone = TimePlay("tone.wav");
  EXPECT_GE(tone, 250);
  EXPECT_LE(tone, 2000);
  const long long other = TimePlay("stereo8.wav");
  EXPECT_GE(other, 350);
  EXPECT_LE(other, 2000);
  // Shorter than a chunk, and at another rate than the device's.
  const long long brief = TimePlay("short.wav");
  EXPECT_GE(brief, 30);
  EXPECT_LE(brief, 1000);

  AudioStop();
  EXPECT_FALSE(AudioReady());
  // Stopping while a start is still under way waits for it, and leaves audio down.
  AudioStartInBackground();
  AudioStop();
  EXPECT_FALSE(AudioReady());
}

// Which files are refused and how far a lying header is believed is tested on the reader
// (WaveFileTest) and the stream (SoundStreamTest); here only that PlaySfx holds the caller for
// the samples really there: none for a refused file, not the header's hours for a lying one.
TEST_F(SfxDeviceTest, BadAndLyingFilesPlayNothingOrOnlyTheirRealSamples) {
  // Two seconds of samples behind a broken header: refused, so nothing plays at all.
  auto notRiff = MakeWave(Tone16(22050, 2000));
  notRiff[0] = 'X';
  Sfx("notriff.wav", notRiff);
  // 0.2 s of samples in a file whose header claims about 13 hours.
  WaveSpec lying = Tone16(22050, 200);
  lying.claimedDataSize = 0x7FFFFFF0;
  lying.claimedRiffSize = 0x7FFFFFF0;
  Sfx("lying.wav", MakeWave(lying));
  ASSERT_EQ(AudioStart(), 0);

  for (const char* name : {"notriff.wav", "missing.wav"}) {
    EXPECT_LE(TimePlay(name), 250) << name;
  }
  const long long real = TimePlay("lying.wav");
  EXPECT_GE(real, 150);
  EXPECT_LE(real, 1000);
}

TEST_F(SfxDeviceTest, NothingIsOpenedWhileSoundIsOffOrAudioIsDown) {
  Sfx("tone.wav", MakeWave(Tone16(22050, 1000)));
  const int watch = ::inotify_init1(IN_NONBLOCK);
  ASSERT_GE(watch, 0);
  ASSERT_GE(::inotify_add_watch(watch, (dir_ / "SFX").c_str(), IN_OPEN), 0);
  // Whether anything in the folder was opened since the last look.
  auto opened = [watch] {
    alignas(inotify_event) char buffer[4096];
    bool any = false;
    while (::read(watch, buffer, sizeof buffer) > 0) any = true;
    return any;
  };

  // Audio not started: silent, and the file is never touched.
  EXPECT_EQ(PlaySfx("tone.wav"), 0);
  EXPECT_FALSE(opened());

  ASSERT_EQ(AudioStart(), 0);
  ThePreferences().soundEnabled = 0;
  EXPECT_LE(TimePlay("tone.wav"), 250);
  EXPECT_FALSE(opened());
  EXPECT_EQ(PlaySfx(""), 0);
  EXPECT_EQ(PlaySfx(nullptr), 0);
  EXPECT_FALSE(opened());

  // The same call with sound on does open it: the watch sees what it should.
  ThePreferences().soundEnabled = 1;
  EXPECT_GE(TimePlay("tone.wav"), 900);
  EXPECT_TRUE(opened());
  ::close(watch);
}

TEST_F(SfxDeviceTest, ARemovedDeviceNeverHangsPlaySfx) {
  Sfx("long.wav", MakeWave(Tone16(22050, 3000)));
  ASSERT_EQ(AudioStart(), 0);
  const std::uint32_t id = SdlAudioDeviceId();
  ASSERT_NE(id, 0u);

  // What SDL posts when the device is unplugged; the window's thread is blocked in PlaySfx and
  // cannot read it, so the wait has to notice it by itself.
  std::thread unplug([id] {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    SDL_Event event{};
    event.type = SDL_AUDIODEVICEREMOVED;
    event.adevice.which = id;
    event.adevice.iscapture = 0;
    SDL_PushEvent(&event);
  });
  const long long removed = TimePlay("long.wav");
  unplug.join();
  EXPECT_GE(removed, 100);
  EXPECT_LE(removed, 1000);
  // The device is gone for good: later effects return at once.
  EXPECT_LE(TimePlay("long.wav"), 250);
  SDL_FlushEvent(SDL_AUDIODEVICEREMOVED);

  // A fresh start gets a working device again.
  AudioStop();
  EXPECT_FALSE(AudioReady());
  Sfx("tone.wav", MakeWave(Tone16(22050, 300)));
  ASSERT_EQ(AudioStart(), 0);
  EXPECT_GE(TimePlay("tone.wav"), 250);
}

TEST_F(SfxDeviceTest, AStalledDeviceHoldsTheCallerOnlyForTheSoundAndAMargin) {
  Sfx("tone.wav", MakeWave(Tone16(22050, 300)));
  ASSERT_EQ(AudioStart(), 0);
  const std::uint32_t id = SdlAudioDeviceId();
  // A paused device takes no more bytes and posts no events, as a hung driver would.
  std::thread stall([id] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    SDL_PauseAudioDevice(id, 1);
  });
  const long long stalled = TimePlay("tone.wav");
  stall.join();
  EXPECT_GE(stalled, static_cast<long long>(300 + kSfxStallMarginMs) - 50);
  EXPECT_LE(stalled, static_cast<long long>(300 + kSfxStallMarginMs) + 1500);
}

TEST_F(SfxDeviceTest, WithoutADeviceTheProgramStaysSilent) {
  ::setenv("SDL_AUDIODRIVER", "nonexistent", 1);
  Sfx("tone.wav", MakeWave(Tone16(22050, 2000)));
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
  ::setenv("QS_NO_AUDIO", "0", 1);
  EXPECT_EQ(AudioStart(), 0);
  ::unsetenv("QS_NO_AUDIO");
}

TEST_F(SfxDeviceTest, TheCallbackAddsTheEffectToTheMusicWithoutWrappingAround) {
  Sfx("tone.wav", MakeWave(Tone16(22050, 200)));
  // The device alone, without the music thread, whose player would bring its own renderer.
  ASSERT_EQ(AudioDeviceOpen(), true);
  // The test runs the callback itself: the device's own thread stays paused.
  SDL_PauseAudioDevice(SdlAudioDeviceId(), 1);
  std::atomic<int> musicLevel{1000};
  SetMusicRenderer([&musicLevel](std::int16_t* out, int frames) {
    std::fill(out, out + static_cast<std::ptrdiff_t>(frames) * 2,
              static_cast<std::int16_t>(musicLevel.load()));
  });

  for (const int level : {1000, 30000}) {
    musicLevel = level;
    std::atomic<bool> done{false};
    auto file = std::make_unique<WaveFile>();
    ASSERT_EQ(file->Open((dir_ / "SFX" / "tone.wav").c_str()), kWaveOk);
    std::thread window([&done, &file] {
      EXPECT_EQ(AudioDevicePlaySfx(std::move(file)), SfxEnd::kPlayed);
      done = true;
    });
    std::vector<std::int16_t> mixed;
    std::vector<std::uint8_t> buffer(512 * 4);
    while (!done) {
      SdlAudioMixForTest(buffer.data(), static_cast<int>(buffer.size()));
      const auto* samples = reinterpret_cast<const std::int16_t*>(buffer.data());
      mixed.insert(mixed.end(), samples, samples + 512 * 2);
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    window.join();

    const std::int16_t high = static_cast<std::int16_t>(std::min(level + 8000, 32767));
    const std::int16_t low = static_cast<std::int16_t>(level - 8000);
    std::size_t highs = 0;
    std::size_t lows = 0;
    for (std::size_t i = 0; i < mixed.size(); i += 2) {
      ASSERT_EQ(mixed[i], mixed[i + 1]) << "mono plays on both channels, frame " << i / 2;
      // SDL's conversion goes through floats and may lose one step of the effect's level.
      if (std::abs(mixed[i] - high) <= 1) {
        ++highs;
      } else if (std::abs(mixed[i] - low) <= 1) {
        ++lows;
      } else {
        ASSERT_EQ(mixed[i], level) << "only music outside the effect, frame " << i / 2;
      }
    }
    // Every frame of the effect, once: 0.2 s at the device's own rate.
    EXPECT_EQ(highs + lows, 4410u) << "music level " << level;
    std::size_t toneHighs = 0;
    for (std::size_t i = 0; i < 4410; ++i) toneHighs += (i / 20) % 2 == 0 ? 1 : 0;
    EXPECT_EQ(highs, toneHighs);
  }
  SetMusicRenderer(nullptr);
}

}  // namespace
