// The effect stream's ring without a device: sizes, silence after the data, and the wait that
// plays a sound to its end and gives up on a device that has gone or stalled.
#include "audio/SoundStream.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/audio/WaveBytes.h"

namespace {

using namespace wave_test;
using Bytes = std::vector<std::uint8_t>;

std::unique_ptr<WaveFile> Open(const WaveSpec& spec) {
  auto file = std::make_unique<WaveFile>();
  EXPECT_EQ(file->Open(MakeWave(spec)), kWaveOk) << file->Reason();
  return file;
}

TEST(SoundStreamTest, ChunksAreWholeFramesAndNeverOverflow) {
  EXPECT_EQ(SfxChunkSize(44100, 4), 33072u);  // 3/16 s is 33,075 bytes
  EXPECT_EQ(SfxChunkSize(22050, 0), 0u);
  EXPECT_EQ(SfxChunkSize(0xFFFFFFFFu, 0xFFFF), 0u);
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
  EXPECT_FALSE(with([](WaveFormat& f) { f.blockAlign = 3; }));
  EXPECT_FALSE(with([](WaveFormat& f) { f.samplesPerSec = 0; }));
  EXPECT_FALSE(with([](WaveFormat& f) { f.samplesPerSec = 4000000000u; }));
  EXPECT_FALSE(with([](WaveFormat& f) { f.formatTag = 3; }));
  // The extensible record plays with the PCM sub-format only.
  WaveFormat ext = pcm;
  ext.formatTag = kWaveFormatExtensible;
  ext.extra = {16, 0, 3, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
  EXPECT_TRUE(IsPlayablePcm(ext));
  ext.extra[6] = 3;
  EXPECT_FALSE(IsPlayablePcm(ext));
  ext.extra.resize(10);
  EXPECT_FALSE(IsPlayablePcm(ext));

  SoundStream stream;
  WaveSpec hugeAlign = Tone16(22050, 50);
  hugeAlign.blockAlign = 0xFFFF;
  EXPECT_EQ(stream.Open(Open(hugeAlign)), kSfxUnplayable);
  EXPECT_EQ(stream.Open(Open(Tone16(22050, 0))), kSfxEmpty);
  EXPECT_EQ(stream.Open(nullptr), kSfxNoFile);
  EXPECT_EQ(stream.Consume(Bytes(64).data(), 64), 0u);
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
    const Bytes ring(stream.Ring(), stream.Ring() + stream.BufferSize());
    EXPECT_EQ(Bytes(ring.begin(), ring.begin() + 1000), spec.samples);
    EXPECT_EQ(Bytes(ring.begin() + 1000, ring.end()),
              Bytes(stream.BufferSize() - 1000, bits == 8 ? 0x80 : 0x00))
        << bits << "-bit silence";
    Bytes out(4096, 0xEE);
    EXPECT_EQ(stream.Consume(out.data(), 600), 600u);
    EXPECT_FALSE(stream.Stopped());
    EXPECT_EQ(wakes, 0);
    EXPECT_EQ(stream.Consume(out.data() + 600, 3000), 400u);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 1000), spec.samples);
    EXPECT_TRUE(stream.Stopped());
    EXPECT_FALSE(stream.Playing());
    EXPECT_EQ(wakes, 1);
    EXPECT_EQ(stream.Consume(out.data(), 100), 0u);
  }
}

// A device run by the wait itself: every wait plays `perWait` bytes, on a clock of its own.
class FakeDevice : public SfxWaiter {
public:
  FakeDevice(SoundStream& stream, std::size_t perWait) : stream_(stream), perWait_(perWait) {}
  bool Wait(int timeoutMs) override {
    now_ += static_cast<std::uint64_t>(timeoutMs);
    if (++waits == goneAfterWaits) gone_ = true;
    if (gone_ || perWait_ == 0) return false;
    Bytes piece(perWait_);
    const std::size_t got = stream_.Consume(piece.data(), piece.size());
    played.insert(played.end(), piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(got));
    return got > 0;
  }
  bool DeviceGone() override { return gone_; }
  bool OutputDrained() override { return true; }
  std::uint64_t NowMs() override { return now_; }

  Bytes played;
  int waits = 0;
  int goneAfterWaits = -1;

private:
  SoundStream& stream_;
  std::size_t perWait_;
  std::uint64_t now_ = 1000;
  bool gone_ = false;
};

// 3.5 s is longer than the ring, so the wait refills it; every byte plays, the tail included.
TEST(SoundStreamTest, PlayToEndWaitsForTheWholeSoundAndNoLonger) {
  const WaveSpec spec = Tone16(22050, 3500);
  SoundStream stream;
  ASSERT_EQ(stream.Open(Open(spec)), kSfxOpened);
  FakeDevice device(stream, 441);  // 10 ms of the format per wait: real time
  EXPECT_EQ(PlayToEnd(stream, device), SfxEnd::kPlayed);
  EXPECT_EQ(device.played, spec.samples);
  EXPECT_NEAR(device.waits, 350, 2);
}

// A stalled device gets the sound's length plus the margin; a removed one is left at once. The
// header claims about 13 hours: the length must come from the real samples.
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
