// libFuzzer target: arbitrary bytes as a Gate undo snapshot. What is accepted must hold counts in
// range and every card once, and the rules must play every legal move on it.
#include "engine/HitLists.h"
#include "games/gate/GatePlay.h"
#include "tests/fuzz/FuzzSnapshotSupport.h"
#include "tests/games/gate/GateSolver.h"

namespace {

// Under every building setting; the hit lists and no-moves analysis must cope with any position.
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
      Require(CountGateCards(p, copy).EveryCardOnce());
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzSnapshot({data, size}, kGateBlockSize, ReadGateBlock, WriteGateBlock,
               [](const GatePosition& p, const Deck& stock) {
                 RequirePile(p.waste, p.wasteCount);
                 for (int i = 0; i < kGatePosts; ++i)
                   RequirePile(p.posts[At(i)], p.postCount[At(i)]);
                 for (int t = 0; t < kGateTableauPiles; ++t)
                   RequirePile(p.tableau[At(t)], p.tableauCount[At(t)]);
                 Require(CountGateCards(p, stock).EveryCardOnce());  // not the reader's tally
                 PlayOn(p, stock);
               });
  return 0;
}
