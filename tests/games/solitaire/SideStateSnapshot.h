// An undo snapshot as the solitaire games with a turned waste take one for random play: the base
// state and the game's block, with the turned count and the recycles used kept beside it in their
// own bytes, and read back the way Undo reads them, through the games' own side-state functions.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/BaseSnapshot.h"
#include "engine/SnapshotBytes.h"
#include "games/solitaire/StockSideState.h"
#include "tests/support/RandomPlay.h"

struct SideStateSnapshot {
  std::vector<std::uint8_t> block, side;
};

// `writeBlock(out, position, points, elapsedSeconds)` is the game's block writer.
template <typename Position, typename WriteBlock>
SideStateSnapshot WriteSideStateSnapshot(const GameDeal<Position>& deal, int points,
                                         int elapsedSeconds, WriteBlock writeBlock) {
  SnapshotWriter out;
  WriteBaseState(out, deal.stock, {}, {});
  writeBlock(out, deal.position, points, elapsedSeconds);
  return {out.Bytes(), WriteStockSideStateOf(deal.position)};
}

// Reads the snapshot over the table `after` the move; nothing when any part is refused.
// `readBlock(in, current, stock)` is the game's block reader.
template <typename Position, typename ReadBlock>
std::optional<Restored<Position>> ReadSideStateSnapshot(const SideStateSnapshot& snapshot,
                                                        const GameDeal<Position>& after,
                                                        ReadBlock readBlock) {
  SnapshotReader in(snapshot.block);
  BaseState base(after.stock);
  if (!ReadBaseState(in, base)) return std::nullopt;
  const auto back = readBlock(in, after.position, base.deck);
  // Undo would go on without side bytes it cannot read; here they must be readable.
  if (!back || !ReadStockSideState(snapshot.side)) return std::nullopt;
  Restored<Position> restored{back->position, base.deck, back->points, back->elapsedSeconds};
  RestoreStockSideState(snapshot.side, restored.position);
  return restored;
}
