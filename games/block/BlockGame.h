// Block Solitaire on screen: the stock and the block of twelve slots drawn with the card art, the
// selected cards darkened, and the hooks through which the engine plays its moves. Every rule
// comes from BlockPlay; this class decides only what to draw and play after each move.
#pragma once

#include <optional>

#include "engine/CardGame.h"
#include "games/block/BlockPlay.h"

inline constexpr int kBlockGameId = 4;

class BlockGame final : public CardGame {
public:
  explicit BlockGame(ArtworkSet& artwork, int gameId = kBlockGameId);

  void StartGame(bool restart) override;
  void RedrawAll(bool erase) override;
  const char* GetGameName() const override { return "Block Solitaire"; }
  double ScoreFactor() const override { return BlockScoreFactor(); }
  void LegalMoves(MoveList& moves) const override;

  const BlockPosition& Position() const { return position_; }

protected:
  // The game's rules sound Undo also when there is nothing left to undo.
  bool SoundsEmptyUndo() const override { return true; }
  bool IsLegalMove(const Move& move) const override;
  MoveResult ApplyMoveToTable(const Move& move) override;
  void ShowMove(const MoveResult& result) override;
  std::optional<Move> MoveForClick(int x, int y) const override;
  bool NoMovesLeft() const override;
  bool IsCleared() const override;
  void BuildHitLists(DragSourceList& sources, DropTargetList& targets) const override;
  void DrawPile(int pile, bool erase) override;
  void WriteBlock(SnapshotWriter& out) const override;
  std::optional<SnapshotTail> StageBlock(SnapshotReader& in, const Deck& stagedDeck) override;
  void CommitStagedBlock(std::span<const std::uint8_t> sideState) override;

private:
  // The stock with `count` cards (-1: as many as it holds now).
  void DrawStockPile(bool erase, int count = -1);
  // One slot with `card` (none: the bare table), darkened when `selected`.
  void DrawSlot(int slot, const Card& card, bool selected, bool erase);

  BlockPosition position_;
  std::optional<BlockSnapshot> staged_;
};
