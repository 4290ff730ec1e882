// File-system steps of the store on plain descriptors: nothing is opened before its type is
// known, and nothing the user may want back is ever replaced.
#include "persist/StoreFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <utility>

namespace {

// More copies than anyone keeps; past this the damaged file is left where it is.
constexpr int kMaxNumberedCopies = 999;
// As many links as the kernel itself follows in one path.
constexpr int kMaxLinks = 40;

class Descriptor {
public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  bool Close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
  int fd_;
};

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool SyncDirectory(const std::string& dir) {
  const Descriptor fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  return fd.valid() && ::fsync(fd.get()) == 0;
}

std::string CopyName(const std::string& path, int n) {
  return path + ".bad." + std::to_string(n);
}

}  // namespace

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool MakeDirectories(const std::string& dir) {
  struct stat st {};
  if (::stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  const std::string parent = DirectoryOf(dir);
  if (parent != dir && !MakeDirectories(parent)) return false;
  return ::mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
}

bool ResolveLinks(const std::string& path, std::string& target) {
  target = path;
  for (int hop = 0; hop <= kMaxLinks; ++hop) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    std::string link(4096, '\0');
    const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= link.size()) return false;
    link.resize(static_cast<std::size_t>(n));
    target = link.front() == '/' ? link : DirectoryOf(target) + "/" + link;
  }
  return false;
}

StoreFileRead ReadStoreFile(const std::string& path, std::size_t cap) {
  StoreFileRead result;
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) {
    result.state = errno == ENOENT ? StoreFileState::kMissing : StoreFileState::kUnreadable;
    return result;
  }
  // A FIFO or device would block or act on open: only the name is looked at.
  if (!S_ISREG(st.st_mode)) {
    result.state = S_ISLNK(st.st_mode) ? StoreFileState::kUnreadable : StoreFileState::kNotRegular;
    return result;
  }
  // Checked again on what was opened, in case the name changed hands in between.
  const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW));
  result.state = StoreFileState::kUnreadable;
  if (!fd.valid()) {
    if (errno == ENOENT) result.state = StoreFileState::kMissing;
    return result;
  }
  if (::fstat(fd.get(), &st) != 0) return result;
  if (!S_ISREG(st.st_mode)) {
    result.state = StoreFileState::kNotRegular;
    return result;
  }
  result.mode = st.st_mode;
  if (st.st_size < 0 || static_cast<std::uintmax_t>(st.st_size) > cap) {
    result.state = StoreFileState::kTooLarge;
    return result;
  }
  // One byte more than the cap tells a file that grew since fstat.
  std::string bytes(static_cast<std::size_t>(st.st_size) + 1, '\0');
  std::size_t got = 0;
  for (;;) {
    if (got == bytes.size()) {
      if (bytes.size() > cap) {
        result.state = StoreFileState::kTooLarge;
        return result;
      }
      bytes.resize(std::min(cap + 1, bytes.size() * 2));
    }
    const ssize_t n = ::read(fd.get(), bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return result;
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  result.bytes = std::move(bytes);
  result.state = StoreFileState::kRead;
  return result;
}

std::string KeepNumberedCopy(const std::string& path, const std::string& bytes) {
  for (int n = 1; n <= kMaxNumberedCopies; ++n) {
    const std::string name = CopyName(path, n);
    Descriptor fd(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!fd.valid()) {
      if (errno == EEXIST) continue;
      return "";
    }
    if (!WriteAll(fd.get(), bytes) || ::fsync(fd.get()) != 0 || !fd.Close()) {
      ::unlink(name.c_str());
      return "";
    }
    SyncDirectory(DirectoryOf(path));
    return name;
  }
  return "";
}

std::string MoveAsideNumbered(const std::string& path) {
  for (int n = 1; n <= kMaxNumberedCopies; ++n) {
    const std::string name = CopyName(path, n);
    if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, name.c_str(), RENAME_NOREPLACE) == 0) {
      SyncDirectory(DirectoryOf(path));
      return name;
    }
    if (errno == EEXIST) continue;
    if (errno != EINVAL && errno != ENOSYS) return "";
    // A file system that cannot refuse to replace: look first. Writers of the store hold the
    // directory's lock, so no copy of theirs appears in between.
    struct stat st {};
    if (::lstat(name.c_str(), &st) == 0) continue;
    if (::rename(path.c_str(), name.c_str()) != 0) return "";
    SyncDirectory(DirectoryOf(path));
    return name;
  }
  return "";
}

bool ReplaceStoreFile(const std::string& path, const std::string& data, mode_t mode) {
  std::string temp = path + ".tmp-XXXXXX";
  Descriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
  if (!fd.valid()) return false;
  const bool written =
      ::fchmod(fd.get(), mode & 07777) == 0 && WriteAll(fd.get(), data) && ::fsync(fd.get()) == 0;
  if (!fd.Close() || !written || ::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  // The rename itself must reach the disk before the change counts as made.
  return SyncDirectory(DirectoryOf(path));
}

void RemoveDeadTemporaries(const std::string& path) {
  const std::string prefix = path.substr(path.rfind('/') + 1) + ".tmp-";
  DIR* dir = ::opendir(DirectoryOf(path).c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (name.substr(0, prefix.size()) == prefix) ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}
