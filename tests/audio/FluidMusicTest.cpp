// The FluidSynth back end rendering the program's own songs into memory, and the SoundFont
// search.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "audio/fluidsynth/FluidMusic.h"
#include "audio/fluidsynth/SoundFontSearch.h"
#include "tests/support/RequireMedia.h"

namespace {

constexpr int kRate = 22050;

std::string MediaFile(const std::string& name) {
  const char* dir = std::getenv("QS_MEDIA_DIR");
  if (dir == nullptr || *dir == '\0') return {};
  const std::string path = std::string(dir) + "/" + name;
  return std::ifstream(path).good() ? path : std::string();
}

// A small file of plain text, standing in for a damaged media file.
std::string TextFile(const std::string& name) {
  const auto path = std::filesystem::temp_directory_path() / ("qs-music-test-" + name);
  std::ofstream(path) << "Plain text, where a song or a SoundFont should be.";
  return path.string();
}

// Renders in device-sized blocks, as the sound device's callback does.
std::vector<std::int16_t> RenderSeconds(FluidMusic& music, double seconds) {
  const int frames = static_cast<int>(seconds * kRate);
  std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * 2, 12345);
  constexpr int kBlock = 1024;
  for (int at = 0; at < frames; at += kBlock)
    music.Render(out.data() + static_cast<std::size_t>(at) * 2, std::min(kBlock, frames - at));
  return out;
}

double Rms(const std::vector<std::int16_t>& samples) {
  double sum = 0;
  for (std::int16_t s : samples) sum += static_cast<double>(s) * s;
  return samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

struct FluidMusicTest : ::testing::Test {
  std::unique_ptr<FluidMusic> music;
  // The songs are mixed for the SoundFont every install has; a larger one found first on a
  // desktop (FluidR3_GM) voices the instruments at other levels, so loudness is judged on this one.
  void SetUp() override {
    const std::string soundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    if (!std::filesystem::exists(soundFont)) QS_SKIP_MISSING("TimGM6mb SoundFont not installed");
    music = FluidMusic::Create(kRate, soundFont);
    ASSERT_NE(music, nullptr) << soundFont;
  }
};

}  // namespace

TEST_F(FluidMusicTest, StopSilencesAtOnceAndTheEndIsReported) {
  const std::string win = MediaFile("music/WIN.MID");
  if (win.empty()) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
  ASSERT_TRUE(music->PlayFile(win));
  RenderSeconds(*music, 1.0);
  music->Stop();
  EXPECT_TRUE(music->Ended());
  // The reverb's short tail at most; then nothing.
  const std::vector<std::int16_t> after = RenderSeconds(*music, 1.5);
  EXPECT_LT(Rms(std::vector<std::int16_t>(after.begin() + 2 * kRate, after.end())), 2.0);

  // The win tune is a few bars long: rendered past its length, the player says it is done.
  ASSERT_TRUE(music->PlayFile(win));
  bool ended = false;
  for (int second = 0; second < 10 && !ended; ++second) {
    RenderSeconds(*music, 1.0);
    ended = music->Ended();
  }
  EXPECT_TRUE(ended);
}

TEST_F(FluidMusicTest, WhatIsNoSongDoesNotStart) {
  EXPECT_FALSE(music->PlayFile("/nonexistent/SONG9.MID"));
  EXPECT_FALSE(music->PlayFile(TextFile("not-a-song.MID")));
  EXPECT_TRUE(music->Ended());
  EXPECT_LT(Rms(RenderSeconds(*music, 0.5)), 1.0);

  // A damaged file behind a good header starts, and ends at once: the loop then tries again.
  const auto damaged = std::filesystem::temp_directory_path() / "qs-music-test-damaged.MID";
  std::ofstream(damaged, std::ios::binary)
      << std::string("MThd\0\0\0\6\0\1\0\1\1\xE0MTrk\xFF\xFF", 20);
  ASSERT_TRUE(music->PlayFile(damaged.string()));
  RenderSeconds(*music, 0.2);
  EXPECT_TRUE(music->Ended());
  EXPECT_LT(Rms(RenderSeconds(*music, 0.5)), 1.0);
}

// Every song sounds in both channels (the samples really are interleaved stereo), ends, stays
// below full scale and is as loud as the others.
TEST_F(FluidMusicTest, EverySongPlaysEquallyLoudAndNoneClips) {
  const char* const kSongs[] = {"MAIN",  "SONG1", "SONG2", "SONG3", "SONG4",
                                "SONG5", "SONG6", "WIN",   "LOSE"};
  double quietest = 1e9, loudest = 0;
  for (const char* name : kSongs) {
    const std::string song = MediaFile(std::string("music/") + name + ".MID");
    if (song.empty()) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
    ASSERT_TRUE(music->PlayFile(song)) << name;
    double sum = 0, left = 0, right = 0;
    std::size_t count = 0;
    int peak = 0;
    for (int second = 0; second < 300 && !music->Ended(); ++second) {
      const std::vector<std::int16_t> samples = RenderSeconds(*music, 1.0);
      for (std::size_t i = 0; i < samples.size(); ++i) {
        sum += static_cast<double>(samples[i]) * samples[i];
        peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
        (i % 2 == 0 ? left : right) += std::abs(samples[i]);
      }
      count += 2 * kRate;
    }
    EXPECT_TRUE(music->Ended()) << name;
    EXPECT_LT(peak, 32000) << name << " clips";
    EXPECT_GT(std::min(left, right) / static_cast<double>(count), 100.0) << name << " one-sided";
    const double rmsDb = 10 * std::log10(sum / static_cast<double>(count));
    EXPECT_GT(rmsDb, 54.0) << name << ": near silence (an RMS below 500) where music should be";
    quietest = std::min(quietest, rmsDb);
    loudest = std::max(loudest, rmsDb);
  }
  EXPECT_LE(loudest - quietest, 3.0) << "songs differ in loudness by more than 3 dB";
}

TEST(FluidMusicCreate, NoSoundFontNoSynth) {
  EXPECT_EQ(FluidMusic::Create(kRate, ""), nullptr);
  EXPECT_EQ(FluidMusic::Create(kRate, "/nonexistent/none.sf2"), nullptr);
  EXPECT_EQ(FluidMusic::Create(kRate, TextFile("not-a-soundfont.sf2")), nullptr);
  EXPECT_EQ(FluidMusic::Create(0, "/usr/share/sounds/sf2/TimGM6mb.sf2"), nullptr);
}

TEST(SoundFontSearch, PlayersChoiceFirstThenTheSystemsInOrder) {
  auto only = [](std::vector<std::string> present) {
    return [present](const std::string& path) {
      return std::find(present.begin(), present.end(), path) != present.end();
    };
  };
  const std::string fluid = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
  const std::string tim = "/usr/share/sounds/sf2/TimGM6mb.sf2";
  const std::string deflt = "/usr/share/sounds/sf2/default-GM.sf2";
  EXPECT_EQ(ChooseSoundFont("/home/p/my.sf2", only({"/home/p/my.sf2", fluid})), "/home/p/my.sf2");
  EXPECT_EQ(ChooseSoundFont("/home/p/gone.sf2", only({tim, deflt})), tim);
  EXPECT_EQ(ChooseSoundFont("", only({fluid, tim})), fluid);
  EXPECT_EQ(ChooseSoundFont(nullptr, only({deflt})), deflt);
  EXPECT_EQ(ChooseSoundFont(nullptr, only({})), "");
}
