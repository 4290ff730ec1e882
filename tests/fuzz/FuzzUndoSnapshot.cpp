// libFuzzer target: arbitrary bytes as a Klondike undo snapshot. What is accepted must hold counts
// in range and every card once, and the rules must play every legal move on it.
#include <vector>

#include "engine/HitLists.h"
#include "games/klondike/KlondikePlay.h"
#include "tests/fuzz/FuzzSnapshotSupport.h"
#include "tests/games/klondike/KlondikeSolver.h"

namespace {

void CheckCounts(const KlondikePosition& p) {
  RequirePile(p.waste, p.wasteCount);
  for (int c = 0; c < kKlondikeColumns; ++c) {
    RequirePile(p.tableau[At(c)], p.columnCount[At(c)]);
    Require(p.faceDown[At(c)] >= 0 && p.faceDown[At(c)] <= p.columnCount[At(c)]);
  }
  Require(p.turned >= 0 && p.turned <= p.wasteCount);
}

// Under every stock setting; the hit lists and no-moves analysis must cope with any position.
void PlayOn(const KlondikePosition& start, const Deck& stock) {
  for (int cardsDealt = 1; cardsDealt <= 3; ++cardsDealt) {
    const KlondikeRules rules{cardsDealt,      false,           3,     start.startRank,
                              cardsDealt != 2, cardsDealt == 3, false, false};
    DragSourceList sources;
    DropTargetList targets;
    KlondikeBuildHitLists(start, rules, sources, targets);
    KlondikeNoMovesLeft(start, stock, rules);
    KlondikeCleared(start, stock);
    MoveList moves;
    KlondikeLegalMoves(start, stock, rules, moves);
    for (const Move& move : moves) {
      KlondikePosition p = start;
      Deck copy = stock;
      Require(KlondikeApplyMove(p, copy, rules, move).Happened());
      Require(CountKlondikeCards(p, copy).EveryCardOnce());
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Foundations start from the Ace in most deals; the last byte picks another start rank too.
  std::vector<int> startRanks = {kAceRank};
  if (size > 0) startRanks.push_back(data[size - 1] % kRankCount);
  for (int startRank : startRanks) {
    const KlondikePosition current = EmptyKlondikePosition(startRank);
    FuzzSnapshot(
        {data, size}, kKlondikeBlockSize,
        [&current](SnapshotReader& in, const Deck& deck) {
          return ReadKlondikeBlock(in, current, deck);
        },
        WriteKlondikeBlock,
        [startRank](const KlondikePosition& p, const Deck& stock) {
          Require(p.startRank == startRank);
          CheckCounts(p);
          Require(CountKlondikeCards(p, stock).EveryCardOnce());  // not the reader's tally
          PlayOn(p, stock);
        });
  }
  return 0;
}
