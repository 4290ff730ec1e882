// Undo snapshot bytes for the games' block reader tests: written and read the way Undo does, and
// damaged in one place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "engine/BaseSnapshot.h"
#include "engine/Deck.h"
#include "engine/SnapshotBytes.h"

using SnapshotBytes = std::vector<std::uint8_t>;

// `writeBlock(out, position, points, elapsedSeconds)` is the game's block writer.
template <typename Deal, typename WriteBlock>
SnapshotBytes SnapshotOf(const Deal& deal, int points, int elapsedSeconds, WriteBlock writeBlock) {
  SnapshotWriter out;
  WriteBaseState(out, deal.stock, {}, {});
  writeBlock(out, deal.position, points, elapsedSeconds);
  return out.Bytes();
}

// The base state into a copy of `game`, then `readBlock(in, deck)`; nothing when either refuses.
template <typename ReadBlock>
auto ReadSnapshotOf(const SnapshotBytes& bytes, const Deck& game, ReadBlock readBlock)
    -> decltype(readBlock(std::declval<SnapshotReader&>(), game)) {
  SnapshotReader in(bytes);
  BaseState base(game);
  if (!ReadBaseState(in, base)) return std::nullopt;
  return readBlock(in, base.deck);
}

// `bytes` with the little-endian 32-bit value at `at` set to `value`.
inline SnapshotBytes WithInt32(SnapshotBytes bytes, std::size_t at, std::int32_t value) {
  for (std::size_t i = 0; i < 4; ++i)
    bytes[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
  return bytes;
}

inline SnapshotBytes OneByteShort(SnapshotBytes bytes) {
  bytes.pop_back();
  return bytes;
}
inline SnapshotBytes OneByteLong(SnapshotBytes bytes) {
  bytes.push_back(0);
  return bytes;
}

struct Damage {
  const char* what;
  SnapshotBytes bytes;
};

// `read` refuses `good` one byte short, one byte long, and each damaged copy.
template <typename Read>
void ExpectEachRefused(const SnapshotBytes& good, Read read, const std::vector<Damage>& damaged) {
  EXPECT_FALSE(read(OneByteShort(good))) << "one byte short";
  EXPECT_FALSE(read(OneByteLong(good))) << "one byte long";
  for (const Damage& d : damaged) EXPECT_FALSE(read(d.bytes)) << d.what;
}
