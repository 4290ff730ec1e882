// The WAVE reader: the chunk walk, the format record, the samples it hands out, and every kind of
// broken or lying file it must refuse or cut down to what is really there.
#include "audio/WaveFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <vector>

#include "tests/audio/WaveBytes.h"

namespace {

using namespace wave_test;

std::vector<std::uint8_t> ReadAll(WaveFile& wave, std::size_t piece) {
  std::vector<std::uint8_t> out;
  std::vector<std::uint8_t> buffer(piece);
  for (;;) {
    const std::size_t got = wave.Read(piece, buffer.data());
    out.insert(out.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(got));
    if (got < piece) return out;
  }
}

int OpenBytes(WaveFile& wave, const std::vector<std::uint8_t>& bytes) {
  return wave.Open(std::vector<std::uint8_t>(bytes));
}

// The data lies past other chunks; an odd-sized one is followed by a pad byte, and missing it would
// misread every later chunk.
TEST(WaveFileTest, ReadsTheFormatAndHandsOutTheSamplesInPieces) {
  WaveSpec spec;
  spec.channels = 2;
  spec.bits = 8;
  spec.rate = 11025;
  spec.samples = Pattern(1000);
  spec.between.push_back({"LIST", std::vector<std::uint8_t>(7, 'x')});
  spec.between.push_back({"fact", std::vector<std::uint8_t>(4, 0)});
  WaveFile wave;
  ASSERT_EQ(OpenBytes(wave, MakeWave(spec)), kWaveOk) << wave.Reason();
  EXPECT_EQ(wave.Format().formatTag, kWaveFormatPcm);
  EXPECT_EQ(wave.Format().channels, 2);
  EXPECT_EQ(wave.Format().samplesPerSec, 11025u);
  EXPECT_EQ(wave.Format().avgBytesPerSec, 22050u);
  EXPECT_EQ(wave.Format().blockAlign, 2);
  EXPECT_EQ(wave.Format().bitsPerSample, 8);
  EXPECT_EQ(wave.Format().extraSize, 0);
  EXPECT_EQ(wave.DataSize(), 1000u);
  EXPECT_EQ(ReadAll(wave, 333), spec.samples);
  EXPECT_EQ(wave.DataLeft(), 0u);
  EXPECT_EQ(wave.Read(10, std::vector<std::uint8_t>(10).data()), 0u);

  wave.Rewind();
  EXPECT_EQ(wave.DataLeft(), 1000u);
  EXPECT_EQ(ReadAll(wave, 4096), spec.samples);
}

TEST(WaveFileTest, RefusesFilesThatAreNotRiffWave) {
  const std::vector<std::uint8_t> good = MakeWave(Tone16(22050, 5));
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
    int result;
  };
  std::vector<Case> cases;
  cases.push_back({"empty", {}, kWaveNotWave});
  cases.push_back({"cut inside the header", {good.begin(), good.begin() + 10}, kWaveNotWave});
  auto rifx = good;
  rifx[3] = 'X';
  cases.push_back({"first chunk RIFX", rifx, kWaveNotWave});
  auto avi = good;
  std::copy_n("AVI ", 4, avi.begin() + 8);
  cases.push_back({"form type AVI", avi, kWaveNotWave});
  auto tinyRiff = good;
  tinyRiff[4] = 2;
  tinyRiff[5] = tinyRiff[6] = tinyRiff[7] = 0;
  cases.push_back({"RIFF size below the form type", tinyRiff, kWaveNotWave});

  WaveSpec shortFmt = Tone16(22050, 5);
  shortFmt.fmtSize = 14;
  cases.push_back({"fmt chunk of 14 bytes", MakeWave(shortFmt), kWaveBadFormat});
  auto noFmt = good;
  std::copy_n("fmx ", 4, noFmt.begin() + 12);
  cases.push_back({"no fmt chunk", noFmt, kWaveBadFormat});
  auto noData = good;
  std::copy_n("dat_", 4, noData.begin() + 36);
  cases.push_back({"no data chunk", noData, kWaveNoData});
  cases.push_back({"cut inside fmt", {good.begin(), good.begin() + 30}, kWaveBadFormat});
  WaveSpec zeroChannels = Tone16(22050, 5);
  zeroChannels.channels = 0;
  zeroChannels.blockAlign = 2;
  cases.push_back({"zero channels", MakeWave(zeroChannels), kWaveBadFormat});
  WaveSpec zeroAlign = Tone16(22050, 5);
  zeroAlign.bits = 0;
  cases.push_back({"zero block align", MakeWave(zeroAlign), kWaveBadFormat});

  for (const Case& c : cases) {
    WaveFile wave;
    EXPECT_EQ(OpenBytes(wave, c.bytes), c.result) << c.what << ": " << wave.Reason();
    EXPECT_FALSE(wave.IsOpen()) << c.what;
    EXPECT_EQ(wave.DataSize(), 0u) << c.what;
  }
}

TEST(WaveFileTest, ReadsTheExtraBytesOfOtherFormatsOnlyInsideTheirChunk) {
  WaveSpec adpcm = Tone16(22050, 5);
  adpcm.formatTag = 2;
  adpcm.fmtSize = 20;  // 16 + extra size (2) + 2 extra bytes
  auto bytes = MakeWave(adpcm);
  bytes[20 + 16] = 2;  // extra size
  bytes[20 + 18] = 0xAB;
  bytes[20 + 19] = 0xCD;
  WaveFile wave;
  ASSERT_EQ(OpenBytes(wave, bytes), kWaveOk) << wave.Reason();
  EXPECT_EQ(wave.Format().extraSize, 2);
  EXPECT_EQ(wave.Format().extra, (std::vector<std::uint8_t>{0xAB, 0xCD}));

  // An extra size that runs past its chunk, and a chunk with no room for the extra size.
  bytes[20 + 16] = 40;
  EXPECT_EQ(OpenBytes(wave, bytes), kWaveBadFormat);
  adpcm.fmtSize = 16;
  EXPECT_EQ(OpenBytes(wave, MakeWave(adpcm)), kWaveBadFormat);
}

TEST(WaveFileTest, LyingSizesShrinkToTheBytesReallyThere) {
  // The data chunk claims far more than the file holds, and the last frame is cut in half.
  WaveSpec spec = Tone16(22050, 10);
  spec.samples.push_back(0x7F);
  spec.claimedDataSize = 0x7FFFFFF0;
  spec.claimedRiffSize = 0xFFFFFFF0;
  WaveFile wave;
  ASSERT_EQ(OpenBytes(wave, MakeWave(spec)), kWaveOk) << wave.Reason();
  const std::size_t whole = spec.samples.size() - 1;
  EXPECT_EQ(wave.DataSize(), whole);
  const std::vector<std::uint8_t> got = ReadAll(wave, 1000);
  EXPECT_EQ(got,
            std::vector<std::uint8_t>(spec.samples.begin(),
                                      spec.samples.begin() + static_cast<std::ptrdiff_t>(whole)));

  // A chunk before "data" that claims to run past the end hides everything after it.
  WaveSpec hidden = Tone16(22050, 10);
  hidden.between.push_back({"junk", std::vector<std::uint8_t>(6, 0)});
  auto bytes = MakeWave(hidden);
  bytes[36 + 4] = 0xF0;
  bytes[36 + 5] = bytes[36 + 6] = bytes[36 + 7] = 0xFF;
  EXPECT_EQ(OpenBytes(wave, bytes), kWaveNoData);

  // A data chunk with its header and not one sample.
  WaveSpec empty = Tone16(22050, 0);
  empty.claimedDataSize = 5000;
  ASSERT_EQ(OpenBytes(wave, MakeWave(empty)), kWaveOk);
  EXPECT_EQ(wave.DataSize(), 0u);
}

TEST(WaveFileTest, OpensFilesOnDiskAndRefusesWhatIsNotAFile) {
  const auto dir = std::filesystem::temp_directory_path();
  const std::string path = (dir / ("qs-wave-test-" + std::to_string(::getpid()) + ".wav")).string();
  const WaveSpec spec = Tone16(8000, 50);
  const auto bytes = MakeWave(spec);
  {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }
  WaveFile wave;
  ASSERT_EQ(wave.Open(path.c_str()), kWaveOk) << wave.Reason();
  EXPECT_EQ(ReadAll(wave, 77), spec.samples);
  wave.Close();
  EXPECT_FALSE(wave.IsOpen());
  std::filesystem::remove(path);

  EXPECT_EQ(wave.Open(path.c_str()), kWaveCannotOpen);
  EXPECT_EQ(wave.Open(dir.string().c_str()), kWaveCannotOpen);
  EXPECT_EQ(wave.Open(static_cast<const char*>(nullptr)), kWaveCannotOpen);
}

TEST(WaveFileTest, AFifoIsRefusedWithoutWaitingForAWriter) {
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("qs-wave-fifo-" + std::to_string(::getpid()) + ".wav"))
                               .string();
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  WaveFile wave;
  std::future<int> opened = std::async(std::launch::async, [&] { return wave.Open(path.c_str()); });
  const bool finished = opened.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
  // A reader stuck in open() is let go by a writer, so that a failure ends the test.
  if (!finished) ::close(::open(path.c_str(), O_WRONLY | O_NONBLOCK));
  const int result = opened.get();
  std::filesystem::remove(path);
  EXPECT_TRUE(finished) << "opening waited for a writer on a FIFO";
  EXPECT_EQ(result, kWaveCannotOpen);
}

}  // namespace
