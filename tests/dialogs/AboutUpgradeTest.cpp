// The About box and the upgrade screen through the modal loop: how each closes (Escape closes
// only the upgrade screen), the web button handing the installed manual's address over and
// leaving the screen open, and how both look.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dialogs/AboutDialog.h"
#include "dialogs/DialogResults.h"
#include "dialogs/UpgradeScreen.h"
#include "platform/CommandLine.h"
#include "platform/DataDir.h"
#include "tests/support/RequireMedia.h"
#include "tests/ui/DialogTestSupport.h"
#include "ui/widgets/ImageButton.h"
#include "ui/widgets/TextButton.h"

namespace {

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

TEST_F(AboutUpgradeTest, AboutShowsThisBuildsVersion) {
  AboutDialog about;
  EXPECT_STREQ(about.GetText(), "About Quenbry Solitaire");
  EXPECT_STREQ(about.GetOkButton()->GetText(), "OK");
  const std::string version = kVersionText;
  EXPECT_EQ(AboutVersionLine(), "Version " + version.substr(version.rfind(' ') + 1));
  EXPECT_EQ(AboutVersionLine().rfind("Version ", 0), 0u);
}

TEST_F(AboutUpgradeTest, AboutClosesWithOkOrEnterButNotEscape) {
  {
    AboutDialog about;
    input_->ClickAt(In(40), kAboutOkX, kAboutOkY);
    EXPECT_EQ(about.DoModal(), kAboutResultOk);
  }
  {
    AboutDialog about;
    input_->KeyAt(In(40), VK_RETURN, kScanEnter);
    EXPECT_EQ(about.DoModal(), kAboutResultOk);
  }
  {
    AboutDialog about;
    input_->KeyAt(In(40), VK_ESCAPE, kScanEscape);
    const std::uint64_t closing = In(500);
    input_->ClickAt(closing, kAboutOkX, kAboutOkY);
    EXPECT_EQ(about.DoModal(), kAboutResultOk);
    EXPECT_GE(clock_, closing + 50) << "Escape left it open";
  }
}

TEST_F(AboutUpgradeTest, UpgradeScreenClosesWithEscapeOrItsCloseButton) {
  {
    UpgradeScreen screen;
    input_->KeyAt(In(40), VK_ESCAPE, kScanEscape);
    EXPECT_EQ(screen.DoModal(), kDialogResultCancel);
    EXPECT_FALSE(screen.IsShown());
  }
  {
    UpgradeScreen screen;
    input_->ClickAt(In(40), kCloseX, kCloseY);
    EXPECT_EQ(screen.DoModal(), kDialogResultCancel);
  }
  EXPECT_TRUE(opened_.empty());
  {
    // The web button, made first, holds the focus: Enter clicks it and the screen stays.
    UpgradeScreen screen;
    input_->KeyAt(In(40), VK_RETURN, kScanEnter);
    const std::uint64_t closing = In(500);
    input_->ClickAt(closing, kCloseX, kCloseY);
    EXPECT_EQ(screen.DoModal(), kDialogResultCancel);
    EXPECT_GE(clock_, closing + 50);
    EXPECT_EQ(opened_.size(), 1u);
  }
}

TEST_F(AboutUpgradeTest, WebButtonOpensTheInstalledManualEachTimeAndTheScreenStays) {
  UpgradeScreen screen;
  input_->ClickAt(In(40), kWebX, kWebY);
  input_->ClickAt(In(300), kWebX, kWebY);
  const std::uint64_t closing = In(600);
  input_->ClickAt(closing, kCloseX, kCloseY);
  EXPECT_EQ(screen.DoModal(), kDialogResultCancel);
  EXPECT_GE(clock_, closing + 50) << "the web button left the screen open";
  ASSERT_EQ(opened_.size(), 2u);
  const std::string manual =
      std::filesystem::absolute(MediaPath("manual.html")).lexically_normal().string();
  EXPECT_EQ(opened_[0], "file://" + manual);
  EXPECT_EQ(opened_[1], opened_[0]);
  EXPECT_TRUE(std::filesystem::exists(manual)) << "the address names the installed manual";
  // No page file is written on the way.
  EXPECT_FALSE(std::filesystem::exists("test.htm"));
}

TEST_F(AboutUpgradeTest, TheManualsAddressEscapesWhatAnAddressCannotCarry) {
  SetDataDir("/tmp/Quenbry data/ü");
  EXPECT_EQ(MakersPageUrl(), "file:///tmp/Quenbry%20data/%C3%BC/manual.html");
  SetDataDir(MediaDir());
}

TEST_F(AboutUpgradeTest, AboutLooksRightInTheDarkAndTheLightTheme) {
  for (const int theme : {0, 1}) {
    if (!UseArtwork(theme)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
    art_->RestoreBackground(0, 799, 0, 599);
    AboutDialog about;
    about.Show();
    EXPECT_TRUE(MatchesGolden("dialogs/about_theme" + std::to_string(theme), screenBuffer_,
                              145 - 12, 654 + 12, 90 - 12, 489 + 12));
    about.Hide();
  }
}

// The screen is its own picture: no theme part shows, so one golden covers every theme.
TEST_F(AboutUpgradeTest, UpgradeScreenLooksRightOverEitherTheme) {
  for (const int theme : {0, 1}) {
    if (!UseArtwork(theme)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
    art_->RestoreBackground(0, 799, 0, 599);
    UpgradeScreen screen;
    screen.Show();
    EXPECT_TRUE(MatchesGolden("dialogs/upgrade_screen", screenBuffer_, 0, 799, 0, 599))
        << "theme " << theme;
    screen.Hide();
  }
}

}  // namespace
