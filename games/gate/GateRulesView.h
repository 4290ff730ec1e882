// Gate's rules view: its current rule settings, one line each.
#pragma once

#include "games/RulesViewDialog.h"

// Where the view stands and what it lists.
RulesViewLayout GateRulesViewLayout();
// Runs the view; returns its result.
int RunGateRulesView();
