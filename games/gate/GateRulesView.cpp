// Gate's rules view: placed for its number of lines.
#include "games/gate/GateRulesView.h"

#include "games/gate/GateSettings.h"

RulesViewLayout GateRulesViewLayout() {
  return {"View Gate Rules", 200, 195, 210, GateSummaryLines};
}

int RunGateRulesView() {
  return RunRulesView(GateRulesViewLayout());
}
