// libFuzzer target: arbitrary bytes as a Klondike undo snapshot, read the way Undo reads one (the
// base state into a copy of the game's deck, then the Klondike block). What is accepted must be
// a position the rules can play on: counts in range, every card of the pack exactly once, and the
// same snapshot again when written back and read once more. The rules then run on it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/Deck.h"
#include "engine/HitLists.h"
#include "games/klondike/KlondikePlay.h"
#include "tests/fuzz/FuzzSnapshotSupport.h"
#include "tests/games/solitaire/CardCount.h"

namespace {

// Counted here again rather than trusted to the reader: the stock, the waste, the columns, and
// every card a foundation's top implies from the start rank up.
void CheckEveryCardOnce(const KlondikePosition& p, const Deck& stock) {
  CardCount count;
  count.AddStock(stock);
  count.AddPile(p.waste, p.wasteCount);
  for (int c = 0; c < kKlondikeColumns; ++c) count.AddPile(p.tableau[At(c)], p.columnCount[At(c)]);
  for (const Card& top : p.foundations) count.AddFoundation(top, p.startRank);
  Require(count.EveryCardOnce());
}

void CheckCounts(const KlondikePosition& p) {
  Require(p.wasteCount >= 0 && p.wasteCount <= kKlondikeWasteSlots);
  for (int i = p.wasteCount; i < kKlondikeWasteSlots; ++i) Require(p.waste[At(i)] == kNoCard);
  for (int c = 0; c < kKlondikeColumns; ++c) {
    const auto column = At(c);
    Require(p.columnCount[column] >= 0 && p.columnCount[column] <= kKlondikeColumnSlots);
    Require(p.faceDown[column] >= 0 && p.faceDown[column] <= p.columnCount[column]);
    for (int i = p.columnCount[column]; i < kKlondikeColumnSlots; ++i)
      Require(p.tableau[column][At(i)] == kNoCard);
  }
  Require(p.turned >= 0 && p.turned <= p.wasteCount);
}

// Every legal move of the loaded position, under every stock setting, must keep each card once;
// the hit lists and the no-moves analysis must cope with whatever a snapshot may hold.
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
      CheckEveryCardOnce(p, copy);
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
          CheckEveryCardOnce(p, stock);
          PlayOn(p, stock);
        });
  }
  return 0;
}
