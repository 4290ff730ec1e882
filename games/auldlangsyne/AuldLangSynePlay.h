// Auld Lang Syne's rules of play as plain functions of the position: the piles and their layout
// table, the deal, the legal moves and what each move does with the points it earns, the hit
// lists, the no-moves analysis, the win test and the snapshot block. Nothing here draws, plays a
// sound, reads the clock or touches the settings store.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/Card.h"
#include "engine/Deck.h"
#include "engine/HitLists.h"
#include "engine/Move.h"
#include "engine/PileLayout.h"
#include "engine/SnapshotBytes.h"
#include "games/auldlangsyne/AuldLangSyneSettings.h"

inline constexpr int kAlsFoundations = 4;
inline constexpr int kAlsTableauPiles = 4;
inline constexpr int kAlsTableauSlots = 13;  // 52 cards over four piles, one per pile a click

// The piles as moves name them: the stock, the four foundations, the four tableau piles.
inline constexpr int kAlsStockPile = 0;
constexpr int AlsFoundationPile(int f) {
  return 1 + f;
}
constexpr int AlsTableauPile(int t) {
  return 1 + kAlsFoundations + t;
}
inline constexpr int kAlsPileCount = 1 + kAlsFoundations + kAlsTableauPiles;

inline constexpr int kAlsStockX = 130, kAlsStockY = 110;
inline constexpr int kAlsFanDy = 20;

inline constexpr std::array<PileLayout, kAlsPileCount> kAlsLayout = {{
    {PileKind::kStock, kAlsStockX, kAlsStockY, 0, 0},
    {PileKind::kFoundation, 330, 80, 0, 0},
    {PileKind::kFoundation, 400, 80, 0, 0},
    {PileKind::kFoundation, 470, 80, 0, 0},
    {PileKind::kFoundation, 540, 80, 0, 0},
    {PileKind::kTableau, 330, 180, 0, kAlsFanDy},
    {PileKind::kTableau, 400, 180, 0, kAlsFanDy},
    {PileKind::kTableau, 470, 180, 0, kAlsFanDy},
    {PileKind::kTableau, 540, 180, 0, kAlsFanDy},
}};

inline constexpr int kAlsCardWidth = 53, kAlsCardHeight = 83;

// Everything the rules look at besides the stock (the deck's undealt cards).
struct AuldLangSynePosition {
  std::array<Card, kAlsFoundations> foundations;  // top card only; (-1, -1) empty
  std::array<std::array<Card, kAlsTableauSlots>, kAlsTableauPiles> tableau;  // bottom first
  std::array<int, kAlsTableauPiles> tableauCount{};
  int startRank = 0;  // the rank every foundation starts on

  friend bool operator==(const AuldLangSynePosition&, const AuldLangSynePosition&) = default;
};

AuldLangSynePosition EmptyAuldLangSynePosition();

// The game plays only what its settings dialog offers: a start card of -1 (the first card dealt)
// or a rank index 0 to 12; anything else edited into the store plays as the Ace.
AuldLangSyneRules AuldLangSynePlayableRules(AuldLangSyneRules rules);

// Whether foundation `f` takes `card`: an empty one a card of the start rank, a begun one the next
// rank up whatever its suit, never the start rank again.
bool AuldLangSyneAccepts(const AuldLangSynePosition& position, int f, const Card& card);

// --- The deal ---------------------------------------------------------------------------------
// A new deal from `seed`: one copy of every card, shuffled; without a start card the first card
// dealt begins foundation 0 and sets the start rank; with FilledIn the four cards of the start
// rank begin the foundations and leave the deck. No tableau card is dealt yet.
AuldLangSynePosition AuldLangSynePrepareDeal(Deck& stock, const AuldLangSyneRules& rules,
                                             std::uint32_t seed);
// One card onto each tableau pile in turn, stopping when the stock runs out: the stock click's
// work and the deal's first round. Returns the cards dealt as steps.
std::vector<MoveStep> AuldLangSyneDealRound(AuldLangSynePosition& position, Deck& stock);

// --- Moves --------------------------------------------------------------------------------------
// The foundation a click on pile `t`'s top card sends it to: the first that takes it, or -1.
int AuldLangSyneTargetOf(const AuldLangSynePosition& position, int t);
// The moves that change the table: the stock click while the stock holds cards, then each tableau
// top card onto the foundation a click sends it to.
void AuldLangSyneLegalMoves(const AuldLangSynePosition& position, const Deck& stock,
                            MoveList& moves);
// The stock click is legal on an empty stock too (it deals nothing), so that a press there is
// played, and recorded, like any other.
bool AuldLangSyneIsLegal(const AuldLangSynePosition& position, const Move& move);
// Plays the move; an illegal move, or the click on an empty stock, changes nothing and has no
// steps.
MoveResult AuldLangSyneApplyMove(AuldLangSynePosition& position, Deck& stock, const Move& move);

// --- The hit lists and the end ------------------------------------------------------------------
// The foundations as drop targets, in the order a click tries them. No drag sources: cards move by
// click only.
void AuldLangSyneBuildHitLists(DropTargetList& targets, int cardWidth = kAlsCardWidth,
                               int cardHeight = kAlsCardHeight);
// The stock is empty and no tableau top card goes onto any foundation, empty ones included.
bool AuldLangSyneNoMovesLeft(const AuldLangSynePosition& position, const Deck& stock);
std::string AuldLangSyneTableKey(const AuldLangSynePosition& position, const Deck& stock);
// Every card on a foundation: stock and tableau empty.
bool AuldLangSyneCleared(const AuldLangSynePosition& position, const Deck& stock);
double AuldLangSyneScoreFactor(const AuldLangSyneRules& rules);

// --- The snapshot block ------------------------------------------------------------------------
// Foundation tops, tableau cards pile by pile, tableau counts, points, elapsed seconds: 472 bytes,
// 1432 with the base blocks.
inline constexpr std::size_t kAlsBlockSize = 472;
inline constexpr std::size_t kAlsSnapshotSize = 1432;
void WriteAuldLangSyneBlock(SnapshotWriter& out, const AuldLangSynePosition& position, int points,
                            int elapsedSeconds);
struct AuldLangSyneSnapshot {
  AuldLangSynePosition position;
  int points = 0;
  int elapsedSeconds = 0;
};
// Reads the block into a copy of `current` (the start rank is not in it); refuses a block that is
// short or long, has counts out of range, non-cards, a negative time, a tableau card the deck
// never held, piles the rest of the stock would overfill, or that together with `stock` does not
// account for every card exactly once.
std::optional<AuldLangSyneSnapshot> ReadAuldLangSyneBlock(SnapshotReader& in,
                                                          const AuldLangSynePosition& current,
                                                          const Deck& stock);
