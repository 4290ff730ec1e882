// libFuzzer target: arbitrary bytes as a Quadrille undo snapshot. What is accepted must hold counts
// in range, only Queens in the centre and every card once, and the rules must play every legal
// move on it.
#include "engine/HitLists.h"
#include "games/quadrille/QuadrillePlay.h"
#include "tests/fuzz/FuzzSnapshotSupport.h"
#include "tests/games/quadrille/QuadrilleSolver.h"

namespace {

// Counted apart from the reader; only Queens in the centre, and each foundation in its own suit,
// a Six one up to the Jack, a Five one down to the King at most.
void CheckEveryCardOnce(const QuadrillePosition& p, const Deck& stock) {
  for (int i = 0; i < p.centreCount; ++i) Require(p.centre[At(i)].rank == kQueenRank);
  for (int f = 0; f < kQuadrilleFoundations; ++f) {
    const int suit = kQuadrilleFoundationSuits[At(f)];
    const Card six = p.sixes[At(f)], five = p.fives[At(f)];
    Require(six == kNoCard || (six.suit == suit && six.rank >= kSixRank && six.rank < kQueenRank));
    Require(five == kNoCard ||
            (five.suit == suit && (kFiveRank - five.rank + kRankCount) % kRankCount <= 5));
  }
  Require(CountQuadrilleCards(p, stock).EveryCardOnce());
}

// Under every stock setting; the hit lists and no-moves analysis must cope with any position.
void PlayOn(const QuadrillePosition& start, const Deck& stock) {
  for (int cardsDealt = 1; cardsDealt <= 3; ++cardsDealt) {
    const QuadrilleRules rules{cardsDealt, false, cardsDealt == 3 ? kRecyclesUnlimited : 2, false};
    DragSourceList sources;
    DropTargetList targets;
    QuadrilleBuildHitLists(start, rules, sources, targets);
    QuadrilleNoMovesLeft(start, stock, rules);
    MoveList moves;
    QuadrilleLegalMoves(start, stock, rules, moves);
    for (const Move& move : moves) {
      QuadrillePosition p = start;
      Deck copy = stock;
      Require(QuadrilleApplyMove(p, copy, rules, move).Happened());
      CheckEveryCardOnce(p, copy);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  QuadrillePosition current = EmptyQuadrillePosition();
  current.turned = 3;  // the turned count a game may hold when it reads a snapshot
  FuzzSnapshot(
      {data, size}, kQuadrilleBlockSize,
      [&current](SnapshotReader& in, const Deck& deck) {
        return ReadQuadrilleBlock(in, current, deck);
      },
      WriteQuadrilleBlock,
      [](const QuadrillePosition& p, const Deck& stock) {
        RequirePile(p.waste, p.wasteCount);
        RequirePile(p.centre, p.centreCount);
        Require(p.turned >= 0 && p.turned <= p.wasteCount);
        CheckEveryCardOnce(p, stock);
        PlayOn(p, stock);
      });
  return 0;
}
