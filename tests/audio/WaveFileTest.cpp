// The WAVE reader: chunk walk, format record, samples, and the broken or lying files it refuses or
// cuts down. Disk and memory reading agree and Rewind replays: the FuzzWavFile seeds check both.
#include "audio/WaveFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <string>
#include <vector>

#include "tests/audio/WaveBytes.h"

namespace {

using namespace wave_test;
using Bytes = std::vector<std::uint8_t>;

Bytes ReadAll(WaveFile& wave, std::size_t piece) {
  Bytes out, buffer(piece);
  for (;;) {
    const std::size_t got = wave.Read(piece, buffer.data());
    out.insert(out.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(got));
    if (got < piece) return out;
  }
}

// The data lies past other chunks; missing the pad byte after an odd-sized one misreads the rest.
TEST(WaveFileTest, ReadsTheFormatAndHandsOutTheSamplesInPieces) {
  WaveSpec spec;
  spec.channels = 2;
  spec.bits = 8;
  spec.rate = 11025;
  spec.samples = Pattern(1000);
  spec.between = {{"LIST", Bytes(7, 'x')}, {"fact", Bytes(4, 0)}};
  WaveFile wave;
  ASSERT_EQ(wave.Open(MakeWave(spec)), kWaveOk) << wave.Reason();
  const WaveFormat& f = wave.Format();
  EXPECT_EQ(std::tie(f.formatTag, f.channels, f.samplesPerSec, f.blockAlign, f.bitsPerSample),
            std::make_tuple(std::uint16_t(kWaveFormatPcm), std::uint16_t(2), 11025u,
                            std::uint16_t(2), std::uint16_t(8)));
  EXPECT_EQ(wave.DataSize(), 1000u);
  EXPECT_EQ(ReadAll(wave, 333), spec.samples);
  EXPECT_EQ(wave.DataLeft(), 0u);
}

// One file per check in the reader.
TEST(WaveFileTest, RefusesFilesThatAreNotRiffWave) {
  const Bytes good = MakeWave(Tone16(22050, 5));
  auto with = [&good](std::size_t at, const char* bytes, std::size_t count = 4) {
    Bytes out = good;
    std::copy_n(bytes, count, out.begin() + static_cast<std::ptrdiff_t>(at));
    return out;
  };
  auto spec = [](auto change) {
    WaveSpec s = Tone16(22050, 5);
    change(s);
    return MakeWave(s);
  };
  const struct {
    const char* what;
    Bytes bytes;
    int result;
  } cases[] = {
      {"cut inside the header", {good.begin(), good.begin() + 10}, kWaveNotWave},
      {"first chunk RIFX", with(0, "RIFX"), kWaveNotWave},
      {"form type AVI", with(8, "AVI "), kWaveNotWave},
      {"RIFF size below the form type", with(4, "\2\0\0\0"), kWaveNotWave},
      {"fmt chunk of 14 bytes", spec([](WaveSpec& s) { s.fmtSize = 14; }), kWaveBadFormat},
      {"no fmt chunk", with(12, "fmx "), kWaveBadFormat},
      {"no data chunk", with(36, "dat_"), kWaveNoData},
      {"cut inside fmt", {good.begin(), good.begin() + 30}, kWaveBadFormat},
      {"zero channels", spec([](WaveSpec& s) { s.channels = 0, s.blockAlign = 2; }),
       kWaveBadFormat},
      {"zero block align", spec([](WaveSpec& s) { s.bits = 0; }), kWaveBadFormat},
      {"zero rate", spec([](WaveSpec& s) { s.rate = 0, s.blockAlign = 2; }), kWaveBadFormat},
  };
  for (const auto& c : cases) {
    WaveFile wave;
    EXPECT_EQ(wave.Open(Bytes(c.bytes)), c.result) << c.what << ": " << wave.Reason();
    EXPECT_FALSE(wave.IsOpen()) << c.what;
    EXPECT_EQ(wave.DataSize(), 0u) << c.what;
  }
}

TEST(WaveFileTest, ReadsTheExtraBytesOfOtherFormatsOnlyInsideTheirChunk) {
  WaveSpec adpcm = Tone16(22050, 5);
  adpcm.formatTag = 2;
  adpcm.fmtSize = 20;  // 16 + extra size (2) + 2 extra bytes
  Bytes bytes = MakeWave(adpcm);
  bytes[36] = 2;  // the extra size
  bytes[38] = 0xAB;
  bytes[39] = 0xCD;
  WaveFile wave;
  ASSERT_EQ(wave.Open(Bytes(bytes)), kWaveOk) << wave.Reason();
  EXPECT_EQ(wave.Format().extra, (Bytes{0xAB, 0xCD}));
  // An extra size past its chunk, and a chunk with no room for the extra size.
  bytes[36] = 40;
  EXPECT_EQ(wave.Open(Bytes(bytes)), kWaveBadFormat);
  adpcm.fmtSize = 16;
  EXPECT_EQ(wave.Open(MakeWave(adpcm)), kWaveBadFormat);
}

TEST(WaveFileTest, LyingSizesShrinkToTheWholeFramesReallyThere) {
  WaveSpec spec = Tone16(22050, 10);
  spec.samples.push_back(0x7F);  // half a frame
  spec.claimedDataSize = 0x7FFFFFF0;
  spec.claimedRiffSize = 0xFFFFFFF0;
  WaveFile wave;
  ASSERT_EQ(wave.Open(MakeWave(spec)), kWaveOk) << wave.Reason();
  spec.samples.pop_back();
  EXPECT_EQ(wave.DataSize(), spec.samples.size());
  EXPECT_EQ(ReadAll(wave, 1000), spec.samples);
  // A chunk before "data" that claims to run past the end hides everything after it.
  WaveSpec hidden = Tone16(22050, 10);
  hidden.between = {{"junk", Bytes(6, 0)}};
  Bytes bytes = MakeWave(hidden);
  std::copy_n("\xF0\xFF\xFF\xFF", 4, bytes.begin() + 40);
  EXPECT_EQ(wave.Open(std::move(bytes)), kWaveNoData);
}

// A FIFO in a sound's place once hung the open waiting for a writer.
TEST(WaveFileTest, RefusesWhatIsNotAFileWithoutWaitingOnAFifo) {
  const auto dir = std::filesystem::temp_directory_path();
  const std::string path = (dir / ("qs-wave-fifo-" + std::to_string(::getpid()))).string();
  WaveFile wave;
  EXPECT_EQ(wave.Open(path.c_str()), kWaveCannotOpen);
  EXPECT_EQ(wave.Open(static_cast<const char*>(nullptr)), kWaveCannotOpen);
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  std::future<int> opened = std::async(std::launch::async, [&] { return wave.Open(path.c_str()); });
  const bool finished = opened.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
  // A writer lets a stuck open go, so that a failure ends the test.
  if (!finished) ::close(::open(path.c_str(), O_WRONLY | O_NONBLOCK));
  const int result = opened.get();
  std::filesystem::remove(path);
  EXPECT_TRUE(finished) << "opening waited for a writer on a FIFO";
  EXPECT_EQ(result, kWaveCannotOpen);
}

}  // namespace
