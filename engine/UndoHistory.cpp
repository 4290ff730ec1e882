// Snapshot files in the program's own directory. Each file is written beside its final name and
// renamed over it, so an Undo never finds half a snapshot, even after a full disk.
#include "engine/UndoHistory.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

#include "engine/GameServices.h"
#include "platform/FileBytes.h"
#include "platform/RuntimeDir.h"

namespace fs = std::filesystem;

namespace {

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

// A directory only this user can enter, made fresh for this run and named for its process, so
// that a later start can tell it was left by a run that did not end cleanly (RuntimeDir.h).
fs::path MakePrivateDirectory() {
  const std::string runtime = RuntimeDirectory();
  if (!runtime.empty()) {
    const std::string dir =
        PrivateDirectory(runtime, kUndoDirectoryPrefix + std::to_string(getpid()));
    if (!dir.empty()) return dir;
  }
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = (tmp != nullptr && tmp[0] == '/') ? tmp : "/tmp";
  pattern += "/quenbry-solitaire-XXXXXX";
  if (mkdtemp(pattern.data()) != nullptr) return pattern;
  return {};
}

}  // namespace

fs::path UndoDirectory() {
  const fs::path& chosen = TheGameServices().undoDirectory;
  if (!chosen.empty()) return chosen;
  if (!privateDirectoryTried) {
    privateDirectoryTried = true;
    privateDirectory = MakePrivateDirectory();
    if (!privateDirectory.empty()) std::atexit(RemovePrivateDirectory);
  }
  return privateDirectory;
}

UndoHistory::UndoHistory() : UndoHistory(UndoDirectory()) {}

UndoHistory::UndoHistory(fs::path directory) : directory_(std::move(directory)) {}

UndoHistory::~UndoHistory() {
  DeleteSnapshots(directory_);
}

fs::path UndoHistory::FileFor(int number) const {
  return directory_ / ("UNDO" + std::to_string(number) + ".DAT");
}

bool UndoHistory::WriteNew(std::span<const std::uint8_t> bytes,
                           std::span<const std::uint8_t> sideState) {
  ++count_;
  sides_.erase(count_);
  if (directory_.empty()) return false;
  const fs::path target = FileFor(count_);
  fs::path temporary = target;
  temporary += ".tmp";
  std::error_code error;
  bool written = WriteFileBytes(temporary.c_str(), bytes.data(), bytes.size());
  if (written) {
    fs::rename(temporary, target, error);
    written = !error;
  }
  if (!written) {
    // A file of this number left from a line of play that was undone would otherwise come back
    // on the next Undo in place of the position that could not be saved.
    fs::remove(temporary, error);
    fs::remove(target, error);
    return false;
  }
  sides_[count_].assign(sideState.begin(), sideState.end());
  return true;
}

std::optional<std::vector<std::uint8_t>> UndoHistory::PeekLast() const {
  if (count_ <= 0 || directory_.empty()) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  if (ReadFileBytes(FileFor(count_).c_str(), kMaxSnapshotBytes, bytes) != FileBytesStatus::kOk)
    return std::nullopt;
  return bytes;
}

std::optional<std::vector<std::uint8_t>> UndoHistory::ReadLast(
    std::vector<std::uint8_t>* sideState) {
  if (sideState != nullptr) sideState->clear();
  if (count_ <= 0) return std::nullopt;
  std::optional<std::vector<std::uint8_t>> bytes = PeekLast();
  const auto side = sides_.find(count_);
  if (side != sides_.end()) {
    if (bytes && sideState != nullptr) *sideState = std::move(side->second);
    sides_.erase(side);
  }
  --count_;
  return bytes;
}

void UndoHistory::DiscardLast() {
  if (count_ <= 0) return;
  sides_.erase(count_);
  --count_;
}

void UndoHistory::Clear() {
  DeleteSnapshots(directory_);
  sides_.clear();
  count_ = 0;
}
