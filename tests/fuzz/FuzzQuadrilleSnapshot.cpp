// libFuzzer target: arbitrary bytes as a Quadrille undo snapshot, read the way Undo reads one (the
// base state into a copy of the game's deck, then the Quadrille block). What is accepted must be
// a position the rules can play on: counts in range, the centre only Queens, every card of the
// pack exactly once, and the same snapshot again when written back and read once more. The rules
// then run on it.
#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/Deck.h"
#include "engine/HitLists.h"
#include "games/quadrille/QuadrillePlay.h"
#include "tests/fuzz/FuzzSnapshotSupport.h"

namespace {

// Counted here again rather than trusted to the reader: a Six foundation holds the Six up to its
// top, a Five foundation the Five down through the Ace to its top.
void CheckEveryCardOnce(const QuadrillePosition& p, const Deck& stock) {
  std::array<int, kSuitCount * kRankCount> seen{};
  const auto count = [&seen](const Card& card) {
    Require(IsRealCard(card));
    ++seen[At(card.suit * kRankCount + card.rank)];
  };
  for (int i = 0; i < stock.Remaining(); ++i) count(stock.PeekCard(i));
  for (int i = 0; i < p.wasteCount; ++i) count(p.waste[At(i)]);
  for (int i = 0; i < p.centreCount; ++i) {
    Require(p.centre[At(i)].rank == kQueenRank);
    count(p.centre[At(i)]);
  }
  for (int f = 0; f < kQuadrilleFoundations; ++f) {
    const int suit = kQuadrilleFoundationSuits[At(f)];
    if (const Card top = p.sixes[At(f)]; top != kNoCard) {
      Require(top.suit == suit);
      for (int rank = kSixRank; rank <= top.rank; ++rank) count(Card{suit, rank});
      Require(top.rank < kQueenRank);
    }
    if (const Card top = p.fives[At(f)]; top != kNoCard) {
      Require(top.suit == suit);
      for (int rank = kFiveRank, steps = 0;; rank = (rank + kRankCount - 1) % kRankCount) {
        Require(++steps <= 6);  // Five down to the King at most
        count(Card{suit, rank});
        if (rank == top.rank) break;
      }
    }
  }
  for (int seenCount : seen) Require(seenCount == 1);
}

void CheckCounts(const QuadrillePosition& p) {
  Require(p.wasteCount >= 0 && p.wasteCount <= kQuadrilleWasteSlots);
  for (int i = p.wasteCount; i < kQuadrilleWasteSlots; ++i) Require(p.waste[At(i)] == kNoCard);
  Require(p.centreCount >= 0 && p.centreCount <= kQuadrilleCentreSlots);
  for (int i = p.centreCount; i < kQuadrilleCentreSlots; ++i) Require(p.centre[At(i)] == kNoCard);
  Require(p.turned >= 0 && p.turned <= p.wasteCount);
}

// Every legal move of the loaded position, under every stock setting, must keep each card once;
// the hit lists and the no-moves analysis must cope with whatever a snapshot may hold.
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
        CheckCounts(p);
        CheckEveryCardOnce(p, stock);
        PlayOn(p, stock);
      });
  return 0;
}
