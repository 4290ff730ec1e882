// Reads whole files into memory under a size cap checked before anything is allocated, and writes
// whole files: the one way the program's own file readers and writers touch the disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

enum class FileBytesStatus {
  kOk,
  kCannotOpen,  // Missing, unreadable, or not a regular file.
  kTooLarge,    // Larger than the caller's cap: nothing was allocated for it.
  kReadError,   // Opened, but reading failed part way.
};

// A short fixed text for a status ("cannot open file", "file too large", ...).
const char* FileBytesReason(FileBytesStatus status);

// Reads the whole of path into out. A file whose size is above cap is refused before any memory
// is reserved or any byte read; a file that grows while it is read still yields no more than cap
// bytes (and is then refused as too large). out is empty unless the result is kOk.
FileBytesStatus ReadFileBytes(const char* path, std::size_t cap, std::vector<std::uint8_t>& out);

// Creates or replaces path with size bytes of data. False when the file cannot be created or the
// bytes do not all reach it.
bool WriteFileBytes(const char* path, const std::uint8_t* data, std::size_t size);
