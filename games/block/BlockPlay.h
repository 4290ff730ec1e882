// Block Solitaire's rules as plain functions of the position: twelve slots in three rows of four,
// two cards selected in turn, a pair that makes 11 taken out for 10 points and its gaps refilled
// from the stock. Nothing here draws, plays a sound, reads the clock or touches the settings store.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/Card.h"
#include "engine/Deck.h"
#include "engine/Move.h"
#include "engine/PileLayout.h"
#include "engine/SnapshotBytes.h"

inline constexpr int kBlockSlots = 12;
inline constexpr int kBlockColumns = 4;
// Slot k is pile k; the stock, which refills them, is the pile after the slots.
inline constexpr int kBlockStockPile = kBlockSlots;
inline constexpr int kBlockPileCount = kBlockSlots + 1;
inline constexpr int kBlockStockX = 60, kBlockStockY = 60;
// The value two cards of a pair add up to, and what taking a pair out earns.
inline constexpr int kBlockPairTotal = 11;
inline constexpr int kBlockPairPoints = 10;
inline constexpr int kBlockCardWidth = 52, kBlockCardHeight = 82;

constexpr PileLayout BlockSlotLayout(int slot) {
  constexpr int kRowY[] = {130, 240, 350};
  return {PileKind::kTableau, 200 + 66 * (slot % kBlockColumns), kRowY[slot / kBlockColumns], 0, 0};
}

// Top-left of each slot's card, slot 4r + c in row r and column c, then the stock.
inline constexpr std::array<PileLayout, kBlockPileCount> kBlockLayout = {{
    BlockSlotLayout(0),
    BlockSlotLayout(1),
    BlockSlotLayout(2),
    BlockSlotLayout(3),
    BlockSlotLayout(4),
    BlockSlotLayout(5),
    BlockSlotLayout(6),
    BlockSlotLayout(7),
    BlockSlotLayout(8),
    BlockSlotLayout(9),
    BlockSlotLayout(10),
    BlockSlotLayout(11),
    {PileKind::kStock, kBlockStockX, kBlockStockY, 0, 0},
}};

// Everything the rules look at besides the stock (the deck's undealt cards).
struct BlockPosition {
  std::array<Card, kBlockSlots> slots;               // (-1, -1) for an empty slot
  std::array<std::uint8_t, kBlockSlots> selected{};  // 1 when the slot's card is selected
  int selectedCount = 0;  // 0 or 1 between moves: a second selection is settled at once

  friend bool operator==(const BlockPosition&, const BlockPosition&) = default;
};

BlockPosition EmptyBlockPosition();

// Ace 1, Two 2, ... Ten 10: what a card counts towards a pair.
constexpr int BlockValue(const Card& card) {
  return IsRealCard(card) ? FaceValue(card.rank) : 0;
}

// --- The deal ---------------------------------------------------------------------------------
// The stock of a new deal from `seed`: one pack without its Jacks, Queens and Kings (40 cards),
// shuffled. No card is dealt yet.
void BlockPrepareDeal(Deck& stock, std::uint32_t seed);
// Fills every empty slot from the stock, slot 0 first, while the stock holds cards: one kDealt
// step per card. The deal is this refill on twelve empty slots.
std::vector<MoveStep> BlockRefill(BlockPosition& position, Deck& stock);
// A whole deal: the stock prepared and the twelve slots filled.
BlockPosition BlockDeal(Deck& stock, std::uint32_t seed);

// --- Moves --------------------------------------------------------------------------------------
// The moves that change the position: with no card selected, selecting any card; with one
// selected, unselecting it and selecting each card that makes 11 with it. A second selection that
// makes no pair is legal too (the press answers, and costs a snapshot) but changes nothing, so it
// is not offered here.
void BlockLegalMoves(const BlockPosition& position, MoveList& moves);
// A kSelect on a slot that holds a card, unless two are selected already and it is not one.
bool BlockIsLegal(const BlockPosition& position, const Move& move);
// Plays the move; an illegal move changes nothing and has no steps. A selection reports kSelected;
// a second one that makes 11 then kPairRemoved (10 points) and the refill's kDealt steps; one that
// does not, kUnselected for itself at once.
MoveResult BlockApplyMove(BlockPosition& position, Deck& stock, const Move& move);

// --- The end ------------------------------------------------------------------------------------
// The slot whose card rectangle holds the point; -1 for none.
int BlockSlotAt(int x, int y, int cardWidth = kBlockCardWidth, int cardHeight = kBlockCardHeight);
// No two cards on the table make 11, so no run of selections takes anything out. While a gap
// waits for the stock's refill (in the middle of the deal) moves are left.
bool BlockNoMovesLeft(const BlockPosition& position, const Deck& stock);
// Every slot empty and the stock spent.
bool BlockCleared(const BlockPosition& position, const Deck& stock);
constexpr double BlockScoreFactor() {
  return 1.0;
}
// What makes two tables the same for a search: the stock, the slots and the selection.
std::string BlockTableKey(const BlockPosition& position, const Deck& stock);

// --- The snapshot block ------------------------------------------------------------------------
// Slot cards, selected flags, selected count, points, elapsed seconds: 120 bytes, 1080 with the
// base blocks.
inline constexpr std::size_t kBlockBlockSize = 120;
inline constexpr std::size_t kBlockSnapshotSize = 1080;
void WriteBlockSnapshotBlock(SnapshotWriter& out, const BlockPosition& position, int points,
                             int elapsedSeconds);
struct BlockSnapshot {
  BlockPosition position;
  int points = 0;
  int elapsedSeconds = 0;
};
// Refuses a block that is short or long, holds a non-card, a negative time, a flag other than 0
// or 1, a flag on an empty slot, a selected count other than the flags' (or above 1), a gap while
// the stock holds cards, or that with `stock` is not the game's 40-card pack with each card at
// most once and the missing cards in pairs that make 11.
std::optional<BlockSnapshot> ReadBlockSnapshotBlock(SnapshotReader& in, const Deck& stock);
