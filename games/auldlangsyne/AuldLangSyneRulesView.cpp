// Auld Lang Syne's rules view: placed for its number of lines.
#include "games/auldlangsyne/AuldLangSyneRulesView.h"

#include "games/auldlangsyne/AuldLangSyneSettings.h"

RulesViewLayout AuldLangSyneRulesViewLayout() {
  return {"View Auld Lang Syne Rules", 200, 225, 150, AuldLangSyneSummaryLines};
}

int RunAuldLangSyneRulesView() {
  return RunRulesView(AuldLangSyneRulesViewLayout());
}
