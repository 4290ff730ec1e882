// The effect stream's ring without a device: its sizes, the fill with silence after the data,
// the refill per chunk event, and the wait that plays a sound to its end and gives up on a device
// that has gone or stalled. How far a lying header is believed is the reader's test
// (WaveFileTest) and, end to end, the device's (SfxDeviceTest).
#include "audio/SoundStream.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/audio/WaveBytes.h"

namespace {

using namespace wave_test;

std::unique_ptr<WaveFile> Open(const WaveSpec& spec) {
  auto file = std::make_unique<WaveFile>();
  EXPECT_EQ(file->Open(MakeWave(spec)), kWaveOk) << file->Reason();
  return file;
}

TEST(SoundStreamTest, ChunkAndRingSizesComeFromTheFormat) {
  EXPECT_EQ(SfxChunkSize(22050, 2), 8268u);
  // 44,100 x 4 x 3 / 16 = 33,075: cut down to whole frames.
  EXPECT_EQ(SfxChunkSize(44100, 4), 33072u);
  EXPECT_EQ(SfxChunkSize(22050, 0), 0u);
  // A rate and block align no file should have cannot overflow the ring's size.
  EXPECT_EQ(SfxChunkSize(0xFFFFFFFFu, 0xFFFF), 0u);

  SoundStream stream;
  ASSERT_EQ(stream.Open(Open(Tone16(22050, 100))), kSfxOpened);
  EXPECT_EQ(stream.ChunkSize(), 8268u);
  EXPECT_EQ(stream.BufferSize(), 132288u);
}

TEST(SoundStreamTest, PlaysOnlyPcmFormatsItCanConvert) {
  WaveFormat pcm;
  pcm.formatTag = kWaveFormatPcm;
  pcm.channels = 2;
  pcm.samplesPerSec = 44100;
  pcm.bitsPerSample = 16;
  pcm.blockAlign = 4;
  EXPECT_TRUE(IsPlayablePcm(pcm));

  auto with = [pcm](auto change) {
    WaveFormat f = pcm;
    change(f);
    return IsPlayablePcm(f);
  };
  EXPECT_TRUE(with([](WaveFormat& f) { f.bitsPerSample = 8, f.blockAlign = 2; }));
  EXPECT_FALSE(with([](WaveFormat& f) { f.bitsPerSample = 24, f.blockAlign = 6; }));
  EXPECT_FALSE(with([](WaveFormat& f) { f.channels = 3, f.blockAlign = 6; }));
  EXPECT_FALSE(with([](WaveFormat& f) { f.blockAlign = 0xFFFF; }));
  EXPECT_FALSE(with([](WaveFormat& f) { f.blockAlign = 3; }));
  EXPECT_FALSE(with([](WaveFormat& f) { f.samplesPerSec = 0; }));
  EXPECT_FALSE(with([](WaveFormat& f) { f.samplesPerSec = 4000000000u; }));
  EXPECT_FALSE(with([](WaveFormat& f) { f.formatTag = 3; }));

  // The extensible record with the PCM sub-format plays; with another sub-format it does not.
  WaveFormat extensible = pcm;
  extensible.formatTag = kWaveFormatExtensible;
  extensible.extra = {16,   0,    3,    0,    0,    0,    0x01, 0x00, 0x00, 0x00, 0x00,
                      0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
  EXPECT_TRUE(IsPlayablePcm(extensible));
  extensible.extra[6] = 0x03;
  EXPECT_FALSE(IsPlayablePcm(extensible));
  extensible.extra.resize(10);
  EXPECT_FALSE(IsPlayablePcm(extensible));

  SoundStream stream;
  WaveSpec hugeAlign = Tone16(22050, 50);
  hugeAlign.blockAlign = 0xFFFF;
  EXPECT_EQ(stream.Open(Open(hugeAlign)), kSfxUnplayable);
  EXPECT_EQ(stream.Open(Open(Tone16(22050, 0))), kSfxEmpty);
  EXPECT_EQ(stream.Open(nullptr), kSfxNoFile);
  EXPECT_FALSE(stream.IsOpen());
  EXPECT_EQ(stream.Consume(std::vector<std::uint8_t>(64).data(), 64), 0u);
}

TEST(SoundStreamTest, AShortSoundIsFollowedBySilenceAndStopsAtItsEnd) {
  for (const std::uint16_t bits : {8, 16}) {
    WaveSpec spec;
    spec.bits = bits;
    spec.samples = Pattern(1000);  // far less than one chunk
    int wakes = 0;
    SoundStream stream([&wakes] { ++wakes; });
    ASSERT_EQ(stream.Open(Open(spec)), kSfxOpened);
    stream.Play();
    EXPECT_TRUE(stream.Playing());
    EXPECT_TRUE(stream.DataExhausted());
    const std::uint8_t silence = bits == 8 ? 0x80 : 0x00;
    EXPECT_EQ(std::vector<std::uint8_t>(stream.Ring(), stream.Ring() + 1000), spec.samples);
    for (std::uint32_t i = 1000; i < stream.BufferSize(); ++i) {
      ASSERT_EQ(stream.Ring()[i], silence) << bits << "-bit, byte " << i;
    }

    std::vector<std::uint8_t> out(4096, 0xEE);
    EXPECT_EQ(stream.Consume(out.data(), 600), 600u);
    EXPECT_FALSE(stream.Stopped());
    EXPECT_EQ(wakes, 0);
    EXPECT_EQ(stream.Consume(out.data() + 600, 3000), 400u);
    EXPECT_EQ(std::vector<std::uint8_t>(out.begin(), out.begin() + 1000), spec.samples);
    EXPECT_TRUE(stream.Stopped());
    EXPECT_FALSE(stream.Playing());
    EXPECT_EQ(wakes, 1);
    EXPECT_EQ(stream.BytesPlayed(), 1000u);
    EXPECT_EQ(stream.Consume(out.data(), 100), 0u);
  }
}

TEST(SoundStreamTest, ALongSoundIsRefilledChunkByChunkAndPlayedWhole) {
  // 40 chunks at 8 kHz 8-bit mono: 2.5 times the ring.
  WaveSpec spec;
  spec.bits = 8;
  spec.rate = 8000;
  const std::uint32_t chunk = SfxChunkSize(8000, 1);
  spec.samples = Pattern(chunk * 40 + 123);
  SoundStream stream;
  ASSERT_EQ(stream.Open(Open(spec)), kSfxOpened);
  stream.Play();
  EXPECT_FALSE(stream.DataExhausted());

  std::vector<std::uint8_t> played;
  std::vector<std::uint8_t> piece(700);
  int refills = 0;
  while (!stream.Stopped()) {
    const std::size_t got = stream.Consume(piece.data(), piece.size());
    ASSERT_GT(got, 0u) << "the ring ran dry at " << played.size();
    played.insert(played.end(), piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(got));
    for (int events = stream.TakeChunkEvents(); events > 0; --events) {
      ASSERT_TRUE(stream.Refill());
      ++refills;
    }
  }
  EXPECT_EQ(played, spec.samples);
  EXPECT_EQ(refills, 40);
  EXPECT_TRUE(stream.DataExhausted());

  // With every chunk refilled already, there is no room for one more.
  SoundStream full;
  ASSERT_EQ(full.Open(Open(spec)), kSfxOpened);
  full.Play();
  EXPECT_FALSE(full.Refill());
}

// A device run by the wait itself: every wait plays `perWait` bytes, on a clock of its own.
class FakeDevice : public SfxWaiter {
public:
  explicit FakeDevice(SoundStream& stream, std::size_t perWait)
      : stream_(stream), perWait_(perWait) {}

  bool Wait(int timeoutMs) override {
    now_ += static_cast<std::uint64_t>(timeoutMs);
    ++waits;
    if (goneAfterWaits >= 0 && waits >= goneAfterWaits) gone_ = true;
    if (gone_ || perWait_ == 0) return false;
    std::vector<std::uint8_t> piece(perWait_);
    const std::size_t got = stream_.Consume(piece.data(), piece.size());
    played.insert(played.end(), piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(got));
    return got > 0;
  }
  bool DeviceGone() override { return gone_; }
  bool OutputDrained() override { return true; }
  std::uint64_t NowMs() override { return now_; }

  std::vector<std::uint8_t> played;
  int waits = 0;
  int goneAfterWaits = -1;

private:
  SoundStream& stream_;
  std::size_t perWait_;
  std::uint64_t now_ = 1000;
  bool gone_ = false;
};

TEST(SoundStreamTest, PlayToEndWaitsForTheWholeSoundAndNoLonger) {
  // 3.5 s at 22,050 Hz: longer than the ring, so the wait must refill it.
  const WaveSpec spec = Tone16(22050, 3500);
  SoundStream stream;
  ASSERT_EQ(stream.Open(Open(spec)), kSfxOpened);
  // 10 ms of the format per wait: the device keeps real time.
  FakeDevice device(stream, 441);
  EXPECT_EQ(PlayToEnd(stream, device), SfxEnd::kPlayed);
  EXPECT_EQ(device.played, spec.samples);
  EXPECT_NEAR(device.waits, 350, 2);
}

// A stalled device is given the sound's length plus the margin (in 10 ms waits); a removed one is
// left at once. The header claims about 13 hours: the length must come from the real samples.
TEST(SoundStreamTest, PlayToEndGivesUpOnAStalledOrRemovedDevice) {
  WaveSpec lying = Tone16(22050, 300);
  lying.claimedDataSize = 0x7FFFFFF0;
  for (const bool stalls : {true, false}) {
    SoundStream stream;
    ASSERT_EQ(stream.Open(Open(lying)), kSfxOpened);
    FakeDevice device(stream, stalls ? 0 : 441);
    if (!stalls) device.goneAfterWaits = 5;
    EXPECT_EQ(PlayToEnd(stream, device), stalls ? SfxEnd::kStalled : SfxEnd::kDeviceGone);
    EXPECT_EQ(device.NowMs() - 1000, stalls ? 300 + kSfxStallMarginMs : 50);
    EXPECT_TRUE(stream.Stopped());
  }
}

}  // namespace
