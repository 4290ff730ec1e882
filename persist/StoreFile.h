// The file-system steps under the store: finding the file a link stands for, reading it without
// ever waiting on a FIFO or device, keeping damaged files in numbered copies that are never
// replaced, and replacing the file atomically with its mode kept.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

// The directory part of a path ("." when there is none).
std::string DirectoryOf(const std::string& path);

// mkdir -p with private permissions; true when the directory exists afterwards.
bool MakeDirectories(const std::string& dir);

// Where `path` leads once every symbolic link at its end is followed (relative links from their
// own directory); the path itself when it is no link. A target that does not exist yet is
// still given. False for a loop of links or a link that cannot be read.
bool ResolveLinks(const std::string& path, std::string& target);

enum class StoreFileState {
  kMissing,
  kRead,        // A regular file, read whole into `bytes`.
  kTooLarge,    // A regular file over the cap; not read.
  kNotRegular,  // A directory, FIFO, socket or device; never opened.
  kUnreadable,  // Exists but cannot be read (permissions, I/O error).
};

struct StoreFileRead {
  StoreFileState state = StoreFileState::kMissing;
  std::string bytes;
  mode_t mode = 0;  // Of a regular file.
};

// Reads the regular file at `path` (no link is followed), at most `cap` bytes.
StoreFileRead ReadStoreFile(const std::string& path, std::size_t cap);

// Writes `bytes` to the first free "<path>.bad.N" (N from 1); the copy's name, or "" when none
// could be made. An existing copy is never replaced.
std::string KeepNumberedCopy(const std::string& path, const std::string& bytes);

// Renames `path` to the first free "<path>.bad.N"; the new name, or "" when it could not be
// moved.
std::string MoveAsideNumbered(const std::string& path);

// Replaces `path` with `data` through a temporary file beside it that gets `mode`, is flushed
// and renamed over it; the directory is flushed too. False (and `path` untouched) on failure.
bool ReplaceStoreFile(const std::string& path, const std::string& data, mode_t mode);

// Removes the temporary files that writers killed before their rename left beside `path`; only
// safe while no other writer can be at work.
void RemoveDeadTemporaries(const std::string& path);
