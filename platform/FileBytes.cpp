// Whole-file reading under a cap and whole-file writing, on plain POSIX descriptors so the size
// can be checked with fstat before a byte is read.
#include "platform/FileBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace {

// Owns one open descriptor; the only file handle owner in the program.
class FileDescriptor {
public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now and says whether the last writes reached the file.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

private:
  int fd_;
};

// read(2) that retries on interruption; -1 on error.
ssize_t ReadSome(int fd, std::uint8_t* into, std::size_t count) {
  for (;;) {
    const ssize_t n = ::read(fd, into, count);
    if (n >= 0 || errno != EINTR) return n;
  }
}

// Pipes and devices report no useful size, so they are read in steps of this many bytes.
constexpr std::size_t kStreamStep = 4096;

}  // namespace

const char* FileBytesReason(FileBytesStatus status) {
  switch (status) {
    case FileBytesStatus::kOk:
      return "done";
    case FileBytesStatus::kCannotOpen:
      return "cannot open file";
    case FileBytesStatus::kTooLarge:
      return "file too large";
    case FileBytesStatus::kReadError:
      return "read error";
  }
  return "read error";
}

FileBytesStatus ReadFileBytes(const char* path, std::size_t cap, std::vector<std::uint8_t>& out) {
  out.clear();
  if (path == nullptr) return FileBytesStatus::kCannotOpen;
  FileDescriptor file(::open(path, O_RDONLY | O_CLOEXEC));
  if (!file.valid()) return FileBytesStatus::kCannotOpen;
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) return FileBytesStatus::kReadError;
  if (S_ISDIR(info.st_mode)) return FileBytesStatus::kCannotOpen;

  const bool regular = S_ISREG(info.st_mode);
  std::size_t expected = kStreamStep;
  if (regular) {
    if (info.st_size < 0 || static_cast<std::uintmax_t>(info.st_size) > cap) {
      return FileBytesStatus::kTooLarge;
    }
    expected = static_cast<std::size_t>(info.st_size);
  }

  std::vector<std::uint8_t> bytes(std::min(expected, cap));
  std::size_t got = 0;
  for (;;) {
    if (got == bytes.size()) {
      if (got == cap) {
        // Full to the cap: anything more makes the file too large. A regular file says so
        // through its size; a stream has to be asked for one more byte.
        if (regular) {
          if (::fstat(file.get(), &info) != 0) return FileBytesStatus::kReadError;
          if (static_cast<std::uintmax_t>(info.st_size) > cap) return FileBytesStatus::kTooLarge;
          break;
        }
        std::uint8_t probe;
        const ssize_t n = ReadSome(file.get(), &probe, 1);
        if (n < 0) return FileBytesStatus::kReadError;
        if (n > 0) return FileBytesStatus::kTooLarge;
        break;
      }
      // The file grew since fstat, or is a stream: make room for the next step. Reserving first
      // keeps the vector from rounding its capacity up past the cap.
      const std::size_t room = std::min(cap, got + std::max(got, kStreamStep));
      bytes.reserve(room);
      bytes.resize(room);
    }
    const ssize_t n = ReadSome(file.get(), bytes.data() + got, bytes.size() - got);
    if (n < 0) return FileBytesStatus::kReadError;
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  out = std::move(bytes);
  return FileBytesStatus::kOk;
}

bool WriteFileBytes(const char* path, const std::uint8_t* data, std::size_t size) {
  if (path == nullptr || (data == nullptr && size > 0)) return false;
  FileDescriptor file(::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (!file.valid()) return false;
  std::size_t written = 0;
  while (written < size) {
    const ssize_t n = ::write(file.get(), data + written, size - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return file.Close();
}
