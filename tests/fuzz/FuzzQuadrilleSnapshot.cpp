// libFuzzer target: arbitrary bytes as a Quadrille undo snapshot. What is accepted must hold counts
// in range, only Queens in the centre and every card once, and the rules must play every legal
// move on it.
#include "engine/HitLists.h"
#include "games/quadrille/QuadrillePlay.h"
#include "tests/fuzz/FuzzSnapshotSupport.h"
#include "tests/games/solitaire/CardCount.h"

namespace {

// Counted here again rather than trusted to the reader: a Six foundation holds the Six up to its
// top, a Five foundation the Five down through the Ace to its top.
void CheckEveryCardOnce(const QuadrillePosition& p, const Deck& stock) {
  CardCount count;
  count.AddStock(stock);
  count.AddPile(p.waste, p.wasteCount);
  count.AddPile(p.centre, p.centreCount);
  for (int i = 0; i < p.centreCount; ++i) Require(p.centre[At(i)].rank == kQueenRank);
  for (int f = 0; f < kQuadrilleFoundations; ++f) {
    const int suit = kQuadrilleFoundationSuits[At(f)];
    if (const Card top = p.sixes[At(f)]; top != kNoCard) {
      Require(top.suit == suit && top.rank < kQueenRank);
      for (int rank = kSixRank; rank <= top.rank; ++rank) count.Add(Card{suit, rank});
    }
    if (const Card top = p.fives[At(f)]; top != kNoCard) {
      Require(top.suit == suit);
      for (int rank = kFiveRank, steps = 0;; rank = (rank + kRankCount - 1) % kRankCount) {
        Require(++steps <= 6);  // Five down to the King at most
        count.Add(Card{suit, rank});
        if (rank == top.rank) break;
      }
    }
  }
  Require(count.EveryCardOnce());
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
