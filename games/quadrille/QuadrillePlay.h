// Quadrille's rules of play as plain functions of the position: the piles and their layout table,
// the deal, the legal moves and what each move does with the points it earns, the hit lists, the
// no-moves analysis, the win test and the snapshot block. Nothing here draws, plays a sound, reads
// the clock or touches the settings store.
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
#include "games/quadrille/QuadrilleSettings.h"

inline constexpr int kQuadrilleFoundations = 4;  // of each kind: four Sixes, four Fives
inline constexpr int kQuadrilleWasteSlots = 52;
inline constexpr int kQuadrilleCentreSlots = 4;

// The piles as moves name them: the stock, the waste, the four Six foundations, the four Five
// foundations and the centre that takes the Queens.
inline constexpr int kQuadrilleStockPile = 0;
inline constexpr int kQuadrilleWastePile = 1;
constexpr int QuadrilleSixPile(int f) {
  return 2 + f;
}
constexpr int QuadrilleFivePile(int f) {
  return 2 + kQuadrilleFoundations + f;
}
inline constexpr int kQuadrilleCentrePile = 2 + 2 * kQuadrilleFoundations;
inline constexpr int kQuadrillePileCount = kQuadrilleCentrePile + 1;

// The suit each foundation holds, the same order for the Sixes and the Fives: the ring pairs each
// Six foundation with the Five foundation of its suit.
inline constexpr std::array<int, kQuadrilleFoundations> kQuadrilleFoundationSuits = {3, 2, 0, 1};
inline constexpr int kSixRank = 4;   // rank index of the Six, where a Six foundation starts
inline constexpr int kFiveRank = 3;  // and of the Five, where a Five foundation starts
inline constexpr int kQueenRank = 10;

inline constexpr int kQuadrilleStockX = 70, kQuadrilleStockY = 60;
inline constexpr int kQuadrilleWasteX = 145, kQuadrilleWasteY = 60;
inline constexpr int kQuadrilleCentreX = 370, kQuadrilleCentreY = 240;
// A waste of more than one card per click fans its last turned cards to the right.
inline constexpr int kQuadrilleWasteFanDx = 10;

// Top-left of each pile's card; the Sixes and Fives form a ring round the centre.
inline constexpr std::array<PileLayout, kQuadrillePileCount> kQuadrilleLayout = {{
    {PileKind::kStock, kQuadrilleStockX, kQuadrilleStockY, 0, 0},
    {PileKind::kWaste, kQuadrilleWasteX, kQuadrilleWasteY, kQuadrilleWasteFanDx, 0},
    {PileKind::kFoundation, 280, 120, 0, 0},  // Six 0
    {PileKind::kFoundation, 460, 120, 0, 0},  // Six 1
    {PileKind::kFoundation, 460, 360, 0, 0},  // Six 2
    {PileKind::kFoundation, 280, 360, 0, 0},  // Six 3
    {PileKind::kFoundation, 370, 80, 0, 0},   // Five 0
    {PileKind::kFoundation, 510, 240, 0, 0},  // Five 1
    {PileKind::kFoundation, 370, 400, 0, 0},  // Five 2
    {PileKind::kFoundation, 230, 240, 0, 0},  // Five 3
    {PileKind::kFoundation, kQuadrilleCentreX, kQuadrilleCentreY, 0, 0},
}};

inline constexpr int kQuadrilleCardWidth = 53, kQuadrilleCardHeight = 83;

// Everything the rules look at besides the stock (the deck's undealt cards).
struct QuadrillePosition {
  std::array<Card, kQuadrilleFoundations> sixes;  // top card only; (-1, -1) empty
  std::array<Card, kQuadrilleFoundations> fives;
  std::array<Card, kQuadrilleWasteSlots> waste;  // bottom first
  int wasteCount = 0;
  std::array<Card, kQuadrilleCentreSlots> centre;  // the Queens in the order they came
  int centreCount = 0;
  int recyclesUsed = 0;
  int turned = 0;  // cards of the last stock click still on the waste

  friend bool operator==(const QuadrillePosition&, const QuadrillePosition&) = default;
};

QuadrillePosition EmptyQuadrillePosition();

// The game plays only what its settings dialog offers: CardsDealt 1 to 3, Recycles 0 to 4 or
// unlimited; a number past an end becomes that end.
QuadrilleRules QuadrillePlayableRules(QuadrilleRules rules);

// Whether `card` may go onto the pile: a Six foundation builds up in its suit from the Six to the
// Jack, a Five foundation down in its suit from the Five through the Ace to the King, and only the
// centre takes Queens.
bool QuadrilleAccepts(const QuadrillePosition& position, int pile, const Card& card);
// The one card a foundation pile takes next; (-1, -1) once it is complete or for another pile.
Card QuadrilleFoundationNeeds(const QuadrillePosition& position, int pile);

// --- The deal ---------------------------------------------------------------------------------
// A new deal from `seed`: one copy of every card, shuffled; with FilledIn the Fives, the Sixes and
// the Queens are put out and leave the deck. No card is dealt: the stock holds the rest.
QuadrillePosition QuadrillePrepareDeal(Deck& stock, const QuadrilleRules& rules,
                                       std::uint32_t seed);

// --- Moves --------------------------------------------------------------------------------------
// Every move the player can make: the stock click first, then the waste's top card onto each pile
// that takes it.
void QuadrilleLegalMoves(const QuadrillePosition& position, const Deck& stock,
                         const QuadrilleRules& rules, MoveList& moves);
bool QuadrilleIsLegal(const QuadrillePosition& position, const Deck& stock,
                      const QuadrilleRules& rules, const Move& move);
// Plays the move; an illegal move changes nothing and has no steps.
MoveResult QuadrilleApplyMove(QuadrillePosition& position, Deck& stock, const QuadrilleRules& rules,
                              const Move& move);
// A recycle is left and the waste holds something to turn back.
bool QuadrilleCanRecycle(const QuadrillePosition& position, const QuadrilleRules& rules);

// --- The hit lists and the end ------------------------------------------------------------------
// Where the waste's top card is drawn, and so where it is picked up.
ScreenPoint QuadrilleWasteTopPlace(const QuadrillePosition& position, const QuadrilleRules& rules);
// The waste's top card as the one drag source; every foundation and the centre as targets.
void QuadrilleBuildHitLists(const QuadrillePosition& position, const QuadrilleRules& rules,
                            DragSourceList& sources, DropTargetList& targets,
                            int cardWidth = kQuadrilleCardWidth,
                            int cardHeight = kQuadrilleCardHeight);
// True when no run of stock clicks and recycles brings a card to the top of the waste that can be
// placed. Until the stock has been gone through once, moves are left.
bool QuadrilleNoMovesLeft(const QuadrillePosition& position, const Deck& stock,
                          const QuadrilleRules& rules);
// What makes two tables the same for a search: where every card lies and the recycles left.
std::string QuadrilleTableKey(const QuadrillePosition& position, const Deck& stock,
                              const QuadrilleRules& rules);
// Every card placed: stock and waste empty.
bool QuadrilleCleared(const QuadrillePosition& position, const Deck& stock);
double QuadrilleScoreFactor(const QuadrilleRules& rules);

// --- The snapshot block ------------------------------------------------------------------------
// Centre cards, centre count, Six foundation tops, Five foundation tops, waste, waste count,
// points, elapsed seconds: 528 bytes, 1488 with the base blocks.
inline constexpr std::size_t kQuadrilleBlockSize = 528;
inline constexpr std::size_t kQuadrilleSnapshotSize = 1488;
void WriteQuadrilleBlock(SnapshotWriter& out, const QuadrillePosition& position, int points,
                         int elapsedSeconds);
struct QuadrilleSnapshot {
  QuadrillePosition position;
  int points = 0;
  int elapsedSeconds = 0;
};
// Reads the block into `current`'s copy (the recycles used and turned count are not in it);
// refuses a block that is short or long, has counts out of range, non-cards, a negative time, a
// centre card that is no Queen, a foundation top its pile could not hold, or that together with
// `stock` does not hold every card exactly once.
std::optional<QuadrilleSnapshot> ReadQuadrilleBlock(SnapshotReader& in,
                                                    const QuadrillePosition& current,
                                                    const Deck& stock);
