// Reading and atomically replacing the store's file: a temporary file beside it is written,
// flushed and renamed over it, and the directory is flushed too, under a lock on the directory.
#include "persist/Registry.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/FileBytes.h"

namespace {

// A hundred times what the program writes; a larger file is treated as damaged rather than read.
// The cap also bounds the parse, whose name lookups are linear in the number of siblings.
constexpr std::size_t kMaxFileBytes = 1u << 20;

// Owns one descriptor for the length of an operation.
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
  bool Close() {
    const int fd = std::exchange(fd_, -1);
    return ::close(fd) == 0;
  }

private:
  int fd_;
};

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// mkdir -p with private permissions; true when the directory exists afterwards.
bool MakeDirectories(const std::string& dir) {
  struct stat st {};
  if (::stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  const std::string parent = DirectoryOf(dir);
  if (parent != dir && !MakeDirectories(parent)) return false;
  return ::mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
}

int LockDirectory(const std::string& dir, int how) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return -1;
  while (::flock(fd, how) != 0) {
    if (errno != EINTR) {
      ::close(fd);
      return -1;
    }
  }
  return fd;
}

enum class LoadResult { kLoaded, kUnreadable };

// The store's file into `tree`. Missing: empty. Damaged: renamed to .bad, empty. An I/O error
// gives kUnreadable, so that a change does not overwrite a store it could not see.
LoadResult LoadTree(const std::string& path, RegistryTree& tree) {
  tree = RegistryTree();
  std::vector<std::uint8_t> bytes;
  const FileBytesStatus status = ReadFileBytes(path.c_str(), kMaxFileBytes, bytes);
  if (status == FileBytesStatus::kCannotOpen) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
      // Missing is normal; anything else that stops stat is not something to overwrite.
      return errno == ENOENT ? LoadResult::kLoaded : LoadResult::kUnreadable;
    }
    // A directory in the file's place can never become the store: it is moved aside like a
    // damaged file, so the player's settings can be saved again. A file that merely cannot be
    // opened (permissions) is left alone.
    if (!S_ISDIR(st.st_mode)) return LoadResult::kUnreadable;
  }
  if (status == FileBytesStatus::kReadError) return LoadResult::kUnreadable;
  if (status == FileBytesStatus::kOk) {
    if (bytes.empty()) return LoadResult::kLoaded;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (std::optional<RegistryTree> parsed = RegistryTree::Parse(text)) {
      tree = std::move(*parsed);
      return LoadResult::kLoaded;
    }
  }
  // Kept for whoever wants to look at it; the next change starts a fresh file.
  const std::string bad = path + ".bad";
  ::rename(path.c_str(), bad.c_str());
  return LoadResult::kLoaded;
}

bool WriteAll(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// A writer killed between creating its temporary file and renaming it leaves the file behind.
// Under the exclusive lock no other writer is at work, so every such file is a dead one's.
void RemoveDeadTemporaries(const std::string& dirPath, const std::string& path) {
  const std::string prefix = path.substr(path.rfind('/') + 1) + ".tmp-";
  DIR* dir = ::opendir(dirPath.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name(entry->d_name);
    if (name.substr(0, prefix.size()) == prefix) ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

// Replaces `path` with `data` through a temporary file in the same directory.
bool ReplaceFile(const std::string& path, int dirFd, const std::string& data) {
  std::string temp = path + ".tmp-XXXXXX";
  Descriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
  if (!fd.valid()) return false;
  const bool written = WriteAll(fd.get(), data) && ::fsync(fd.get()) == 0;
  if (!fd.Close() || !written || ::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  // The rename itself must reach the disk before the change counts as made.
  return ::fsync(dirFd) == 0;
}

}  // namespace

Registry::Registry(std::string filePath) : path_(std::move(filePath)) {}

std::string Registry::DefaultFilePath() {
  std::string base;
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') {
    base = config;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home != nullptr ? home : "") + "/.config";
  }
  return base + "/quenbry-solitaire/registry.reg";
}

RegistryTree Registry::Read() const {
  RegistryTree tree;
  Descriptor dir(LockDirectory(DirectoryOf(path_), LOCK_SH));
  if (!dir.valid()) return tree;
  LoadTree(path_, tree);
  return tree;
}

bool Registry::Change(const std::function<void(RegistryTree&)>& edit) const {
  const std::string dirPath = DirectoryOf(path_);
  RegistryTree tree;
  Descriptor dir(MakeDirectories(dirPath) ? LockDirectory(dirPath, LOCK_EX) : -1);
  if (!dir.valid() || LoadTree(path_, tree) != LoadResult::kLoaded) {
    // Callers read their values through the edit, so it runs on what can be seen (the defaults
    // when nothing can) even though nothing will be written.
    RegistryTree visible = dir.valid() ? RegistryTree() : Read();
    edit(visible);
    return false;
  }
  RemoveDeadTemporaries(dirPath, path_);
  const RegistryTree before = tree;
  edit(tree);
  if (tree == before) return true;
  return ReplaceFile(path_, dir.get(), tree.Serialise());
}
