// Title buttons to games, through the game table.
#include "app/GameLaunchers.h"

#include "engine/CardGame.h"
#include "games/GameTable.h"
#include "games/RuleSettingsDialog.h"

bool IsTitleGameBuilt(int button) {
  const GameRow* row = GameRowByButton(button);
  return row != nullptr && row->make != nullptr;
}

std::unique_ptr<CardGame> MakeTitleGame(int button, ArtworkSet& art) {
  if (!IsTitleGameBuilt(button)) return nullptr;
  return GameRowByButton(button)->make(art);
}

GameOwnWindows OwnWindowsOf(const GameRow* row) {
  GameOwnWindows own;
  if (row == nullptr) return own;
  if (const RuleSettingsLayout* settings = row->settings) {
    own.settings = [settings] {
      return RunRuleSettingsToRestart(*settings) == kRuleSettingsConfirmed;
    };
  }
  if (int (*view)() = row->rulesView) own.rulesView = [view] { view(); };
  return own;
}
