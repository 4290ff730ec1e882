// libFuzzer target: arbitrary bytes as an Auld Lang Syne undo snapshot. What is accepted must hold
// counts in range, the cards shown each once and every rank in the foundations' runs, and the
// rules must play every legal move on it and then one line of play to the end.
#include <array>

#include "engine/HitLists.h"
#include "games/auldlangsyne/AuldLangSynePlay.h"
#include "tests/fuzz/FuzzSnapshotSupport.h"

namespace {

constexpr int kStartRank = 12;  // the Ace, as a game of the default rules reads a snapshot

// Counted here again rather than trusted to the reader. The foundations' suits are unknown, so the
// check is by rank: four of each among the cards shown and the runs under the tops.
void CheckCards(const AuldLangSynePosition& p, const Deck& stock) {
  std::array<int, kSuitCount * kRankCount> shown{};
  std::array<int, kRankCount> ranks{};
  const auto count = [&](const Card& card) {
    Require(IsRealCard(card));
    Require(++shown[At(card.suit * kRankCount + card.rank)] == 1);
    ++ranks[At(card.rank)];
  };
  for (int i = 0; i < stock.Remaining(); ++i) count(stock.PeekCard(i));
  for (int t = 0; t < kAlsTableauPiles; ++t) {
    RequirePile(p.tableau[At(t)], p.tableauCount[At(t)]);
    for (int i = 0; i < p.tableauCount[At(t)]; ++i) count(p.tableau[At(t)][At(i)]);
  }
  for (const Card& top : p.foundations) {
    if (top == kNoCard) continue;
    Require(IsRealCard(top));
    Require(++shown[At(top.suit * kRankCount + top.rank)] == 1);
    for (int rank = p.startRank;; rank = (rank + 1) % kRankCount) {
      ++ranks[At(rank)];
      if (rank == top.rank) break;
    }
  }
  for (const int n : ranks) Require(n == kSuitCount);
}

// The hit lists and the no-moves analysis must cope with any position.
void PlayOn(AuldLangSynePosition p, Deck stock) {
  DropTargetList targets;
  AuldLangSyneBuildHitLists(targets);
  MoveList moves;
  AuldLangSyneLegalMoves(p, stock, moves);
  for (const Move& move : moves) {
    AuldLangSynePosition next = p;
    Deck copy = stock;
    Require(AuldLangSyneApplyMove(next, copy, move).Happened());
    CheckCards(next, copy);
  }
  for (int step = 0; step < 200 && !moves.empty(); ++step) {
    Require(!AuldLangSyneNoMovesLeft(p, stock));
    Require(AuldLangSyneApplyMove(p, stock, moves.back()).Happened());
    CheckCards(p, stock);
    AuldLangSyneLegalMoves(p, stock, moves);
  }
  Require(AuldLangSyneNoMovesLeft(p, stock) == moves.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  AuldLangSynePosition current = EmptyAuldLangSynePosition();
  current.startRank = kStartRank;
  FuzzSnapshot(
      {data, size}, kAlsBlockSize,
      [&current](SnapshotReader& in, const Deck& deck) {
        return ReadAuldLangSyneBlock(in, current, deck);
      },
      WriteAuldLangSyneBlock,
      [](const AuldLangSynePosition& p, const Deck& stock) {
        Require(p.startRank == kStartRank);
        CheckCards(p, stock);
        PlayOn(p, stock);
      });
  return 0;
}
