// Quadrille's rules view: placed for its number of lines.
#include "games/quadrille/QuadrilleRulesView.h"

#include "games/quadrille/QuadrilleSettings.h"

RulesViewLayout QuadrilleRulesViewLayout() {
  return {"View Quadrille Rules", 200, 215, 170, QuadrilleSummaryLines};
}

int RunQuadrilleRulesView() {
  return RunRulesView(QuadrilleRulesViewLayout());
}
