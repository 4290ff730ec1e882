// The undo history on disk: one numbered file "UNDO<n>.DAT" per snapshot, in a directory that
// belongs to this run of the program alone, so that clearing the history can never touch a
// player's own files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <vector>

// The directory every new UndoHistory writes to: the game services' one when set, else a private
// directory of the running program, made on first use and removed when the program ends:
// <runtime directory>/quenbry-solitaire-<pid>/ (platform/RuntimeDir.h), or a fresh mkdtemp
// directory under the system's temporary directory when there is no usable runtime directory.
// Empty when none can be made. A start removes such directories of runs that did not end.
std::filesystem::path UndoDirectory();
inline constexpr char kUndoDirectoryPrefix[] = "quenbry-solitaire-";

// Largest snapshot file the history reads back. Every game's snapshot is a few kilobytes; a file
// grown past this is not ours.
inline constexpr std::size_t kMaxSnapshotBytes = 64 * 1024;

class UndoHistory {
public:
  UndoHistory();  // in UndoDirectory()
  explicit UndoHistory(std::filesystem::path directory);
  // Deletes every snapshot file of its directory ("UNDO*.DAT" there, nothing else).
  ~UndoHistory();
  UndoHistory(const UndoHistory&) = delete;
  UndoHistory& operator=(const UndoHistory&) = delete;

  // The number of the newest snapshot not yet read back; 0 when there is none.
  int Count() const { return count_; }

  // Count + 1, then writes the snapshot as "UNDO<count>.DAT", replacing an older file of that
  // name. The file is written whole or not at all (temporary file, then rename). False when it
  // could not be written; the count stays increased, as it would after a failed create, and no
  // file of that number is left. `sideState` is kept in memory beside the file: what the game
  // needs back that the file's fixed layout has no room for.
  bool WriteNew(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> sideState = {});
  // With count 0: nothing. Otherwise reads "UNDO<count>.DAT" (at most kMaxSnapshotBytes) and
  // decreases the count whether or not the file could be read. The side state written with it
  // goes to `sideState` (empty when there was none or the file could not be read).
  std::optional<std::vector<std::uint8_t>> ReadLast(std::vector<std::uint8_t>* sideState = nullptr);
  // The newest snapshot's bytes without taking it; nothing when there is none or it is unreadable.
  std::optional<std::vector<std::uint8_t>> PeekLast() const;
  // Drops the newest snapshot without reading it: the count goes down by one (never below 0).
  void DiscardLast();
  // Deletes every snapshot file of the directory and sets the count to 0.
  void Clear();

  const std::filesystem::path& Directory() const { return directory_; }
  std::filesystem::path FileFor(int number) const;

private:
  std::filesystem::path directory_;
  int count_ = 0;
  std::map<int, std::vector<std::uint8_t>> sides_;
};
