// libFuzzer target: arbitrary bytes as a Block Solitaire undo snapshot. What is accepted must hold
// at most one card selected, every card of the 40 at most once and the missing ones in pairs of
// 11, and the rules must play on it.
#include "games/block/BlockPlay.h"
#include "tests/fuzz/FuzzSnapshotSupport.h"
#include "tests/games/block/BlockSolver.h"

namespace {

// The cards counted apart from the reader; at most one selected, and only a card.
void CheckCards(const BlockPosition& p, const Deck& stock) {
  Require(BlockCardFault(p, stock).empty());
  int selected = 0;
  for (int slot = 0; slot < kBlockSlots; ++slot) {
    Require(p.selected[At(slot)] <= 1);
    Require(p.selected[At(slot)] == 0 || p.slots[At(slot)] != kNoCard);
    selected += p.selected[At(slot)];
  }
  Require(selected == p.selectedCount && selected <= 1);
}

// A press on every slot; the no-moves analysis must cope with any position.
void PlayOn(const BlockPosition& start, const Deck& stock) {
  BlockNoMovesLeft(start, stock);
  BlockCleared(start, stock);
  MoveList moves;
  BlockLegalMoves(start, moves);
  for (const Move& move : moves) Require(BlockIsLegal(start, move));
  for (int slot = 0; slot < kBlockSlots; ++slot) {
    BlockPosition p = start;
    Deck copy = stock;
    const Move press{MoveKind::kSelect, slot, 0, -1};
    Require(BlockApplyMove(p, copy, press).Happened() == BlockIsLegal(start, press));
    CheckCards(p, copy);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzSnapshot({data, size}, kBlockBlockSize, ReadBlockSnapshotBlock, WriteBlockSnapshotBlock,
               [](const BlockPosition& p, const Deck& stock) {
                 CheckCards(p, stock);
                 PlayOn(p, stock);
               });
  return 0;
}
