// Snapshot files in the program's own directory. Each file is written beside its final name and
// renamed over it, so an Undo never finds half a snapshot, even after a full disk.
#include "engine/UndoHistory.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

#include "platform/FileBytes.h"

namespace fs = std::filesystem;

namespace {

fs::path directoryOverride;
fs::path privateDirectory;
bool privateDirectoryTried = false;

// "UNDO*.DAT", and the temporary file a write interrupted by a crash or a full disk left behind.
bool IsSnapshotName(const std::string& name) {
  return name.size() >= 8 && name.starts_with("UNDO") &&
         (name.ends_with(".DAT") || name.ends_with(".DAT.tmp"));
}

void DeleteSnapshots(const fs::path& directory) {
  if (directory.empty()) return;
  std::error_code error;
  for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    std::error_code ignored;
    if (IsSnapshotName(name) && it->is_regular_file(ignored)) fs::remove(it->path(), ignored);
  }
}

void RemovePrivateDirectory() {
  if (privateDirectory.empty()) return;
  DeleteSnapshots(privateDirectory);
  std::error_code ignored;
  // Only when empty: anything else in it was not put there by the history.
  fs::remove(privateDirectory, ignored);
}

// A directory only this user can enter, made fresh for this run.
fs::path MakePrivateDirectory() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') {
    const fs::path dir = fs::path(runtime) / ("quenbry-solitaire-" + std::to_string(getpid()));
    std::error_code error;
    if (fs::create_directory(dir, error) && !error) {
      fs::permissions(dir, fs::perms::owner_all, fs::perm_options::replace, error);
      return dir;
    }
  }
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = (tmp != nullptr && tmp[0] == '/') ? tmp : "/tmp";
  pattern += "/quenbry-solitaire-XXXXXX";
  if (mkdtemp(pattern.data()) != nullptr) return pattern;
  return {};
}

}  // namespace

fs::path UndoDirectory() {
  if (!directoryOverride.empty()) return directoryOverride;
  if (!privateDirectoryTried) {
    privateDirectoryTried = true;
    privateDirectory = MakePrivateDirectory();
    if (!privateDirectory.empty()) std::atexit(RemovePrivateDirectory);
  }
  return privateDirectory;
}

void SetUndoDirectory(const fs::path& directory) {
  directoryOverride = directory;
}

UndoHistory::UndoHistory() : UndoHistory(UndoDirectory()) {}

UndoHistory::UndoHistory(fs::path directory) : directory_(std::move(directory)) {}

UndoHistory::~UndoHistory() {
  DeleteSnapshots(directory_);
}

fs::path UndoHistory::FileFor(int number) const {
  return directory_ / ("UNDO" + std::to_string(number) + ".DAT");
}

bool UndoHistory::WriteNew(std::span<const std::uint8_t> bytes) {
  ++count_;
  if (directory_.empty()) return false;
  const fs::path target = FileFor(count_);
  fs::path temporary = target;
  temporary += ".tmp";
  if (!WriteFileBytes(temporary.c_str(), bytes.data(), bytes.size())) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
  }
  std::error_code error;
  fs::rename(temporary, target, error);
  if (error) {
    fs::remove(temporary, error);
    return false;
  }
  return true;
}

std::optional<std::vector<std::uint8_t>> UndoHistory::ReadLast() {
  if (count_ <= 0) return std::nullopt;
  const fs::path path = FileFor(count_);
  --count_;
  if (directory_.empty()) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  if (ReadFileBytes(path.c_str(), kMaxSnapshotBytes, bytes) != FileBytesStatus::kOk)
    return std::nullopt;
  return bytes;
}

void UndoHistory::DiscardLast() {
  if (count_ > 0) --count_;
}

void UndoHistory::Clear() {
  DeleteSnapshots(directory_);
  count_ = 0;
}
