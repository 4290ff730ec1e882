// The About box and the upgrade screen through the modal loop: how each closes, the web button
// handing over the installed manual's address, and their goldens.
#include <gtest/gtest.h>

#include <cstdint>
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

// About closes with OK or Enter but not Escape; the upgrade screen with Escape or Close, while
// Enter clicks its web button (made first, it holds the focus) and leaves it open.
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
  const std::string version = kVersionText;
  EXPECT_EQ(AboutVersionLine(), "Version " + version.substr(version.rfind(' ') + 1));
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

// The upgrade screen is its own picture: no theme part shows, so one golden covers every theme.
TEST_F(AboutUpgradeTest, LookRightInTheDarkAndTheLightTheme) {
  for (const int theme : {0, 1}) {
    if (!UseArtworkOnBackdrop(theme)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
    AboutDialog about;
    EXPECT_TRUE(ShowsAsGolden(about, "dialogs/about_theme" + std::to_string(theme), 145 - 12,
                              654 + 12, 90 - 12, 489 + 12));
    UpgradeScreen screen;
    EXPECT_TRUE(ShowsAsGolden(screen, "dialogs/upgrade_screen", 0, 799, 0, 599))
        << "theme " << theme;
  }
}

}  // namespace
