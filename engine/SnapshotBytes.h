// Explicit little-endian serialisation of snapshot blocks: the writer appends 32-bit numbers and
// cards, the reader takes them back and refuses to read past the end of what it was given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/Card.h"

class SnapshotWriter {
public:
  void PutInt32(std::int32_t value);
  void PutCard(const Card& card);
  void PutCards(std::span<const Card> cards);
  void PutBytes(std::span<const std::uint8_t> bytes);

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
  std::vector<std::uint8_t> bytes_;
};

// Every Get fails once the bytes run out and keeps failing: a reader that went wrong once stays
// wrong, so a caller may read a whole block and test Ok() once at the end.
class SnapshotReader {
public:
  explicit SnapshotReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  bool GetInt32(std::int32_t& value);
  bool GetCard(Card& card);
  bool GetCards(std::span<Card> cards);
  // The next `size` bytes as a view into the input; empty and failing when fewer are left.
  std::span<const std::uint8_t> GetBytes(std::size_t size);

  bool Ok() const { return ok_; }
  std::size_t Remaining() const { return ok_ ? bytes_.size() - offset_ : 0; }
  // Ok and nothing left over: the block was exactly as long as its reader expected.
  bool Finished() const { return ok_ && offset_ == bytes_.size(); }

private:
  std::span<const std::uint8_t> bytes_;
  std::size_t offset_ = 0;
  bool ok_ = true;
};
