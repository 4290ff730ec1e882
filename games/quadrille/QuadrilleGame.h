// Quadrille on screen: the stock, the waste, the ring of Six and Five foundations and the centre
// of Queens drawn with the card art, and the hooks through which the engine plays its moves. Every
// rule comes from QuadrillePlay; this class decides only what to draw and play after each move.
#pragma once

#include <optional>

#include "engine/CardGame.h"
#include "games/quadrille/QuadrillePlay.h"
#include "games/quadrille/QuadrilleSettings.h"

inline constexpr int kQuadrilleGameId = 16;

class QuadrilleGame final : public CardGame {
public:
  explicit QuadrilleGame(ArtworkSet& artwork, int gameId = kQuadrilleGameId);

  void StartGame(bool restart) override;
  void RedrawAll(bool erase) override;
  void GetFanOffset(int& dx, int& dy) const override;
  const char* GetGameName() const override { return "Quadrille"; }
  double ScoreFactor() const override;
  void LegalMoves(MoveList& moves) const override;

  const QuadrillePosition& Position() const { return position_; }
  // The rules of the deal in play, read from the settings store when the deal starts; every way
  // of changing them starts a new deal.
  const QuadrilleRules& Rules() const { return rules_; }

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
  std::vector<std::uint8_t> SideState() const override;

private:
  // Each pile draws itself, optionally restoring its background first, and marks its rectangle.
  void DrawStockPile(bool erase);
  void DrawWastePile(bool erase);
  void DrawFoundation(int pile, bool erase);
  void DrawCentre(bool erase);
  ScreenRect CardRect(int x, int y) const;

  QuadrillePosition position_;
  QuadrilleRules rules_{};
  std::optional<QuadrilleSnapshot> staged_;
};
