// libFuzzer target: arbitrary bytes as a Gate undo snapshot, read the way Undo reads one (the
// base state into a copy of the game's deck, then the Gate block). What is accepted must be a
// position the rules can play on: counts in range, every card of the pack exactly once, and the
// same snapshot again when written back and read once more. The rules then run on it.
#include <cstddef>
#include <cstdint>

#include "engine/Deck.h"
#include "engine/HitLists.h"
#include "games/gate/GatePlay.h"
#include "tests/fuzz/FuzzSnapshotSupport.h"
#include "tests/games/solitaire/CardCount.h"

namespace {

// Counted here again rather than trusted to the reader.
void CheckEveryCardOnce(const GatePosition& p, const Deck& stock) {
  CardCount count;
  count.AddStock(stock);
  count.AddPile(p.waste, p.wasteCount);
  for (int post = 0; post < kGatePosts; ++post)
    count.AddPile(p.posts[At(post)], p.postCount[At(post)]);
  for (int t = 0; t < kGateTableauPiles; ++t)
    count.AddPile(p.tableau[At(t)], p.tableauCount[At(t)]);
  for (const Card& top : p.foundations) count.AddFoundation(top, p.startRank);
  Require(count.EveryCardOnce());
}

// Every legal move of the loaded position, under every combination of the building settings,
// must keep each card once; the hit lists and the no-moves analysis must cope with whatever a
// snapshot may hold.
void PlayOn(const GatePosition& start, const Deck& stock) {
  for (int variant = 0; variant < 4; ++variant) {
    const GateRules rules{variant == 3,    variant == 2 ? kRecyclesUnlimited : variant,
                          start.startRank, (variant & 1) != 0,
                          variant >= 2,    false};
    DragSourceList sources;
    DropTargetList targets;
    GateBuildHitLists(start, rules, sources, targets);
    GateNoMovesLeft(start, stock, rules);
    GateCleared(start, stock);
    MoveList moves;
    GateLegalMoves(start, stock, rules, moves);
    for (const Move& move : moves) {
      GatePosition p = start;
      Deck copy = stock;
      Require(GateApplyMove(p, copy, rules, move).Happened());
      CheckEveryCardOnce(p, copy);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzSnapshot({data, size}, kGateBlockSize, ReadGateBlock, WriteGateBlock,
               [](const GatePosition& p, const Deck& stock) {
                 Require(p.wasteCount >= 0 && p.wasteCount <= kGateWasteSlots);
                 for (int count : p.postCount) Require(count >= 0 && count <= kGatePostSlots);
                 for (int count : p.tableauCount) Require(count >= 0 && count <= kGateTableauSlots);
                 CheckEveryCardOnce(p, stock);
                 PlayOn(p, stock);
               });
  return 0;
}
