// The RIFF walk trusts no length in the file: every chunk is checked against the end of its parent
// and of the file before a byte of it is read, and the sample count is what the file really holds.
#include "audio/WaveFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr std::uint64_t kRiffHeaderSize = 12;  // "RIFF", size, form type
constexpr std::uint64_t kChunkHeaderSize = 8;  // id, size
constexpr std::uint32_t kFormatSize = 16;      // the fixed part of the format record

std::uint16_t U16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t U32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

struct Chunk {
  std::uint64_t dataStart = 0;  // first byte after the chunk header
  std::uint32_t size = 0;       // as declared: may run past the end
};

}  // namespace

int WaveFile::Open(const char* path) {
  Close();
  if (path == nullptr) return Fail(kWaveCannotOpen, "no path");
  // Non-blocking, so that a FIFO in a sound's place is refused at once instead of waiting for a
  // writer; the type is checked on the open file, so it cannot change in between.
  const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Fail(kWaveCannotOpen, "cannot open file");
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0) {
    ::close(fd);
    return Fail(kWaveCannotOpen, "not a regular file");
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  file_ = ::fdopen(fd, "rb");
  if (file_ == nullptr) {
    ::close(fd);
    return Fail(kWaveCannotOpen, "cannot open file");
  }
  size_ = static_cast<std::uint64_t>(info.st_size);
  return Parse();
}

int WaveFile::Open(std::vector<std::uint8_t> bytes) {
  Close();
  memory_ = std::move(bytes);
  memoryOpen_ = true;
  size_ = memory_.size();
  return Parse();
}

void WaveFile::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  memoryOpen_ = false;
  memory_.clear();
  memory_.shrink_to_fit();
  size_ = 0;
  format_ = WaveFormat{};
  dataStart_ = 0;
  dataSize_ = 0;
  dataLeft_ = 0;
}

int WaveFile::Fail(int code, const char* reason) {
  // A failed open leaves nothing behind, as if it had never been tried.
  Close();
  reason_ = reason;
  return code;
}

bool WaveFile::ReadAt(std::uint64_t offset, void* destination, std::size_t count) {
  if (offset > size_ || count > size_ - offset) return false;
  if (count == 0) return true;
  if (memoryOpen_) {
    std::memcpy(destination, memory_.data() + offset, count);
    return true;
  }
  if (file_ == nullptr) return false;
  if (::fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
  return std::fread(destination, 1, count, file_) == count;
}

int WaveFile::Parse() {
  std::uint8_t header[kRiffHeaderSize];
  if (!ReadAt(0, header, sizeof header)) return Fail(kWaveNotWave, "shorter than a RIFF header");
  if (std::memcmp(header, "RIFF", 4) != 0) return Fail(kWaveNotWave, "first chunk is not RIFF");
  if (std::memcmp(header + 8, "WAVE", 4) != 0) return Fail(kWaveNotWave, "form type is not WAVE");
  const std::uint32_t riffSize = U32(header + 4);
  if (riffSize < 4) return Fail(kWaveNotWave, "RIFF chunk too short");
  // A RIFF size past the end of the file is common in cut files; the file's end wins.
  const std::uint64_t riffEnd = std::min<std::uint64_t>(kChunkHeaderSize + riffSize, size_);

  // Looks for `id` among the chunks inside the RIFF chunk, from just after the form type.
  auto find = [this, riffEnd](const char* id, Chunk& found) {
    std::uint64_t at = kRiffHeaderSize;
    while (at + kChunkHeaderSize <= riffEnd) {
      std::uint8_t chunkHeader[kChunkHeaderSize];
      if (!ReadAt(at, chunkHeader, sizeof chunkHeader)) return false;
      const std::uint32_t size = U32(chunkHeader + 4);
      if (std::memcmp(chunkHeader, id, 4) == 0) {
        found = {at + kChunkHeaderSize, size};
        return true;
      }
      // Chunks start on even offsets: an odd-sized chunk is followed by one pad byte.
      at += kChunkHeaderSize + size + (size & 1u);
    }
    return false;
  };

  Chunk fmt;
  if (!find("fmt ", fmt)) return Fail(kWaveBadFormat, "no fmt chunk");
  if (fmt.size < kFormatSize) return Fail(kWaveBadFormat, "fmt chunk shorter than 16 bytes");
  const std::uint64_t fmtEnd = std::min<std::uint64_t>(fmt.dataStart + fmt.size, riffEnd);
  std::uint8_t record[kFormatSize];
  if (fmt.dataStart + kFormatSize > fmtEnd || !ReadAt(fmt.dataStart, record, sizeof record)) {
    return Fail(kWaveBadFormat, "fmt chunk past the end of the file");
  }
  format_.formatTag = U16(record);
  format_.channels = U16(record + 2);
  format_.samplesPerSec = U32(record + 4);
  format_.avgBytesPerSec = U32(record + 8);
  format_.blockAlign = U16(record + 12);
  format_.bitsPerSample = U16(record + 14);
  if (format_.formatTag != kWaveFormatPcm) {
    std::uint8_t extraSize[2];
    const std::uint64_t extraAt = fmt.dataStart + kFormatSize;
    if (extraAt + 2 > fmtEnd || !ReadAt(extraAt, extraSize, 2)) {
      return Fail(kWaveBadFormat, "no extra size in fmt chunk");
    }
    format_.extraSize = U16(extraSize);
    if (extraAt + 2 + format_.extraSize > fmtEnd) {
      return Fail(kWaveBadFormat, "extra bytes past the fmt chunk");
    }
    format_.extra.resize(format_.extraSize);
    if (!ReadAt(extraAt + 2, format_.extra.data(), format_.extra.size())) {
      return Fail(kWaveBadFormat, "cannot read extra bytes");
    }
  }
  if (format_.channels == 0) return Fail(kWaveBadFormat, "zero channels");
  if (format_.blockAlign == 0) return Fail(kWaveBadFormat, "zero block align");
  if (format_.samplesPerSec == 0) return Fail(kWaveBadFormat, "zero sample rate");

  Chunk data;
  if (!find("data", data)) return Fail(kWaveNoData, "no data chunk");
  dataStart_ = data.dataStart;
  // Only the samples the file really holds are played, and only whole frames of them.
  const std::uint64_t present = size_ > dataStart_ ? size_ - dataStart_ : 0;
  std::uint64_t usable = std::min<std::uint64_t>(data.size, present);
  usable -= usable % format_.blockAlign;
  dataSize_ = static_cast<std::uint32_t>(usable);
  dataLeft_ = dataSize_;
  reason_ = "done";
  return kWaveOk;
}

void WaveFile::Rewind() {
  dataLeft_ = dataSize_;
}

std::size_t WaveFile::Read(std::size_t count, std::uint8_t* destination) {
  if (!IsOpen() || destination == nullptr) return 0;
  const std::size_t wanted = std::min<std::size_t>(count, dataLeft_);
  if (wanted == 0) return 0;
  const std::uint64_t at = dataStart_ + (dataSize_ - dataLeft_);
  if (memoryOpen_) {
    if (!ReadAt(at, destination, wanted)) return 0;
    dataLeft_ -= static_cast<std::uint32_t>(wanted);
    return wanted;
  }
  // A file that shrank while it plays gives what it still has, and then the data has ended.
  if (::fseeko(file_, static_cast<off_t>(at), SEEK_SET) != 0) {
    dataLeft_ = 0;
    return 0;
  }
  const std::size_t got = std::fread(destination, 1, wanted, file_);
  dataLeft_ = got == wanted ? dataLeft_ - static_cast<std::uint32_t>(got) : 0;
  return got;
}
