// Rule help, About and the upgrade screen: paging, closing, the web address, a full page, goldens.
// That the shipped help fits the box is MediaFilesTest's.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "dialogs/AboutDialog.h"
#include "dialogs/DialogResults.h"
#include "dialogs/RuleHelpDialog.h"
#include "dialogs/UpgradeScreen.h"
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

// The upgrade screen is its own picture: no theme part shows, so one golden covers both.
TEST_F(RuleHelpDialogTest, EachScreenLooksRightInTheDarkAndTheLightTheme) {
  for (const int theme : {0, 1}) {
    if (!UseArtworkOnBackdrop(theme)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
    AboutDialog about;
    EXPECT_TRUE(
        ShowsAsGolden(about, "dialogs/about_theme" + std::to_string(theme), 133, 666, 78, 501));
    UpgradeScreen upgrade;
    EXPECT_TRUE(ShowsAsGolden(upgrade, "dialogs/upgrade_screen", 0, 799, 0, 599));
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

constexpr int kAboutOkX = 145 + 255;
constexpr int kAboutOkY = 90 + 365;
constexpr int kWebX = 356 + 45;
constexpr int kWebY = 472 + 19;
constexpr int kCloseX = 596 + 45;
constexpr int kCloseY = 505 + 19;

class AboutUpgradeTest : public DialogTest {
protected:
  void SetUp() override {
    DialogTest::SetUp();
    SetUpgradeUrlOpener([this](const std::string& url) {
      opened_.push_back(url);
      return true;
    });
  }
  void TearDown() override {
    SetUpgradeUrlOpener(nullptr);
    DialogTest::TearDown();
  }
  std::vector<std::string> opened_;
};

// Escape closes the upgrade screen only; its Enter clicks the web button, made first.
TEST_F(AboutUpgradeTest, EachScreenClosesOnlyAsItShould) {
  const struct {
    bool about;
    std::uint32_t key;
    bool closes;  // false: only the later click on OK or Close ends it
  } cases[] = {{true, VK_RETURN, true},
               {true, VK_ESCAPE, false},
               {false, VK_ESCAPE, true},
               {false, VK_RETURN, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.about ? "About, " : "upgrade, ") << "key " << c.key);
    opened_.clear();
    input_->KeyAt(In(40), c.key, c.key == VK_RETURN ? kScanEnter : kScanEscape);
    const std::uint64_t closing = In(500);
    if (!c.closes) {
      input_->ClickAt(closing, c.about ? kAboutOkX : kCloseX, c.about ? kAboutOkY : kCloseY);
    }
    if (c.about) {
      EXPECT_EQ(AboutDialog().DoModal(), kAboutResultOk);
    } else {
      EXPECT_EQ(UpgradeScreen().DoModal(), kDialogResultCancel);
    }
    EXPECT_EQ(clock_ > closing, !c.closes);
    EXPECT_EQ(opened_.size(), c.about || c.closes ? 0u : 1u);
  }
}

TEST_F(AboutUpgradeTest, WebButtonOpensTheInstalledManualEachTimeAndTheScreenStays) {
  UpgradeScreen screen;
  input_->ClickAt(In(40), kWebX, kWebY);
  input_->ClickAt(In(300), kWebX, kWebY);
  input_->ClickAt(In(600), kCloseX, kCloseY);
  EXPECT_EQ(screen.DoModal(), kDialogResultCancel);
  const std::string manual =
      std::filesystem::absolute(MediaPath("manual.html")).lexically_normal().string();
  EXPECT_EQ(opened_, (std::vector<std::string>{"file://" + manual, "file://" + manual}));
  EXPECT_TRUE(std::filesystem::exists(manual)) << "the address names the installed manual";
  EXPECT_FALSE(std::filesystem::exists("test.htm")) << "no page file is written on the way";
  // What an address cannot carry is escaped.
  SetDataDir("/tmp/Quenbry data/ü");
  EXPECT_EQ(MakersPageUrl(), "file:///tmp/Quenbry%20data/%C3%BC/manual.html");
  SetDataDir(MediaDir());
}

}  // namespace
