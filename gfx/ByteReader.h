// A bounds-checked cursor over a byte range that every file reader pulls its bytes through.
#pragma once

#include <cstddef>
#include <cstdint>

// Reads little- and big-endian values from a fixed range. It can never run past the end: a read
// beyond it returns zero and raises the failed flag, which callers check once at the end of a
// segment or header instead of after every byte.
class ByteReader {
public:
  ByteReader() = default;
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(data ? size : 0) {}

  std::size_t size() const { return size_; }
  std::size_t position() const { return pos_; }
  std::size_t remaining() const { return size_ - pos_; }
  bool failed() const { return failed_; }
  bool ok() const { return !failed_; }
  bool at_end() const { return pos_ >= size_; }

  std::uint8_t read_u8() {
    if (pos_ < size_) return data_[pos_++];
    failed_ = true;
    return 0;
  }

  // The next byte without consuming it; zero (and no failure) at the end.
  std::uint8_t peek_u8(std::size_t ahead = 0) const {
    return ahead < remaining() ? data_[pos_ + ahead] : 0;
  }

  std::uint16_t read_u16le() {
    if (!has(2)) return 0;
    std::uint16_t v = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
  }

  std::uint16_t read_u16be() {
    if (!has(2)) return 0;
    std::uint16_t v = static_cast<std::uint16_t>((data_[pos_] << 8) | data_[pos_ + 1]);
    pos_ += 2;
    return v;
  }

  std::uint32_t read_u32le() {
    if (!has(4)) return 0;
    std::uint32_t v = static_cast<std::uint32_t>(data_[pos_]) |
                      (static_cast<std::uint32_t>(data_[pos_ + 1]) << 8) |
                      (static_cast<std::uint32_t>(data_[pos_ + 2]) << 16) |
                      (static_cast<std::uint32_t>(data_[pos_ + 3]) << 24);
    pos_ += 4;
    return v;
  }

  std::int32_t read_i32le() { return static_cast<std::int32_t>(read_u32le()); }

  // Skips n bytes; skipping past the end stops at the end and fails.
  void skip(std::size_t n) {
    if (n > remaining()) {
      pos_ = size_;
      failed_ = true;
      return;
    }
    pos_ += n;
  }

  // Hands out the next n bytes and moves past them, or returns null (and fails) when fewer remain.
  const std::uint8_t* take(std::size_t n) {
    if (!has(n)) return nullptr;
    const std::uint8_t* p = data_ + pos_;
    pos_ += n;
    return p;
  }

  // A cursor over the next n bytes (clamped to what is left, failing if it had to be clamped);
  // this cursor moves past them. Segment parsers work on such a sub-range so that they can never
  // read into the next segment, and can check that they used it exactly.
  ByteReader sub(std::size_t n) {
    std::size_t len = n <= remaining() ? n : remaining();
    if (len != n) failed_ = true;
    ByteReader r(data_ + pos_, len);
    pos_ += len;
    return r;
  }

  // Moves to an absolute offset; an offset beyond the end fails and leaves the cursor at the end.
  void seek(std::size_t offset) {
    if (offset > size_) {
      pos_ = size_;
      failed_ = true;
      return;
    }
    pos_ = offset;
  }

private:
  bool has(std::size_t n) {
    if (n <= remaining()) return true;
    pos_ = size_;
    failed_ = true;
    return false;
  }

  const std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t pos_ = 0;
  bool failed_ = false;
};
