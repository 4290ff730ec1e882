// Gate on screen: the deal with its animation, the stock, waste, posts, foundations and tableau
// drawn with the card art, and the hooks through which the engine plays its moves. Every rule
// comes from GatePlay; this class decides only what to draw and play after each move.
#pragma once

#include <optional>

#include "engine/CardGame.h"
#include "games/gate/GatePlay.h"
#include "games/gate/GateSettings.h"

inline constexpr int kGateGameId = 10;

class GateGame final : public CardGame {
public:
  explicit GateGame(ArtworkSet& artwork, int gameId = kGateGameId);

  void StartGame(bool restart) override;
  void RedrawAll(bool erase) override;
  void GetFanOffset(int& dx, int& dy) const override;
  void GetSecondFanOffset(int& dx, int& dy) const override;
  const char* GetGameName() const override { return "Gate"; }
  void GetScoreArea(int& x, int& y, ScreenRect& area) const override;
  double ScoreFactor() const override;
  void LegalMoves(MoveList& moves) const override;

  const GatePosition& Position() const { return position_; }
  // The rules of the deal in play: read from the settings store when the deal starts. Every way
  // of changing them (the settings dialog) starts a new deal, so they cannot go stale.
  const GateRules& Rules() const { return rules_; }

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
  // Plays the deal's steps: each card flies from the stock to its place.
  void AnimateDeal(const std::vector<MoveStep>& steps);
  // Each pile draws itself, optionally restoring its background first, and marks its rectangle.
  // The stock may be drawn with fewer cards than it holds, as the deal takes them.
  void DrawStockPile(bool erase, int shownCards = -1);
  void DrawWastePile(bool erase);
  void DrawPost(int post, bool erase);
  void DrawFoundations(bool erase);
  void DrawTableauPile(int t, bool erase);
  ScreenRect CardRect(int x, int y) const;

  GatePosition position_;
  GateRules rules_{};
  std::optional<GateSnapshot> staged_;
};
