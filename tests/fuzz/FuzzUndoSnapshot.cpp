// libFuzzer target: arbitrary bytes as a Klondike undo snapshot, read the way Undo reads one (the
// base state into a copy of the game's deck, then the Klondike block). What is accepted must be
// a position the rules can play on: counts in range, every card of the pack exactly once, and the
// same snapshot again when written back and read once more. The rules then run on it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "engine/BaseSnapshot.h"
#include "engine/Deck.h"
#include "engine/HitLists.h"
#include "engine/SnapshotBytes.h"
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
  for (int c = 0; c < kKlondikeColumns; ++c)
    count.AddPile(p.tableau[static_cast<std::size_t>(c)],
                  p.columnCount[static_cast<std::size_t>(c)]);
  for (const Card& top : p.foundations) count.AddFoundation(top, p.startRank);
  Require(count.EveryCardOnce());
}

void CheckCounts(const KlondikePosition& p) {
  Require(p.wasteCount >= 0 && p.wasteCount <= kKlondikeWasteSlots);
  for (int i = p.wasteCount; i < kKlondikeWasteSlots; ++i)
    Require(p.waste[static_cast<std::size_t>(i)] == kNoCard);
  for (int c = 0; c < kKlondikeColumns; ++c) {
    const auto column = static_cast<std::size_t>(c);
    Require(p.columnCount[column] >= 0 && p.columnCount[column] <= kKlondikeColumnSlots);
    Require(p.faceDown[column] >= 0 && p.faceDown[column] <= p.columnCount[column]);
    for (int i = p.columnCount[column]; i < kKlondikeColumnSlots; ++i)
      Require(p.tableau[column][static_cast<std::size_t>(i)] == kNoCard);
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
  const std::span<const std::uint8_t> input(data, size);
  const Deck game = FuzzGameDeck();

  // Foundations start from the Ace in most deals; the last byte picks another start rank too.
  std::vector<int> startRanks = {kAceRank};
  if (size > 0) startRanks.push_back(data[size - 1] % kRankCount);

  for (int startRank : startRanks) {
    SnapshotReader in(input);
    BaseState base(game);
    if (!ReadBaseState(in, base)) continue;
    const KlondikePosition current = EmptyKlondikePosition(startRank);
    const std::optional<KlondikeSnapshot> read = ReadKlondikeBlock(in, current, base.deck);
    if (!read) continue;

    Require(size == SnapshotSize(base, kKlondikeBlockSize));
    const KlondikePosition& p = read->position;
    Require(p.startRank == startRank);
    CheckCounts(p);
    CheckEveryCardOnce(p, base.deck);

    RequireSameWrittenBack(size, game, base, *read, WriteKlondikeBlock,
                           [&current](SnapshotReader& again, const Deck& deck) {
                             return ReadKlondikeBlock(again, current, deck);
                           });

    PlayOn(p, base.deck);
  }
  return 0;
}
