// Klondike's rules view: placed for its number of lines.
#include "games/klondike/KlondikeRulesView.h"

#include "games/klondike/KlondikeSettings.h"

RulesViewLayout KlondikeRulesViewLayout() {
  return {"View Klondike Rules", 200, 185, 250, KlondikeSummaryLines};
}

int RunKlondikeRulesView() {
  return RunRulesView(KlondikeRulesViewLayout());
}
