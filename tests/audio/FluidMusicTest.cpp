// The FluidSynth back end rendering the program's own songs into memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "audio/fluidsynth/FluidMusic.h"
#include "tests/support/RequireMedia.h"

namespace {

constexpr int kRate = 22050;
const std::string kTim = "/usr/share/sounds/sf2/TimGM6mb.sf2";
using Samples = std::vector<std::int16_t>;

std::string Song(const std::string& name) {
  const char* dir = std::getenv("QS_MEDIA_DIR");
  const std::string path = std::string(dir != nullptr ? dir : "") + "/music/" + name + ".MID";
  return dir != nullptr && std::ifstream(path).good() ? path : std::string();
}

// A file of plain text, or of `bytes`, where a song or a SoundFont should be.
std::string BadFile(const std::string& name, const std::string& bytes = "Plain text.") {
  const auto path = std::filesystem::temp_directory_path() / ("qs-music-test-" + name);
  std::ofstream(path, std::ios::binary) << bytes;
  return path.string();
}

// Interleaved stereo, rendered in device-sized blocks as the device's callback does.
Samples Render(FluidMusic& music, double seconds) {
  const int frames = static_cast<int>(seconds * kRate);
  Samples out(static_cast<std::size_t>(frames) * 2, 12345);
  for (int at = 0; at < frames; at += 1024)
    music.Render(out.data() + static_cast<std::size_t>(at) * 2, std::min(1024, frames - at));
  return out;
}

double Rms(const Samples& samples, std::size_t from = 0) {
  double sum = 0;
  for (std::size_t i = from; i < samples.size(); ++i) sum += double(samples[i]) * samples[i];
  return std::sqrt(sum / double(std::max<std::size_t>(1, samples.size() - from)));
}

struct FluidMusicTest : ::testing::Test {
  std::unique_ptr<FluidMusic> music;
  void SetUp() override {
    if (!std::filesystem::exists(kTim)) QS_SKIP_MISSING("TimGM6mb SoundFont not installed");
    music = FluidMusic::Create(kRate, kTim);
    ASSERT_NE(music, nullptr);
  }
};

}  // namespace

TEST_F(FluidMusicTest, StopSilencesAtOnceAndTheEndIsReported) {
  const std::string win = Song("WIN");
  if (win.empty()) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
  ASSERT_TRUE(music->PlayFile(win));
  Render(*music, 1.0);
  music->Stop();
  EXPECT_TRUE(music->Ended());
  EXPECT_LT(Rms(Render(*music, 1.5), 2 * kRate), 2.0) << "more than the reverb's short tail";
  // The win tune is a few bars long: rendered past its length, the player says it is done.
  ASSERT_TRUE(music->PlayFile(win));
  for (int second = 0; second < 10 && !music->Ended(); ++second) Render(*music, 1.0);
  EXPECT_TRUE(music->Ended());
}

TEST_F(FluidMusicTest, WhatIsNoSongDoesNotStart) {
  EXPECT_FALSE(music->PlayFile("/nonexistent/SONG9.MID"));
  EXPECT_FALSE(music->PlayFile(BadFile("not-a-song.MID")));
  EXPECT_TRUE(music->Ended());
  EXPECT_LT(Rms(Render(*music, 0.5)), 1.0);
  // A damaged file behind a good header starts and ends at once: the loop then tries again.
  ASSERT_TRUE(music->PlayFile(
      BadFile("damaged.MID", std::string("MThd\0\0\0\6\0\1\0\1\1\xE0MTrk\xFF\xFF", 20))));
  Render(*music, 0.2);
  EXPECT_TRUE(music->Ended());
  EXPECT_LT(Rms(Render(*music, 0.5)), 1.0);
}

TEST(FluidMusicCreate, NoSoundFontNoSynth) {
  EXPECT_EQ(FluidMusic::Create(kRate, ""), nullptr);
  EXPECT_EQ(FluidMusic::Create(kRate, "/nonexistent/none.sf2"), nullptr);
  EXPECT_EQ(FluidMusic::Create(kRate, BadFile("not-a-soundfont.sf2")), nullptr);
  EXPECT_EQ(FluidMusic::Create(0, kTim), nullptr);
}
