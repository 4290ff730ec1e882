// Klondike on screen: the deal with its animation, the stock, waste, foundations and columns
// drawn with the card art, the mouse, sounds and snapshots. Every rule comes from KlondikePlay;
// this class decides only what to draw and play after each change.
#pragma once

#include "engine/CardGame.h"
#include "games/klondike/KlondikePlay.h"
#include "games/klondike/KlondikeSettings.h"

inline constexpr int kKlondikeGameId = 12;

class KlondikeGame final : public CardGame {
public:
  explicit KlondikeGame(ArtworkSet& artwork, int gameId = kKlondikeGameId);

  void StartGame(bool restart) override;
  void RedrawAll(bool erase) override;
  void DropCards(const DragSource& record, const DropTarget& target) override;
  void AutoFlip() override;
  void PickUp(const DragSource& record) override;
  void CancelMove() override;
  bool CanDrop(const DragSource& record, const DropTarget& target) override;
  bool UpdatePlayState() override;
  void SaveUndo() override;
  void GetFanOffset(int& dx, int& dy) const override;
  void GetSecondFanOffset(int& dx, int& dy) const override;
  const char* GetGameName() const override { return "Klondike"; }
  void OnLButtonDown(std::uint32_t flags, int x, int y) override;
  void Undo() override;
  void GetScoreArea(int& x, int& y, ScreenRect& area) const override;
  double ScoreFactor() const override;
  bool IsWon() const override;

  const KlondikePosition& Position() const { return position_; }
  // The rules of the deal in play: read from the settings store when the deal starts. Every way
  // of changing them (the settings dialog) starts a new deal, so they cannot go stale.
  const KlondikeRules& Rules() const { return rules_; }

private:
  void DealTableau();
  // A stock click: turn cards, or turn the waste back, or nothing.
  void ClickStock();
  void TurnUpColumn(int column);
  // Each pile draws itself, optionally restoring its background first, and marks its rectangle.
  void DrawStockPile(bool erase);
  void DrawWastePile(bool erase);
  void DrawFoundations(bool erase);
  void DrawColumn(int column, bool erase);
  void ShowChanges();
  ScreenRect CardRect(int x, int y) const;
  // The column whose pile a drop target stands for, or -1.
  int ColumnOfTarget(const DropTarget& target) const;

  KlondikePosition position_;
  KlondikeRules rules_{};
};
