// The rules views of the four games with settings: OK, values read when drawn, and their look in
// a dark and a light theme.
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

TEST_F(RulesViewTest, OkOrEnterCloseItAndEscapeDoesNot) {
  {
    RulesViewDialog view(GateRulesViewLayout());
    input_->ClickAt(In(40), 200 + 200, 195 + 210 - 35);
    EXPECT_EQ(view.DoModal(), kDialogResultOk);
  }
  {
    RulesViewDialog view(QuadrilleRulesViewLayout());
    input_->KeyAt(In(40), VK_ESCAPE, kScanEscape);
    const std::uint64_t closing = In(400);
    input_->KeyAt(closing, VK_RETURN, kScanEnter);
    EXPECT_EQ(view.DoModal(), kDialogResultOk);
    EXPECT_GE(clock_, closing);
  }
}

// The lines are read at every showing, never when the view is made (the store at each read is
// RuleValuesTest's).
TEST_F(RulesViewTest, ValuesAreReadWhenTheViewIsDrawn) {
  int reads = 0;
  RulesViewLayout layout = KlondikeRulesViewLayout();
  auto lines = layout.lines;
  layout.lines = [&reads, lines] {
    ++reads;
    return lines();
  };
  RulesViewDialog view(layout);
  EXPECT_EQ(reads, 0);
  view.Show();
  EXPECT_EQ(reads, 1);
  view.Hide();
  view.Show();
  EXPECT_EQ(reads, 2) << "shown again, read again";
  view.Hide();
}

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
