// The ring is a single-producer, single-consumer queue over two byte counters: the window's
// thread only writes `written_`, the device's thread only writes `read_`, so neither side ever
// touches bytes the other is using, and no lock is held while the device plays.
#include "audio/SoundStream.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace {

// Rates outside this range are no sound anyone recorded on purpose, and they keep the ring's
// size bounded (about 3 seconds of 192 kHz 16-bit stereo at most).
constexpr std::uint32_t kMinRate = 1000;
constexpr std::uint32_t kMaxRate = 192000;

// A refill that finds no room is tried again this many times, 10 ms apart.
constexpr int kRefillRetries = 5;
constexpr int kWaitMs = 10;

// The tail of the KSDATAFORMAT_SUBTYPE_PCM GUID, after its 16-bit format tag.
constexpr std::array<std::uint8_t, 14> kPcmGuidTail = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                                       0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

bool IsPcmTag(const WaveFormat& format) {
  if (format.formatTag == kWaveFormatPcm) return true;
  if (format.formatTag != kWaveFormatExtensible || format.extra.size() < 22) return false;
  // The extensible record: valid bits (2), channel mask (4), then the sub-format GUID.
  const std::uint8_t* guid = format.extra.data() + 6;
  return guid[0] == 0x01 && guid[1] == 0x00 &&
         std::equal(kPcmGuidTail.begin(), kPcmGuidTail.end(), guid + 2);
}

}  // namespace

std::uint32_t SfxChunkSize(std::uint32_t samplesPerSec, std::uint32_t blockAlign) {
  if (blockAlign == 0) return 0;
  const std::uint64_t bytes = std::uint64_t{samplesPerSec} * blockAlign * 3 / 16;
  const std::uint64_t whole = bytes - bytes % blockAlign;
  // Kept far below the limits of the counters that index the ring.
  if (whole > UINT32_MAX / kSfxRingChunks) return 0;
  return static_cast<std::uint32_t>(whole);
}

bool IsPlayablePcm(const WaveFormat& format) {
  if (!IsPcmTag(format)) return false;
  if (format.bitsPerSample != 8 && format.bitsPerSample != 16) return false;
  if (format.channels != 1 && format.channels != 2) return false;
  if (format.blockAlign != format.channels * format.bitsPerSample / 8) return false;
  return format.samplesPerSec >= kMinRate && format.samplesPerSec <= kMaxRate;
}

SoundStream::SoundStream(std::function<void()> wake) : wake_(std::move(wake)) {}

const WaveFormat& SoundStream::Format() const {
  static const WaveFormat none;
  return file_ ? file_->Format() : none;
}

int SoundStream::Open(std::unique_ptr<WaveFile> file) {
  Close();
  if (!file || !file->IsOpen()) return kSfxNoFile;
  const WaveFormat& format = file->Format();
  if (!IsPlayablePcm(format)) return kSfxUnplayable;
  const std::uint32_t chunk = SfxChunkSize(format.samplesPerSec, format.blockAlign);
  if (chunk == 0) return kSfxUnplayable;
  if (file->DataSize() < format.blockAlign) return kSfxEmpty;
  chunkSize_ = chunk;
  bufferSize_ = chunk * kSfxRingChunks;
  ring_ = std::make_unique<std::uint8_t[]>(bufferSize_);
  dataSize_ = file->DataSize();
  // The sound ends with its last real sample. (Stopping a whole chunk earlier, as a coarser
  // play position would force, cuts the tail off every effect longer than a chunk.)
  stopAt_ = dataSize_;
  silence_ = format.bitsPerSample == 8 ? 0x80 : 0x00;
  file_ = std::move(file);
  return kSfxOpened;
}

void SoundStream::Close() {
  playing_.store(false, std::memory_order_release);
  stopped_.store(false, std::memory_order_release);
  file_.reset();
  ring_.reset();
  chunkSize_ = 0;
  bufferSize_ = 0;
  dataSize_ = 0;
  stopAt_ = 0;
  exhausted_ = false;
  written_.store(0, std::memory_order_release);
  read_.store(0, std::memory_order_release);
  chunkEvents_.store(0, std::memory_order_release);
}

void SoundStream::Fill(std::uint8_t* area, std::size_t length) {
  std::size_t got = exhausted_ ? 0 : file_->Read(length, area);
  if (got < length) {
    // After the data, silence: the ring keeps playing until the stop comes.
    std::memset(area + got, silence_, length - got);
    exhausted_ = true;
  }
}

void SoundStream::Play() {
  if (!file_) return;
  playing_.store(false, std::memory_order_release);
  file_->Rewind();
  exhausted_ = false;
  read_.store(0, std::memory_order_release);
  chunkEvents_.store(0, std::memory_order_release);
  stopped_.store(false, std::memory_order_release);
  Fill(ring_.get(), bufferSize_);
  written_.store(bufferSize_, std::memory_order_release);
  playing_.store(true, std::memory_order_release);
}

bool SoundStream::Refill() {
  if (!file_) return false;
  const std::uint64_t played = read_.load(std::memory_order_acquire);
  const std::uint64_t written = written_.load(std::memory_order_relaxed);
  if (played + bufferSize_ < written + chunkSize_) return false;
  Fill(ring_.get() + written % bufferSize_, chunkSize_);
  written_.store(written + chunkSize_, std::memory_order_release);
  if (exhausted_ && played >= stopAt_) Stop();
  return true;
}

void SoundStream::Stop() {
  playing_.store(false, std::memory_order_release);
  stopped_.store(true, std::memory_order_release);
  Signal();
}

void SoundStream::Signal() {
  if (wake_) wake_();
}

std::size_t SoundStream::Consume(std::uint8_t* out, std::size_t maxBytes) {
  if (!playing_.load(std::memory_order_acquire) || bufferSize_ == 0) return 0;
  const std::uint64_t read = read_.load(std::memory_order_relaxed);
  const std::uint64_t written = written_.load(std::memory_order_acquire);
  const std::uint32_t frame = Format().blockAlign;
  std::uint64_t count = std::min<std::uint64_t>({maxBytes, written - read, stopAt_ - read});
  count -= count % frame;
  // The ring may wrap inside the piece: copy it in two parts.
  const std::uint64_t at = read % bufferSize_;
  const std::uint64_t first = std::min<std::uint64_t>(count, bufferSize_ - at);
  std::memcpy(out, ring_.get() + at, first);
  std::memcpy(out + first, ring_.get(), count - first);
  const std::uint64_t now = read + count;
  read_.store(now, std::memory_order_release);

  const auto crossed = static_cast<int>(now / chunkSize_ - read / chunkSize_);
  bool wake = false;
  if (crossed > 0) {
    chunkEvents_.fetch_add(crossed, std::memory_order_acq_rel);
    wake = true;
  }
  if (now >= stopAt_) {
    playing_.store(false, std::memory_order_release);
    stopped_.store(true, std::memory_order_release);
    wake = true;
  }
  if (wake) Signal();
  return static_cast<std::size_t>(count);
}

int SoundStream::TakeChunkEvents() {
  return chunkEvents_.exchange(0, std::memory_order_acq_rel);
}

std::uint64_t SoundStream::LengthMs() const {
  const std::uint64_t bytesPerSecond = std::uint64_t{Format().samplesPerSec} * Format().blockAlign;
  if (bytesPerSecond == 0) return 0;
  return (std::uint64_t{dataSize_} * 1000 + bytesPerSecond - 1) / bytesPerSecond;
}

SfxEnd PlayToEnd(SoundStream& stream, SfxWaiter& device) {
  if (!stream.IsOpen()) return SfxEnd::kPlayed;
  stream.Play();
  const std::uint64_t deadline = device.NowMs() + stream.LengthMs() + kSfxStallMarginMs;
  for (;;) {
    if (stream.Stopped() && device.OutputDrained()) return SfxEnd::kPlayed;
    if (device.DeviceGone()) {
      stream.Stop();
      return SfxEnd::kDeviceGone;
    }
    if (device.NowMs() >= deadline) {
      stream.Stop();
      return SfxEnd::kStalled;
    }
    device.Wait(kWaitMs);
    for (int events = stream.TakeChunkEvents(); events > 0 && !stream.Stopped(); --events) {
      int tries = 0;
      while (!stream.Refill()) {
        if (++tries > kRefillRetries) {
          stream.Stop();
          return SfxEnd::kRefillFailed;
        }
        device.Wait(kWaitMs);
      }
    }
  }
}
