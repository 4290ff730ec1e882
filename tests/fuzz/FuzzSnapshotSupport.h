// Shared by the games' undo-snapshot fuzz targets: the deck a game holds when Undo reads, the size
// an accepted snapshot must have had, and the round trip every accepted snapshot must survive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "engine/BaseSnapshot.h"
#include "engine/Deck.h"
#include "engine/SnapshotBytes.h"

inline void Require(bool condition) {
  if (!condition) std::abort();
}

// A shuffled deck as a game holds one, seeded: the clock seeds a new deck, and the run must not
// depend on it.
inline Deck FuzzGameDeck() {
  SeedRandom(0);
  Deck game;
  game.Shuffle();
  return game;
}

// The bytes of a snapshot read as `base` and then one game block of `blockSize` bytes.
inline std::size_t SnapshotSize(const BaseState& base, std::size_t blockSize) {
  return kDeckImageSize + 8 + 8 * (base.spare1.size() + base.spare2.size()) + blockSize;
}

// Written back and read again into a copy of `game`, an accepted snapshot gives the same deck,
// position, points and clock, in exactly the `size` bytes it came in. `writeBlock(out, position,
// points, elapsedSeconds)` and `readBlock(in, deck)` are the game's block writer and reader.
template <typename Snapshot, typename WriteBlock, typename ReadBlock>
void RequireSameWrittenBack(std::size_t size, const Deck& game, const BaseState& base,
                            const Snapshot& read, WriteBlock writeBlock, ReadBlock readBlock) {
  SnapshotWriter out;
  WriteBaseState(out, base.deck, base.spare1, base.spare2);
  writeBlock(out, read.position, read.points, read.elapsedSeconds);
  Require(out.Bytes().size() == size);
  SnapshotReader again(out.Bytes());
  BaseState reread(game);
  Require(ReadBaseState(again, reread));
  Require(reread.deck == base.deck);
  const std::optional<Snapshot> second = readBlock(again, reread.deck);
  Require(second.has_value() && second->position == read.position &&
          second->points == read.points && second->elapsedSeconds == read.elapsedSeconds);
}
