// The rules views of the four games with settings in a dark and a light theme (OK closes them in
// GameTableTest's menu-window test).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "dialogs/DialogResults.h"
#include "games/auldlangsyne/AuldLangSyneRulesView.h"
#include "games/gate/GateRulesView.h"
#include "games/klondike/KlondikeRulesView.h"
#include "games/quadrille/QuadrilleRulesView.h"
#include "tests/support/RequireMedia.h"
#include "tests/support/ScratchStore.h"
#include "tests/ui/DialogTestSupport.h"
#include "ui/widgets/TextButton.h"

namespace {

class RulesViewTest : public DialogTest {
protected:
  ScratchStore store_;
};

TEST_F(RulesViewTest, TheViewsLookRightInTheDarkAndTheLightTheme) {
  const struct {
    const char* golden;
    RulesViewLayout layout;
  } views[] = {{"klondike", KlondikeRulesViewLayout()},
               {"gate", GateRulesViewLayout()},
               {"quadrille", QuadrilleRulesViewLayout()},
               {"auldlangsyne", AuldLangSyneRulesViewLayout()}};
  for (const auto& v : views) {
    SCOPED_TRACE(v.golden);
    for (const int theme : {0, 1}) {
      if (!UseArtwork(theme)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
      art_->RestoreBackground(0, 799, 0, 599);
      RulesViewDialog view(v.layout);
      view.Show();
      const int left = v.layout.x, top = v.layout.y;
      EXPECT_TRUE(MatchesGolden(
          std::string("games/") + v.golden + "_rules_view_theme" + std::to_string(theme),
          screenBuffer_, left - 12, left + 399 + 12, top - 12, top + v.layout.height - 1 + 12));
      view.Hide();
    }
  }
}

}  // namespace
