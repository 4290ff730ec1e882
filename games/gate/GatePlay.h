// Gate's rules of play as plain functions of the position: the piles and their layout table, the
// deal, the legal moves and what each move does with the points it earns, the hit lists, the
// no-moves analysis, the win test and the snapshot block. Nothing here draws, plays a sound,
// reads the clock or touches the settings store.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/Card.h"
#include "engine/Deck.h"
#include "engine/HitLists.h"
#include "engine/Move.h"
#include "engine/PileLayout.h"
#include "engine/SnapshotBytes.h"
#include "games/gate/GateSettings.h"

inline constexpr int kGateFoundations = 4;
inline constexpr int kGateTableauPiles = 8;
inline constexpr int kGateTableauSlots = 13;
inline constexpr int kGatePosts = 2;
inline constexpr int kGatePostSlots = 5;
inline constexpr int kGateWasteSlots = 36;

// The piles as moves name them: the stock, the waste, the left and right posts, four
// foundations, eight tableau piles.
inline constexpr int kGateStockPile = 0;
inline constexpr int kGateWastePile = 1;
constexpr int GatePostPile(int post) {
  return 2 + post;
}
constexpr int GateFoundationPile(int f) {
  return 2 + kGatePosts + f;
}
constexpr int GateTableauPile(int t) {
  return 2 + kGatePosts + kGateFoundations + t;
}
inline constexpr int kGatePileCount = 2 + kGatePosts + kGateFoundations + kGateTableauPiles;

// Where every pile lies on the 800 x 600 screen (top-left of its bottom card) and how it fans.
inline constexpr int kGateStockX = 60, kGateStockY = 60;
inline constexpr int kGateWasteX = 60, kGateWasteY = 180;
inline constexpr int kGateLeftPostX = 120, kGateRightPostX = 705, kGatePostY = 60;
inline constexpr int kGatePostDy = 90;
inline constexpr int kGateFoundationY = 80;
constexpr int GateFoundationX(int f) {
  return 320 + 65 * f;
}
inline constexpr int kGateTableauY = 200;
constexpr int GateTableauX(int t) {
  return 185 + 65 * t;
}
inline constexpr int kGateFanDy = 20;

// The posts are columns of cards like the tableau, only spread wider; nothing is ever dropped on
// them, and they offer no drop target.
inline constexpr std::array<PileLayout, kGatePileCount> kGateLayout = {{
    {PileKind::kStock, kGateStockX, kGateStockY, 0, 0},
    {PileKind::kWaste, kGateWasteX, kGateWasteY, 0, 0},
    {PileKind::kTableau, kGateLeftPostX, kGatePostY, 0, kGatePostDy},
    {PileKind::kTableau, kGateRightPostX, kGatePostY, 0, kGatePostDy},
    {PileKind::kFoundation, GateFoundationX(0), kGateFoundationY, 0, 0},
    {PileKind::kFoundation, GateFoundationX(1), kGateFoundationY, 0, 0},
    {PileKind::kFoundation, GateFoundationX(2), kGateFoundationY, 0, 0},
    {PileKind::kFoundation, GateFoundationX(3), kGateFoundationY, 0, 0},
    {PileKind::kTableau, GateTableauX(0), kGateTableauY, 0, kGateFanDy},
    {PileKind::kTableau, GateTableauX(1), kGateTableauY, 0, kGateFanDy},
    {PileKind::kTableau, GateTableauX(2), kGateTableauY, 0, kGateFanDy},
    {PileKind::kTableau, GateTableauX(3), kGateTableauY, 0, kGateFanDy},
    {PileKind::kTableau, GateTableauX(4), kGateTableauY, 0, kGateFanDy},
    {PileKind::kTableau, GateTableauX(5), kGateTableauY, 0, kGateFanDy},
    {PileKind::kTableau, GateTableauX(6), kGateTableauY, 0, kGateFanDy},
    {PileKind::kTableau, GateTableauX(7), kGateTableauY, 0, kGateFanDy},
}};

// The card pictures' size, for the drop areas when the game does not pass its artwork's own.
inline constexpr int kGateCardWidth = 53, kGateCardHeight = 83;

// The position: everything the rules look at besides the stock (the deck's undealt cards).
struct GatePosition {
  int startRank = kAceRank;
  std::array<Card, kGateFoundations> foundations;  // top card only; (-1, -1) empty
  std::array<Card, kGateWasteSlots> waste;         // bottom first
  int wasteCount = 0;
  // Card 0 was dealt first and lies highest on the screen; the last one is the top.
  std::array<std::array<Card, kGatePostSlots>, kGatePosts> posts;
  std::array<int, kGatePosts> postCount{};
  std::array<std::array<Card, kGateTableauSlots>, kGateTableauPiles> tableau;  // card 0 lowest
  std::array<int, kGateTableauPiles> tableauCount{};
  int recyclesUsed = 0;

  friend bool operator==(const GatePosition&, const GatePosition&) = default;
};

// An empty table: no cards anywhere, start rank as given.
GatePosition EmptyGatePosition(int startRank);

// Values read from an edited settings file can be anything; the game plays what its settings
// dialog offers: Recycles 0 to 4 or unlimited, and a start card that is a rank or "next card
// from the deck" (anything else is taken as the latter, as the dialog stores it).
GateRules GatePlayableRules(GateRules rules);

// Where the waste's top card is drawn and picked up: the waste thickens up and to the left by one
// layer for every five cards.
ScreenPoint GateWasteTop(int wasteCount);

// --- The deal ---------------------------------------------------------------------------------
// A new deal up to the posts and the tableau, from `seed`: one copy of every card, shuffled. With
// FilledIn the four start-rank cards (the start rank of a "next card" deal is the rank of the
// card on top of the stock) lie on the foundations and leave the deck; without it, a "next card"
// deal turns the top card onto foundation 0 and its rank becomes the start rank.
GatePosition GatePrepareDeal(Deck& stock, const GateRules& rules, std::uint32_t seed);
// Five times a card to the next slot of the left post and one to the right post, then a card to
// each tableau pile; an empty stock ends it. Returns the steps in the order they are animated.
std::vector<MoveStep> GateDealTable(GatePosition& position, Deck& stock);

// --- Moves --------------------------------------------------------------------------------------
// Every move the player can make in the position, the stock click first.
void GateLegalMoves(const GatePosition& position, const Deck& stock, const GateRules& rules,
                    MoveList& moves);
bool GateIsLegal(const GatePosition& position, const Deck& stock, const GateRules& rules,
                 const Move& move);
// Plays the move; an illegal move changes nothing and has no steps.
MoveResult GateApplyMove(GatePosition& position, Deck& stock, const GateRules& rules,
                         const Move& move);
// The empty stock may be filled from the waste once more: a recycle is left and the waste holds
// cards.
bool GateCanRecycle(const GatePosition& position, const GateRules& rules);

// --- The hit lists and the end ------------------------------------------------------------------
// Drag sources and drop targets of the position, in priority order, placed by the layout table.
void GateBuildHitLists(const GatePosition& position, const GateRules& rules,
                       DragSourceList& sources, DropTargetList& targets,
                       int cardWidth = kGateCardWidth, int cardHeight = kGateCardHeight);
// True when no sequence of legal moves, the stock and the recycles left included, brings a card
// to a foundation or a card from the waste or a post into play. Until the stock has been gone
// through once its cards count as unknown ground: moves are left.
bool GateNoMovesLeft(const GatePosition& position, const Deck& stock, const GateRules& rules);
// What makes two tables the same for a search: where every card lies and how many recycles are
// left.
std::string GateTableKey(const GatePosition& position, const Deck& stock, const GateRules& rules);
// Stock, waste, both posts and every tableau pile empty.
bool GateCleared(const GatePosition& position, const Deck& stock);
double GateScoreFactor(const GateRules& rules);

// --- The snapshot block ------------------------------------------------------------------------
// Start rank, foundation tops, waste, waste count, both posts, their counts, tableau, tableau
// counts, points, recycles used, elapsed seconds: 1292 bytes.
inline constexpr std::size_t kGateBlockSize = 1292;
void WriteGateBlock(SnapshotWriter& out, const GatePosition& position, int points,
                    int elapsedSeconds);
struct GateSnapshot {
  GatePosition position;
  int points = 0;
  int elapsedSeconds = 0;
};
// Refuses (nothing) a block that is short or followed by more bytes, has a start rank that is no
// rank, counts out of range, cards that are none of the pack, a negative time or recycle count,
// or that together with `stock` does not hold every card exactly once. Slots past the counts
// come back empty.
std::optional<GateSnapshot> ReadGateBlock(SnapshotReader& in, const Deck& stock);
