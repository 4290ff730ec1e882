// libFuzzer target: arbitrary bytes as a Block Solitaire undo snapshot. What is accepted must hold
// at most one card selected, every card of the 40 at most once and the missing ones in pairs of
// 11, and the rules must play on it.
#include <array>

#include "games/block/BlockPlay.h"
#include "tests/fuzz/FuzzSnapshotSupport.h"

namespace {

// Counted here again rather than trusted to the reader.
void CheckCards(const BlockPosition& p, const Deck& stock) {
  std::array<int, kSuitCount * kRankCount> seen{};
  const auto count = [&seen](const Card& card) {
    Require(IsRealCard(card) && (card.rank < 9 || card.rank > 11));
    Require(++seen[At(card.suit * kRankCount + card.rank)] == 1);
  };
  for (int i = 0; i < stock.Remaining(); ++i) count(stock.PeekCard(i));
  int selected = 0;
  for (int slot = 0; slot < kBlockSlots; ++slot) {
    const Card& card = p.slots[At(slot)];
    if (card != kNoCard) count(card);
    Require(p.selected[At(slot)] <= 1);
    Require(p.selected[At(slot)] == 0 || card != kNoCard);
    selected += p.selected[At(slot)];
  }
  Require(selected == p.selectedCount && selected <= 1);
  std::array<int, kBlockPairTotal> gone{};
  for (int i = 0; i < kSuitCount * kRankCount; ++i) {
    const Card card{i / kRankCount, i % kRankCount};
    if (seen[At(i)] == 0 && (card.rank < 9 || card.rank > 11)) ++gone[At(BlockValue(card))];
  }
  for (int v = 1; v < kBlockPairTotal; ++v) Require(gone[At(v)] == gone[At(kBlockPairTotal - v)]);
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
