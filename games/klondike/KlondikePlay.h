// Klondike's rules of play as plain functions of the position: the piles and their layout table,
// the deal, the legal moves and what each move does with the points it earns, the hit lists, the
// no-moves analysis, the win test, the snapshot block and the full state a game is resumed from.
// Nothing here draws, plays a sound, reads the clock or touches the settings store, so the mouse,
// the keyboard, hints and a solver all play through the same functions.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/Card.h"
#include "engine/Deck.h"
#include "engine/HitLists.h"
#include "engine/Move.h"
#include "engine/PileLayout.h"
#include "engine/SnapshotBytes.h"
#include "games/klondike/KlondikeSettings.h"

inline constexpr int kKlondikeColumns = 7;
inline constexpr int kKlondikeFoundations = 4;
inline constexpr int kKlondikeColumnSlots = 20;
inline constexpr int kKlondikeWasteSlots = 35;

// The piles as moves name them: the stock, the waste, four foundations, seven columns.
inline constexpr int kKlondikeStockPile = 0;
inline constexpr int kKlondikeWastePile = 1;
constexpr int KlondikeFoundationPile(int f) {
  return 2 + f;
}
constexpr int KlondikeColumnPile(int c) {
  return 2 + kKlondikeFoundations + c;
}
inline constexpr int kKlondikePileCount = 2 + kKlondikeFoundations + kKlondikeColumns;

// Where every pile lies on the 800 x 600 screen (top-left of its bottom card) and how it fans.
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

inline constexpr std::array<PileLayout, kKlondikePileCount> kKlondikeLayout = {{
    {PileKind::kStock, kKlondikeStockX, kKlondikeStockY, 0, 0},
    {PileKind::kWaste, kKlondikeWasteX, kKlondikeWasteY, kKlondikeWasteFanDx, 0},
    {PileKind::kFoundation, KlondikeFoundationX(0), kKlondikeFoundationY, 0, 0},
    {PileKind::kFoundation, KlondikeFoundationX(1), kKlondikeFoundationY, 0, 0},
    {PileKind::kFoundation, KlondikeFoundationX(2), kKlondikeFoundationY, 0, 0},
    {PileKind::kFoundation, KlondikeFoundationX(3), kKlondikeFoundationY, 0, 0},
    {PileKind::kTableau, KlondikeColumnX(0), kKlondikeColumnY, 0, kKlondikeFanDy},
    {PileKind::kTableau, KlondikeColumnX(1), kKlondikeColumnY, 0, kKlondikeFanDy},
    {PileKind::kTableau, KlondikeColumnX(2), kKlondikeColumnY, 0, kKlondikeFanDy},
    {PileKind::kTableau, KlondikeColumnX(3), kKlondikeColumnY, 0, kKlondikeFanDy},
    {PileKind::kTableau, KlondikeColumnX(4), kKlondikeColumnY, 0, kKlondikeFanDy},
    {PileKind::kTableau, KlondikeColumnX(5), kKlondikeColumnY, 0, kKlondikeFanDy},
    {PileKind::kTableau, KlondikeColumnX(6), kKlondikeColumnY, 0, kKlondikeFanDy},
}};

// The card pictures' size, for the drop areas when the game does not pass its artwork's own.
inline constexpr int kKlondikeCardWidth = 53, kKlondikeCardHeight = 83;

// The position: everything the rules look at besides the stock (the deck's undealt cards). A drag
// under way is not part of it: the cards stay where they lie until the move is played.
struct KlondikePosition {
  std::array<Card, kKlondikeFoundations> foundations;  // top card only; (-1, -1) empty
  std::array<Card, kKlondikeWasteSlots> waste;         // bottom first
  int wasteCount = 0;
  std::array<std::array<Card, kKlondikeColumnSlots>, kKlondikeColumns> tableau;  // card 0 lowest
  std::array<int, kKlondikeColumns> columnCount{};
  std::array<int, kKlondikeColumns> faceDown{};  // the lowest so many cards lie face down
  int startRank = kAceRank;
  int recyclesUsed = 0;
  int turned = 0;  // cards of the last stock click still on the waste

  friend bool operator==(const KlondikePosition&, const KlondikePosition&) = default;
};

// An empty table: no cards anywhere, start rank as given.
KlondikePosition EmptyKlondikePosition(int startRank);

// Values read from an edited settings file can be anything; the game plays only what its
// settings dialog offers (CardsDealt 1 to 3, Recycles 0 to 4 or unlimited, a start card that is a
// rank or "first card dealt"): a number past an end becomes that end, a start card that is no
// rank the Ace.
KlondikeRules KlondikePlayableRules(KlondikeRules rules);

// The two building rules; neither lets a card of the start rank build on anything.
bool KlondikeFoundationAccepts(const Card& card, const Card& top, int startRank);
bool KlondikeColumnAccepts(const Card& card, const Card& top, int startRank);
// Whether an empty column takes this card: any card without TableauStart, else only the rank
// just below the start rank.
bool KlondikeEmptyColumnAccepts(const Card& card, int startRank, const KlondikeRules& rules);

// Where card i of column c lies.
ScreenPoint KlondikeCardPlace(int column, int index);

// --- The deal ---------------------------------------------------------------------------------
// A new deal up to the tableau, from `seed`: one copy of every card, shuffled; with StartCard -1
// the first card dealt goes onto foundation 0 and its rank becomes the start rank; with FilledIn
// the four start-rank cards lie on the foundations and leave the deck.
KlondikePosition KlondikePrepareDeal(Deck& stock, const KlondikeRules& rules, std::uint32_t seed);
// The tableau deal: row r gives column r its card face up, then columns r+1..6 a card face down
// each; an empty stock ends it. Returns the steps in the order the animation plays them.
std::vector<MoveStep> KlondikeDealTableau(KlondikePosition& position, Deck& stock);

// --- Moves --------------------------------------------------------------------------------------
// Every move the player can make in the position, the stock click first.
void KlondikeLegalMoves(const KlondikePosition& position, const Deck& stock,
                        const KlondikeRules& rules, MoveList& moves);
bool KlondikeIsLegal(const KlondikePosition& position, const Deck& stock,
                     const KlondikeRules& rules, const Move& move);
// Plays the move: the one function every caller changes a position through. An illegal move
// changes nothing and has no steps.
MoveResult KlondikeApplyMove(KlondikePosition& position, Deck& stock, const KlondikeRules& rules,
                             const Move& move);
// The turn-ups AutoFlip plays after a move, one move (and one snapshot) per column.
void KlondikeAutoFlipMoves(const KlondikePosition& position, const KlondikeRules& rules,
                           MoveList& moves);
// Whether an empty stock may be filled from the waste once more: a recycle is left and the
// waste holds cards.
bool KlondikeCanRecycle(const KlondikePosition& position, const KlondikeRules& rules);
bool KlondikeCanTurnUp(const KlondikePosition& position, int column);

// --- The hit lists and the end ------------------------------------------------------------------
// Drag sources and drop targets of the position, in priority order, placed by the layout table.
void KlondikeBuildHitLists(const KlondikePosition& position, const KlondikeRules& rules,
                           DragSourceList& sources, DropTargetList& targets,
                           int cardWidth = kKlondikeCardWidth,
                           int cardHeight = kKlondikeCardHeight);
// True when no sequence of legal moves, the stock and the recycles left included, turns a card
// up, brings a card to a foundation or brings a card from the stock or the waste into play. Moves
// that only shift cards between columns are followed to see where they lead. Until the stock has
// been gone through once its cards count as unknown ground: moves are left.
bool KlondikeNoMovesLeft(const KlondikePosition& position, const Deck& stock,
                         const KlondikeRules& rules);
// What makes two tables the same for a search: where every card lies and how many recycles are
// left. The turned count only decides how the waste is drawn and is left out.
std::string KlondikeTableKey(const KlondikePosition& position, const Deck& stock,
                             const KlondikeRules& rules);
// Stock, waste and every column empty.
bool KlondikeCleared(const KlondikePosition& position, const Deck& stock);
double KlondikeScoreFactor(const KlondikeRules& rules);

// --- The snapshot block ------------------------------------------------------------------------
// Foundation tops, the hand (always empty: a snapshot is taken before cards are lifted), waste,
// waste count, tableau, column counts, face-down counts, points, elapsed seconds: 1604 bytes.
inline constexpr std::size_t kKlondikeBlockSize = 1604;
void WriteKlondikeBlock(SnapshotWriter& out, const KlondikePosition& position, int points,
                        int elapsedSeconds);
// What a snapshot brings back. The start rank, recycles used and turned count are not in it.
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

// --- The full state ------------------------------------------------------------------------------
// Everything a deal needs to be resumed, the parts the snapshot block leaves out included: the
// stock, the start rank, the recycles used, the turned count, the points and the clock. Its own
// layout, apart from the snapshot files, which keep theirs byte for byte.
struct KlondikeFullState {
  KlondikePosition position;
  Deck stock;
  int points = 0;
  int elapsedSeconds = 0;
};
std::vector<std::uint8_t> WriteKlondikeFullState(const KlondikeFullState& state);
// Refuses (nothing) anything that is not a full state of a consistent deal.
std::optional<KlondikeFullState> ReadKlondikeFullState(std::span<const std::uint8_t> bytes);
