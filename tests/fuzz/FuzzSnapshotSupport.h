// Shared by the games' undo-snapshot fuzz targets: the bytes read the way Undo reads them, and
// what every accepted snapshot must satisfy whatever the game.
#pragma once

#include <array>
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

// A pile's count within its slots, and no card in the slots above it.
template <std::size_t N>
void RequirePile(const std::array<Card, N>& pile, int count) {
  Require(count >= 0 && count <= static_cast<int>(N));
  for (std::size_t i = At(count); i < N; ++i) Require(pile[i] == kNoCard);
}

// The base state into a copy of the game's deck, then `readBlock(in, deck)`. An accepted snapshot
// must have come in exactly its size, hold no negative time, and read the same again once
// `writeBlock(out, position, points, seconds)` wrote it back; then `check(position, stock)`.
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
