// Undo snapshots for random play, written and read back the way Undo does: the base state and the
// game's block, and for the games with a turned waste the turned count and recycles used beside it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "games/solitaire/StockSideState.h"
#include "tests/fuzz/SnapshotDamage.h"
#include "tests/support/RandomPlay.h"

// The base state and the block read over the table `after` the move; nothing when refused.
// `readBlock(in, current, stock)` is the game's block reader.
template <typename Position, typename ReadBlock>
std::optional<Restored<Position>> ReadPlainSnapshot(const SnapshotBytes& bytes,
                                                    const GameDeal<Position>& after,
                                                    ReadBlock readBlock) {
  return ReadSnapshotOf(
      bytes, after.stock,
      [&](SnapshotReader& in, const Deck& deck) -> std::optional<Restored<Position>> {
        const auto back = readBlock(in, after.position, deck);
        if (!back) return std::nullopt;
        return Restored<Position>{back->position, deck, back->points, back->elapsedSeconds};
      });
}

struct SideStateSnapshot {
  std::vector<std::uint8_t> block, side;
};

template <typename Position, typename WriteBlock>
SideStateSnapshot WriteSideStateSnapshot(const GameDeal<Position>& deal, int points,
                                         int elapsedSeconds, WriteBlock writeBlock) {
  return {SnapshotOf(deal, points, elapsedSeconds, writeBlock),
          WriteStockSideStateOf(deal.position)};
}

// Undo would go on without side bytes it cannot read; here they must be readable.
template <typename Position, typename ReadBlock>
std::optional<Restored<Position>> ReadSideStateSnapshot(const SideStateSnapshot& snapshot,
                                                        const GameDeal<Position>& after,
                                                        ReadBlock readBlock) {
  std::optional<Restored<Position>> restored = ReadPlainSnapshot(snapshot.block, after, readBlock);
  if (!restored || !ReadStockSideState(snapshot.side)) return std::nullopt;
  RestoreStockSideState(snapshot.side, restored->position);
  return restored;
}
