// Shared by the games' undo-snapshot fuzz targets: the bytes read the way Undo reads a snapshot
// (the base state into a copy of the game's deck, then the game's block), and what every accepted
// snapshot must satisfy whatever the game.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "engine/BaseSnapshot.h"
#include "engine/Deck.h"
#include "engine/SnapshotBytes.h"

inline void Require(bool condition) {
  if (!condition) std::abort();
}

inline std::size_t At(int i) {
  return static_cast<std::size_t>(i);
}

// `readBlock(in, deck)` and `writeBlock(out, position, points, elapsedSeconds)` are the game's
// block reader and writer. An accepted snapshot must have come in exactly its size, hold no
// negative time, and give the same deck, position, points and clock when written back and read
// again; its position and stock then go to `check` for the game's own checks and play.
template <typename ReadBlock, typename WriteBlock, typename Check>
void FuzzSnapshot(std::span<const std::uint8_t> input, std::size_t blockSize, ReadBlock readBlock,
                  WriteBlock writeBlock, Check check) {
  SeedRandom(0);  // the clock seeds a new deck, and the run must not depend on it
  Deck game;
  game.Shuffle();

  SnapshotReader in(input);
  BaseState base(game);
  if (!ReadBaseState(in, base)) return;
  const auto read = readBlock(in, base.deck);
  if (!read) return;
  Require(input.size() ==
          kDeckImageSize + 8 + 8 * (base.spare1.size() + base.spare2.size()) + blockSize);
  Require(read->elapsedSeconds >= 0);

  SnapshotWriter out;
  WriteBaseState(out, base.deck, base.spare1, base.spare2);
  writeBlock(out, read->position, read->points, read->elapsedSeconds);
  Require(out.Bytes().size() == input.size());
  SnapshotReader again(out.Bytes());
  BaseState reread(game);
  Require(ReadBaseState(again, reread) && reread.deck == base.deck);
  const auto second = readBlock(again, reread.deck);
  Require(second.has_value() && second->position == read->position &&
          second->points == read->points && second->elapsedSeconds == read->elapsedSeconds);

  check(read->position, base.deck);
}
