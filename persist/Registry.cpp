// The store's rules on top of the file: locking, reading what can be read, setting damaged files
// right once under the write lock, and refusing to write where the player said not to.
#include "persist/Registry.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "persist/StoreFile.h"
#include "persist/StoreWarning.h"

namespace {

constexpr const char* kStoreBelowConfig = "/quenbry-solitaire/registry.reg";

// Holds a lock on the store's directory for the length of an operation.
class DirectoryLock {
public:
  DirectoryLock(const std::string& dir, int how)
      : fd_(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    while (fd_ >= 0 && ::flock(fd_, how) != 0) {
      if (errno != EINTR) Release();
    }
  }
  ~DirectoryLock() { Release(); }
  DirectoryLock(const DirectoryLock&) = delete;
  DirectoryLock& operator=(const DirectoryLock&) = delete;
  bool held() const { return fd_ >= 0; }
  void Release() {
    if (fd_ >= 0) ::close(std::exchange(fd_, -1));
  }

private:
  int fd_;
};

// The store's file as one read found it.
struct Loaded {
  enum Kind {
    kEmpty,       // No file, or an empty one.
    kParsed,      // A store, perhaps with lines left out.
    kNoStore,     // Something that is no store at all, to be moved aside whole.
    kUnreadable,  // Not to be touched: it may hold data that cannot be seen now.
  };
  Kind kind = kEmpty;
  std::string target;  // The file itself, where any link leads.
  StoreFileRead file;
  RegistryParseResult parse;
  const char* whyNoStore = "";

  bool NeedsRepair() const {
    return kind == kNoStore || (kind == kParsed && !parse.skipped.empty());
  }
  // No write bit at all: the player's way of saying "leave this file as it is".
  bool ReadOnly() const {
    const bool regular =
        file.state == StoreFileState::kRead || file.state == StoreFileState::kTooLarge;
    return regular && (file.mode & 0222) == 0;
  }
  RegistryTree Tree() const { return kind == kParsed ? parse.tree : RegistryTree(); }
};

Loaded Load(const std::string& path) {
  Loaded loaded;
  if (!ResolveLinks(path, loaded.target)) {
    loaded.kind = Loaded::kUnreadable;
    return loaded;
  }
  loaded.file = ReadStoreFile(loaded.target, kRegistryMaxBytes);
  switch (loaded.file.state) {
    case StoreFileState::kMissing:
      return loaded;
    case StoreFileState::kUnreadable:
      loaded.kind = Loaded::kUnreadable;
      return loaded;
    case StoreFileState::kTooLarge:
      loaded.kind = Loaded::kNoStore;
      loaded.whyNoStore = "larger than 1 MiB";
      return loaded;
    case StoreFileState::kNotRegular:
      loaded.kind = Loaded::kNoStore;
      loaded.whyNoStore = "not a regular file";
      return loaded;
    case StoreFileState::kRead:
      break;
  }
  if (loaded.file.bytes.empty()) return loaded;
  loaded.parse = RegistryTree::ParseLines(loaded.file.bytes);
  loaded.kind = loaded.parse.headerFound ? Loaded::kParsed : Loaded::kNoStore;
  loaded.whyNoStore = "no REGEDIT4 header";
  return loaded;
}

// Under the write lock, with the file read again: keeps the damaged file in a numbered copy and
// leaves the store readable without warnings from then on. True when the store may now be
// written.
bool Repair(const Loaded& loaded) {
  const std::string& target = loaded.target;
  if (loaded.ReadOnly()) {
    if (loaded.kind == Loaded::kNoStore) {
      WarnAboutStore(target + " is no settings store (" + loaded.whyNoStore +
                     ") and is read-only; left as it is, nothing is saved");
    }
    for (const RegistrySkippedLine& line : loaded.parse.skipped) {
      WarnAboutStore(target + ": line " + std::to_string(line.number) + " cannot be read (" +
                     line.reason + "); left out, the read-only file is left as it is");
    }
    return false;
  }
  if (loaded.kind == Loaded::kNoStore) {
    const std::string copy = MoveAsideNumbered(target);
    if (copy.empty()) {
      WarnAboutStore(target + " is no settings store (" + loaded.whyNoStore +
                     ") and cannot be moved aside: " + std::strerror(errno));
      return false;
    }
    WarnAboutStore(target + " is no settings store (" + loaded.whyNoStore + "); moved to " + copy +
                   ", the settings start afresh");
    return true;
  }
  const std::string copy = KeepNumberedCopy(target, loaded.file.bytes);
  const bool rewritten =
      !copy.empty() && ReplaceStoreFile(target, loaded.parse.tree.Serialise(), loaded.file.mode);
  if (!rewritten) {
    const int error = errno;
    // The original is still in place: a copy now would only be made again at the next read.
    if (!copy.empty()) ::unlink(copy.c_str());
    WarnAboutStore(
        target + " has lines that cannot be read and cannot be set right: " + std::strerror(error));
    return false;
  }
  for (const RegistrySkippedLine& line : loaded.parse.skipped) {
    WarnAboutStore(target + ": line " + std::to_string(line.number) + " cannot be read (" +
                   line.reason + "); left out, the file as it was is kept in " + copy);
  }
  return true;
}

std::string Absolute(const char* dir) {
  return dir != nullptr && dir[0] == '/' ? std::string(dir) : std::string();
}

// The home directory the password database gives the user, "" when it gives none.
std::string HomeFromPasswordDatabase() {
  const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 16384);
  struct passwd entry {};
  struct passwd* found = nullptr;
  while (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == ERANGE &&
         buffer.size() < (1u << 20)) {
    buffer.resize(buffer.size() * 2);
  }
  return found != nullptr ? Absolute(found->pw_dir) : std::string();
}

}  // namespace

Registry::Registry(std::string filePath) : path_(std::move(filePath)) {}

std::string Registry::DefaultFilePath() {
  if (const std::string config = Absolute(std::getenv("XDG_CONFIG_HOME")); !config.empty()) {
    return config + kStoreBelowConfig;
  }
  std::string home = Absolute(std::getenv("HOME"));
  if (home.empty()) home = HomeFromPasswordDatabase();
  if (!home.empty()) return home + "/.config" + kStoreBelowConfig;
  WarnAboutStore("no home directory found; settings, players and scores are not saved");
  return "";
}

RegistryTree Registry::Read() const {
  if (path_.empty()) return RegistryTree();
  const std::string dir = DirectoryOf(path_);
  Loaded loaded;
  {
    const DirectoryLock shared(dir, LOCK_SH);
    if (!shared.held()) return RegistryTree();
    loaded = Load(path_);
    if (!loaded.NeedsRepair()) return loaded.Tree();
  }
  // Files are only moved or rewritten under the write lock, after reading them again: an editor
  // may have saved a good file in the meantime.
  const DirectoryLock exclusive(dir, LOCK_EX);
  if (!exclusive.held()) return loaded.Tree();
  loaded = Load(path_);
  if (loaded.NeedsRepair() && Repair(loaded) && loaded.kind == Loaded::kNoStore) {
    return RegistryTree();
  }
  return loaded.Tree();
}

bool Registry::Change(const std::function<void(RegistryTree&)>& edit) const {
  if (path_.empty()) {
    RegistryTree nothing;
    edit(nothing);
    return false;
  }
  const std::string dir = DirectoryOf(path_);
  const bool made = MakeDirectories(dir);
  const DirectoryLock lock(dir, LOCK_EX);
  if (!made || !lock.held()) {
    // Callers read their values through the edit, so it runs on what can be seen (the defaults
    // when nothing can) even though nothing will be written.
    RegistryTree visible = Read();
    edit(visible);
    return false;
  }
  const Loaded loaded = Load(path_);
  bool writable = loaded.kind != Loaded::kUnreadable;
  if (writable && loaded.NeedsRepair()) writable = Repair(loaded);
  RegistryTree tree = loaded.kind == Loaded::kNoStore && writable ? RegistryTree() : loaded.Tree();
  const RegistryTree before = tree;
  edit(tree);
  if (!writable) return false;
  if (tree == before) return true;
  if (loaded.ReadOnly()) {
    WarnAboutStore(loaded.target +
                   " is read-only; changes to settings, players and scores are not saved");
    return false;
  }
  RemoveDeadTemporaries(loaded.target);
  const mode_t mode = loaded.file.state == StoreFileState::kRead ? loaded.file.mode : 0600;
  if (!ReplaceStoreFile(loaded.target, tree.Serialise(), mode)) {
    WarnAboutStore("cannot save the settings in " + loaded.target + ": " + std::strerror(errno));
    return false;
  }
  return true;
}
