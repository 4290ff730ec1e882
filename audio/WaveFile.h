// Reads one RIFF WAVE file: its format record and then the samples of its "data" chunk, a piece
// at a time, so a sound is streamed from disk instead of being loaded whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

// The format record as the file stores it (the extra bytes only for formats other than PCM).
struct WaveFormat {
  std::uint16_t formatTag = 0;
  std::uint16_t channels = 0;
  std::uint32_t samplesPerSec = 0;
  std::uint32_t avgBytesPerSec = 0;
  std::uint16_t blockAlign = 0;
  std::uint16_t bitsPerSample = 0;
  std::uint16_t extraSize = 0;
  std::vector<std::uint8_t> extra;
};

inline constexpr std::uint16_t kWaveFormatPcm = 1;
inline constexpr std::uint16_t kWaveFormatExtensible = 0xFFFE;

// Results of WaveFile::Open; Reason() adds why.
enum WaveResult : int {
  kWaveOk = 0,
  kWaveCannotOpen = -1,  // Missing, unreadable, or not a regular file.
  kWaveNotWave = -2,     // The first chunk is not "RIFF" with form type "WAVE".
  kWaveBadFormat = -3,   // No usable "fmt " chunk.
  kWaveNoData = -4,      // No "data" chunk.
};

class WaveFile {
public:
  WaveFile() = default;
  ~WaveFile() { Close(); }
  WaveFile(const WaveFile&) = delete;
  WaveFile& operator=(const WaveFile&) = delete;

  // Opens the file and reads its format; the next Read starts at the first sample.
  int Open(const char* path);
  // The same over bytes already in memory (tests, fuzzing).
  int Open(std::vector<std::uint8_t> bytes);
  // Back to the first sample.
  void Rewind();
  // Copies up to `count` bytes of the samples not yet read; returns how many. Fewer than asked
  // means the data has ended (or the file stopped giving bytes).
  std::size_t Read(std::size_t count, std::uint8_t* destination);
  void Close();

  bool IsOpen() const { return file_ != nullptr || memoryOpen_; }
  const WaveFormat& Format() const { return format_; }
  // The bytes of whole sample frames the file really holds: a "data" chunk that claims more
  // than the file contains counts only what is there.
  std::uint32_t DataSize() const { return dataSize_; }
  std::uint32_t DataLeft() const { return dataLeft_; }
  // A short fixed text saying why the last Open failed ("done" after success).
  const char* Reason() const { return reason_; }

private:
  int Parse();
  int Fail(int code, const char* reason);
  bool ReadAt(std::uint64_t offset, void* destination, std::size_t count);

  std::FILE* file_ = nullptr;
  bool memoryOpen_ = false;
  std::vector<std::uint8_t> memory_;
  std::uint64_t size_ = 0;
  WaveFormat format_;
  std::uint64_t dataStart_ = 0;
  std::uint32_t dataSize_ = 0;
  std::uint32_t dataLeft_ = 0;
  const char* reason_ = "not opened";
};
