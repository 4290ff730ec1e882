// Auld Lang Syne on screen: the stock, the four foundations and the four tableau piles drawn with
// the card art, and the hooks through which the engine plays its moves. Every rule comes from
// AuldLangSynePlay; this class decides only what to draw and play after each move. Cards move by
// click alone: a press on a top card sends it to the first foundation that takes it.
#pragma once

#include <optional>

#include "engine/CardGame.h"
#include "games/auldlangsyne/AuldLangSynePlay.h"
#include "games/auldlangsyne/AuldLangSyneSettings.h"

inline constexpr int kAuldLangSyneGameId = 3;

class AuldLangSyneGame final : public CardGame {
public:
  explicit AuldLangSyneGame(ArtworkSet& artwork, int gameId = kAuldLangSyneGameId);

  void StartGame(bool restart) override;
  void RedrawAll(bool erase) override;
  void GetFanOffset(int& dx, int& dy) const override;
  const char* GetGameName() const override { return "Auld Lang Syne"; }
  double ScoreFactor() const override;
  void LegalMoves(MoveList& moves) const override;

  const AuldLangSynePosition& Position() const { return position_; }
  // The rules of the deal in play, read from the settings store when the deal starts.
  const AuldLangSyneRules& Rules() const { return rules_; }

protected:
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
  // Each pile draws itself, optionally restoring its background first, and marks its rectangle.
  // The stock may show more cards than the deck holds while a deal's cards are still in flight.
  void DrawStockPile(bool erase, int shownCards = -1);
  void DrawFoundations(bool erase);
  void DrawTableauPile(int t, bool erase);
  // The dealt cards fly from the stock one by one, each followed by its sound.
  void AnimateDeal(const std::vector<MoveStep>& steps, bool fast);
  ScreenRect CardRect(int x, int y) const;

  AuldLangSynePosition position_;
  AuldLangSyneRules rules_{};
  std::optional<AuldLangSyneSnapshot> staged_;
};
