// Klondike's rules of play as plain functions of the position: the layout, what may be picked up
// and where it may go, every change of position with the points it earns, the hit lists, the
// no-moves analysis, the win test and the snapshot block. Nothing here draws, plays a sound, reads
// the clock or touches the settings store, so a solver, hints and keyboard play can use it as the
// game does.
#pragma once

#include <array>
#include <optional>

#include "engine/Card.h"
#include "engine/Deck.h"
#include "engine/HitLists.h"
#include "engine/SnapshotBytes.h"
#include "games/klondike/KlondikeSettings.h"
#include "platform/Screen.h"

inline constexpr int kKlondikeColumns = 7;
inline constexpr int kKlondikeFoundations = 4;
inline constexpr int kKlondikeColumnSlots = 20;
inline constexpr int kKlondikeWasteSlots = 35;

// Where the carried cards came from.
inline constexpr int kKlondikeFromWaste = -1;
inline constexpr int kKlondikeCarryingNothing = -3;

// Drop-target kinds.
inline constexpr int kKlondikeFoundationKind = 1;
inline constexpr int kKlondikeColumnKind = 2;

// Layout: where every pile lies on the 800 x 600 screen (top-left of its bottom card).
inline constexpr int kKlondikeStockX = 100, kKlondikeStockY = 80;
inline constexpr int kKlondikeWasteX = 180, kKlondikeWasteY = 80;
inline constexpr int kKlondikeFoundationY = 80;
constexpr int KlondikeFoundationX(int f) {
  return 330 + 70 * f;
}
inline constexpr int kKlondikeColumnY = 170;
constexpr int KlondikeColumnX(int c) {
  return 230 + 70 * c;
}
// A column fans its cards downward; a fanned waste spreads to the right.
inline constexpr int kKlondikeFanDy = 15;
inline constexpr int kKlondikeWasteFanDx = 10;
// The card pictures' size, for the drop areas when the game does not pass its artwork's own.
inline constexpr int kKlondikeCardWidth = 53, kKlondikeCardHeight = 83;

// The position: everything the rules look at besides the stock (the deck's undealt cards).
struct KlondikePosition {
  std::array<Card, kKlondikeFoundations> foundations;  // top card only; (-1, -1) empty
  std::array<Card, kMaxCarriedCards> carried;          // bottom first
  int source = kKlondikeCarryingNothing;               // waste, column 0..6, or nothing
  int carriedCount = 0;
  std::array<Card, kKlondikeWasteSlots> waste;  // bottom first
  int wasteCount = 0;
  std::array<std::array<Card, kKlondikeColumnSlots>, kKlondikeColumns> tableau;  // card 0 lowest
  std::array<int, kKlondikeColumns> columnCount{};
  std::array<int, kKlondikeColumns> faceDown{};  // the lowest so many cards lie face down
  int startRank = kAceRank;
  int recyclesUsed = 0;
  int turned = 0;  // cards of the last stock click still on the waste
};

// The rule settings of one deal plus the player's Auto Game Over choice.
struct KlondikeOptions {
  KlondikeRules rules;
  bool autoGameOver = false;
};

// An empty table: no cards anywhere, nothing carried, start rank as given.
KlondikePosition EmptyKlondikePosition(int startRank);

// The two building rules; neither lets a card of the start rank build on anything.
bool KlondikeFoundationAccepts(const Card& card, const Card& top, int startRank);
bool KlondikeColumnAccepts(const Card& card, const Card& top, int startRank);
// Whether an empty column takes this card: any card without TableauStart, else only the rank
// just below the start rank.
bool KlondikeEmptyColumnAccepts(const Card& card, int startRank, const KlondikeRules& rules);

// Where card i of column c, and the place for the next card, lie.
ScreenPoint KlondikeCardPlace(const KlondikePosition& position, int column, int index);
ScreenPoint KlondikeNextPlace(const KlondikePosition& position, int column);

// --- The deal ---------------------------------------------------------------------------------
// A new deal up to the tableau: one copy of every card, shuffled; with StartCard -1 the first
// card dealt goes onto foundation 0 and its rank becomes the start rank; with FilledIn the four
// start-rank cards lie on the foundations and leave the deck. The game, the tests and any solver
// all go through here, so a seed always produces the same deal.
KlondikePosition KlondikePrepareDeal(Deck& stock, const KlondikeRules& rules);
// Deals the next stock card onto column c, face up or face down. False when the stock is empty.
bool KlondikeDealToColumn(KlondikePosition& position, Deck& stock, int column, bool faceUp);
// The whole tableau deal without animation, in the order the game animates it: row r gives column
// r its card face up, then columns r+1..6 a card face down each. Stops when the stock runs out.
void KlondikeDealTableau(KlondikePosition& position, Deck& stock);

// --- Stock and waste ------------------------------------------------------------------------
// Turns up to CardsDealt cards from the stock onto the waste; returns how many were turned.
int KlondikeTurnStock(KlondikePosition& position, Deck& stock, const KlondikeRules& rules);
// Whether an empty stock may be filled from the waste once more: a recycle is left and the
// waste holds cards.
bool KlondikeCanRecycle(const KlondikePosition& position, const KlondikeRules& rules);
// Turns the waste back into the stock, the former top card to be dealt first. Counts the
// recycle. Returns the points it costs (-5). Called on an empty stock; it does not check.
int KlondikeRecycle(KlondikePosition& position, Deck& stock);

// --- Columns --------------------------------------------------------------------------------
// Columns with cards that are all face down: their top card may be turned up.
bool KlondikeCanTurnUp(const KlondikePosition& position, int column);
// Turns it up; returns the points earned (+5), 0 when there was nothing to turn.
int KlondikeTurnUp(KlondikePosition& position, int column);

// --- Moves ----------------------------------------------------------------------------------
// Takes the record's cards into the carried cards, from the waste top or from the column card
// at the record's place. False (nothing changed) when they lie nowhere.
bool KlondikePickUp(KlondikePosition& position, const DragSource& record);
// Whether the carried record may go onto the pile the target names.
bool KlondikeCanDrop(const KlondikePosition& position, const KlondikeRules& rules,
                     const DragSource& record, const DropTarget& target);
// Puts the carried cards onto the target pile; returns the points earned, or nothing when the
// record is not what is carried, the target is no pile, or the column has no room (the caller
// then flies them back). The building rules are CanDrop's; Drop does not ask them again.
std::optional<int> KlondikeDrop(KlondikePosition& position, const DragSource& record,
                                const DropTarget& target);
// Puts the carried cards back where they came from.
void KlondikeCancelCarry(KlondikePosition& position);

// --- The hit lists and the end ------------------------------------------------------------------
// Drag sources and drop targets of the position, in priority order.
void KlondikeBuildHitLists(const KlondikePosition& position, const Deck& stock,
                           const KlondikeRules& rules, DragSourceList& sources,
                           DropTargetList& targets, int cardWidth = kKlondikeCardWidth,
                           int cardHeight = kKlondikeCardHeight);
// True when no move is left: nothing to turn up, nothing the stock and waste can still bring to
// a column or a foundation, no column move that changes anything. Follows the order in which a
// recycle deals the waste again. False while cards are carried: a move is under way.
bool KlondikeNoMovesLeft(const KlondikePosition& position, const Deck& stock,
                         const KlondikeRules& rules);
// Stock, waste and every column empty, and nothing in the hand.
bool KlondikeCleared(const KlondikePosition& position, const Deck& stock);
double KlondikeScoreFactor(const KlondikeRules& rules);

// --- The snapshot block ------------------------------------------------------------------------
// Foundation tops, carried cards, waste, waste count, tableau, column counts, face-down counts,
// points, elapsed seconds: 1604 bytes.
inline constexpr std::size_t kKlondikeBlockSize = 1604;
void WriteKlondikeBlock(SnapshotWriter& out, const KlondikePosition& position, int points,
                        int elapsedSeconds);
// What a snapshot brings back. The start rank, recycles used, turned count and what is carried
// are not in it: they stay as they are.
struct KlondikeSnapshot {
  KlondikePosition position;
  int points = 0;
  int elapsedSeconds = 0;
};
// Reads the block into `current`'s copy; refuses (nothing) a block that is short or followed by
// more bytes (it ends a snapshot), has counts out of range, cards outside the deck, a negative
// time, or that together with `stock` does not hold every card of the deal exactly once. Slots
// past the counts come back empty; the turned count is capped at the restored waste.
std::optional<KlondikeSnapshot> ReadKlondikeBlock(SnapshotReader& in,
                                                  const KlondikePosition& current,
                                                  const Deck& stock);
