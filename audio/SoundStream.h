// Streams one sound effect through a ring of 16 chunks: the window's thread fills a chunk each
// time the device has played one, the device's thread takes the bytes, and the caller waits
// until the sound has played to its end. No device here, so the whole cycle is testable.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "audio/WaveFile.h"

inline constexpr int kSfxRingChunks = 16;

// Bytes in one chunk of the ring: about 3/16 of a second of the format, rounded down to whole
// sample frames. 0 for a format with no frames.
std::uint32_t SfxChunkSize(std::uint32_t samplesPerSec, std::uint32_t blockAlign);

// Whether the stream can play the format: PCM (plain or in the extensible record), 8 or 16
// bits, one or two channels, a block align that matches them, and a sample rate a device can
// be asked to convert from.
bool IsPlayablePcm(const WaveFormat& format);

// Results of SoundStream::Open.
enum SfxOpenResult : int {
  kSfxOpened = 0,
  kSfxNoFile = -1,      // The WAVE file could not be opened.
  kSfxUnplayable = -2,  // A format the stream does not play.
  kSfxEmpty = -3,       // Not one whole sample frame to play.
};

class SoundStream {
public:
  // `wake` runs on the consuming thread each time a chunk has been played or the sound stopped:
  // the two events a waiting Play loop listens for.
  explicit SoundStream(std::function<void()> wake = {});

  // Takes the file (opened already) as the sound to play and sizes the ring from its format.
  // The previous sound is dropped first. Must not overlap Consume: the device lock sees to it.
  int Open(std::unique_ptr<WaveFile> file);
  void Close();

  // Fills the whole ring from the start of the data and starts playing. Window's thread.
  void Play();
  // One chunk event: fills the chunk just played with the next bytes. False when there was no
  // room for a chunk (the device has not played one since the last refill).
  bool Refill();
  // Stops at once; the stop event follows.
  void Stop();

  // Device thread: copies up to `maxBytes` (whole frames) of the sound to `out` and returns how
  // many. 0 once stopped, or when the window's thread has not caught up yet. Reaching the end of
  // the real samples stops the sound.
  std::size_t Consume(std::uint8_t* out, std::size_t maxBytes);

  // The events, as the waiting thread sees them: chunk events not yet handled (taken at once).
  int TakeChunkEvents();
  bool Stopped() const { return stopped_.load(std::memory_order_acquire); }
  bool Playing() const { return playing_.load(std::memory_order_acquire); }

  bool IsOpen() const { return file_ != nullptr; }
  const WaveFormat& Format() const;
  std::uint32_t ChunkSize() const { return chunkSize_; }
  std::uint32_t BufferSize() const { return bufferSize_; }
  std::uint32_t DataSize() const { return dataSize_; }
  // The ring itself, for tests that check what a fill left in it.
  const std::uint8_t* Ring() const { return ring_.get(); }
  // How long the data takes to play, in milliseconds.
  std::uint64_t LengthMs() const;

private:
  void Fill(std::uint8_t* area, std::size_t length);
  void Signal();

  std::function<void()> wake_;
  std::unique_ptr<WaveFile> file_;
  std::unique_ptr<std::uint8_t[]> ring_;
  std::uint32_t chunkSize_ = 0;
  std::uint32_t bufferSize_ = 0;
  std::uint32_t dataSize_ = 0;
  std::uint32_t stopAt_ = 0;
  std::uint8_t silence_ = 0;
  bool exhausted_ = false;  // window's thread only

  // Bytes ever written to and taken from the ring. Each side writes one of them; the other
  // reads it, which is what makes the bytes between them safe to touch.
  std::atomic<std::uint64_t> written_{0};
  std::atomic<std::uint64_t> read_{0};
  std::atomic<bool> playing_{false};
  std::atomic<bool> stopped_{false};
  std::atomic<int> chunkEvents_{0};
};

// What the wait for a sound needs from the device it plays on.
class SfxWaiter {
public:
  virtual ~SfxWaiter() = default;
  // Waits up to `timeoutMs` for the stream's wake; true when woken.
  virtual bool Wait(int timeoutMs) = 0;
  // True once the device has gone (unplugged, or its driver gave up).
  virtual bool DeviceGone() = 0;
  // True when everything the stream handed over has reached the device.
  virtual bool OutputDrained() = 0;
  virtual std::uint64_t NowMs() = 0;
};

enum class SfxEnd {
  kPlayed,        // played to its end
  kDeviceGone,    // the device went away while it played
  kStalled,       // the device stopped taking bytes: the wait gave up after the sound's length
  kRefillFailed,  // the ring had no room for six tries in a row
};

// How much longer than its own length a sound may keep the caller waiting when the device
// stalls.
inline constexpr std::uint64_t kSfxStallMarginMs = 750;

// Plays the open sound to its end and returns then: waits for the events 10 ms at a time,
// refills on each chunk event, and never waits longer than the sound's length plus the margin.
SfxEnd PlayToEnd(SoundStream& stream, SfxWaiter& device);
