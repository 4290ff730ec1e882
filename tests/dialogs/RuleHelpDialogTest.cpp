// The rule-help viewer through its modal loop: its buttons by page count, paging to both ends, a
// page too long for the box, and its goldens. That the shipped help fits is MediaFilesTest's.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dialogs/DialogResults.h"
#include "dialogs/RuleHelpDialog.h"
#include "platform/DataDir.h"
#include "tests/support/RequireMedia.h"
#include "tests/ui/DialogTestSupport.h"
#include "ui/widgets/TextButton.h"

namespace {

constexpr int kDialogX = 50;
constexpr int kDialogY = 50;
constexpr int kOkX = kDialogX + 350;
constexpr int kButtonY = kDialogY + 465;
constexpr int kPreviousX = kDialogX + 465;
constexpr int kNextX = kDialogX + 525;

HelpSection Pages(int count) {
  HelpSection section;
  for (int p = 0; p < count; ++p) {
    section.pages.push_back({{"+Page", "Text of page " + std::to_string(p + 1)}});
  }
  return section;
}

using RuleHelpDialogTest = DialogTest;

// One page or none: no page buttons, only OK, which holds the focus for Enter.
TEST_F(RuleHelpDialogTest, PageButtonsComeOnlyWithTwoOrMorePages) {
  for (const int pages : {0, 1}) {
    RuleHelpDialog dialog(Pages(pages));
    EXPECT_EQ(dialog.Children()->Count(), 1u);
    input_->KeyAt(In(40), VK_RETURN, kScanEnter);
    EXPECT_EQ(dialog.DoModal(), kDialogResultOk);
  }
}

// Escape first in every run: it does not close.
TEST_F(RuleHelpDialogTest, PagingStopsAtBothEndsAndOnlyOkCloses) {
  const struct {
    std::vector<int> clicks;  // x of each page button clicked, in order
    int page;
    bool previousDisabled;
    bool nextDisabled;
  } cases[] = {
      {{}, 0, true, false},
      {{kNextX, kNextX, kNextX}, 2, false, true},  // ">>" on the last page does nothing
      {{kNextX, kNextX, kPreviousX}, 1, false, false},
      {{kPreviousX, kPreviousX}, 0, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.clicks.size() << " clicks, page " << c.page);
    RuleHelpDialog dialog(Pages(3));
    input_->KeyAt(In(20), VK_ESCAPE, kScanEscape);
    std::uint64_t at = In(100);
    for (const int x : c.clicks) {
      input_->ClickAt(at, x, kButtonY);
      at += 200;
    }
    input_->ClickAt(at, kOkX, kButtonY);
    EXPECT_EQ(dialog.DoModal(), kDialogResultOk);
    EXPECT_GE(clock_, at + 50) << "only OK closed it";
    EXPECT_EQ(dialog.GetPage(), c.page);
    EXPECT_EQ(dialog.GetPreviousButton()->IsDisabled(), c.previousDisabled);
    EXPECT_EQ(dialog.GetNextButton()->IsDisabled(), c.nextDisabled);
  }
}

// The largest page the reader lets through stays inside the frame and above the buttons; the
// fonts' escape byte is a plain mark.
TEST_F(RuleHelpDialogTest, AFullPageStaysInsideTheFrameAndAboveTheButtons) {
  if (!UseArtworkOnBackdrop(1)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
  const std::vector<std::uint32_t> before = ScreenPixels(screenBuffer_);
  RuleHelpDialog empty{HelpSection{}};
  empty.Show();
  const std::vector<std::uint32_t> reference = ScreenPixels(screenBuffer_);
  empty.Hide();
  HelpSection section;
  section.pages.emplace_back();
  for (int n = 0; n < kHelpMaxLines; ++n) {
    section.pages[0].lines.push_back(n % 2 == 0 ? "+" + std::string(kHelpMaxLineLength - 1, 'W')
                                                : std::string(kHelpMaxLineLength, 'W'));
  }
  section.pages[0].lines[3] =
      "\x7f"
      "1WWW";
  RuleHelpDialog dialog(std::move(section));
  dialog.Show();
  EXPECT_EQ(Changed(before, 0, 799, 0, kDialogY - 1), 0);
  EXPECT_EQ(Changed(before, 0, 799, kDialogY + 500, 599), 0);
  EXPECT_EQ(Changed(before, 0, kDialogX - 1, 0, 599), 0);
  EXPECT_EQ(Changed(before, kDialogX + 700, 799, 0, 599), 0);
  EXPECT_EQ(Changed(reference, kDialogX, kDialogX + 699, kDialogY + 449, kDialogY + 499), 0)
      << "the buttons are left alone";
  EXPECT_EQ(Changed(reference, kDialogX + 692, kDialogX + 699, kDialogY, kDialogY + 499), 0)
      << "the right border is left alone";
  dialog.Hide();
}

TEST_F(RuleHelpDialogTest, LooksRightWithAKlondikePageInTheDarkAndTheLightTheme) {
  for (const int theme : {0, 1}) {
    if (!UseArtworkOnBackdrop(theme)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
    RuleHelpDialog dialog(LoadHelpSection(MediaPath("HELP.TXT"), "Klondike"));
    dialog.Show();
    for (int click = 0; click < 2; ++click) {
      Record(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(kNextX, kButtonY));
      dialog.Poll();
      Record(WM_LBUTTONUP, 0, MakeLParam(kNextX, kButtonY));
      dialog.Poll();
    }
    ASSERT_EQ(dialog.GetPage(), 2);
    EXPECT_TRUE(MatchesGolden("dialogs/rule_help_klondike_theme" + std::to_string(theme),
                              screenBuffer_, 50 - 12, 749 + 12, 50 - 12, 549 + 12));
    dialog.Hide();
  }
}

}  // namespace
