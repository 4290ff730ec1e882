// The title screen through the real window procedure: the player at start-up, the menu's hover
// and marker, launching games with and without their settings, coming back with Escape and F12,
// the corner buttons, a close while a dialog is open, and a start without any media.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AppShell.h"
#include "app/TitleScreen.h"
#include "audio/music/MusicShared.h"
#include "engine/CardGame.h"
#include "games/GameTable.h"
#include "games/RuleSettings.h"
#include "games/klondike/KlondikeSettings.h"
#include "gfx/art/ArtworkSet.h"
#include "persist/Preferences.h"
#include "persist/Settings.h"
#include "platform/Messages.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/support/RequireMedia.h"
#include "tests/support/ShellHarness.h"
#include "ui/UiModal.h"
#include "ui/widgets/ImageButton.h"

namespace {

constexpr int kScanLetter = 0x1E;
// The title without its corner buttons, whose keyboard-focus mark comes and goes with dialogs.
constexpr int kBelowCornerButtons = 70;

std::intptr_t At(int x, int y) {
  return MakeLParam(x, y);
}

ScreenPoint Middle(const ScreenRect& r) {
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The Start and Cancel buttons of a game's settings dialog in its start form.
ScreenPoint StartButton(const RuleSettingsLayout& layout) {
  return {layout.x + (layout.width - 200) / 3 + 50, layout.y + layout.buttonsY + 15};
}
ScreenPoint CancelButton(const RuleSettingsLayout& layout) {
  return {layout.x + (2 * layout.width - 400) / 3 + 100 + 50, layout.y + layout.buttonsY + 15};
}

// Lower-case letters typed one by one, 60 ms apart, from `afterMs`; returns the time after them.
std::uint64_t Type(ShellHarness& h, std::uint64_t afterMs, const char* text) {
  for (; *text != '\0'; ++text, afterMs += 60) {
    const auto key = static_cast<std::uint32_t>(*text - 'a' + 'A');
    h.PostAt(afterMs, WM_KEYDOWN, key, KeyLParam(1, kScanLetter, false, false, false));
    h.PostAt(afterMs + 20, WM_KEYUP, key, KeyLParam(1, kScanLetter, false, true, true));
  }
  return afterMs;
}

class TitleTest : public testing::Test {
protected:
  void SetUp() override {
    if (MediaDir().empty()) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
  }
  void TearDown() override { ThePreferences() = Preferences{}; }
};

TEST_F(TitleTest, WithoutAPlayerStartUpAsksForOneInTheLastThemeAndCancellingEndsTheProgram) {
  {
    ShellHarness::Options options;
    options.player = "";
    ShellHarness h(options);
    // The dialog comes up once the logo's five seconds are over, on the display at once, before
    // any input has arrived.
    bool dialogOnDisplay = false;
    h.OnMessage(ShellHarness::kTestAction, [&h, &dialogOnDisplay] {
      // The dialog is drawn in the screen buffer; the display must show the same.
      dialogOnDisplay = UiModalDepth() == 1 && h.Display().ScreenPixel(400, 300) ==
                                                   PixelAt(h.Shell().ScreenBuffer(), 400, 300);
    });
    h.PostAt(5200, ShellHarness::kTestAction);
    const std::uint64_t typed = Type(h, 5300, "ann");
    h.KeyAt(typed + 100, VK_RETURN);
    ASSERT_TRUE(h.Create());
    EXPECT_TRUE(dialogOnDisplay) << "the dialog waited for input before it showed";
    EXPECT_EQ(ThePreferences().playerName, "ann");
    EXPECT_EQ(ThePreferences().playerNumber, kFirstPlayerNumber);
    EXPECT_EQ(ReadSettingString("Preferences", "HumanName", ""), "ann");
    EXPECT_TRUE(MatchesGolden("app/title_below_corner_buttons", h.Shell().ScreenBuffer(), 0, 799,
                              kBelowCornerButtons, 599))
        << "the title shows again once the dialog has gone";
    h.KeyAt(100, VK_ESCAPE);
    EXPECT_EQ(h.Run(), 0);
  }
  // The dialog looks as it does from the title's Player button: in the last player's theme, not
  // in the first one.
  {
    ShellHarness::Options options;
    options.player = "";
    ShellHarness h(options);
    WriteSettingString("Preferences", "HumanName", "ann");
    Preferences ann;
    ann.playerNumber = FindOrAddPlayer("ann");
    ann.background = 2;
    SavePreferences(ann);
    int theme = -1;
    h.OnMessage(ShellHarness::kTestAction, [&h, &theme] {
      if (UiModalDepth() == 1) theme = h.Shell().Artwork()->BackgroundIndex();
    });
    h.PostAt(5200, ShellHarness::kTestAction);
    h.KeyAt(5300, VK_ESCAPE);
    EXPECT_FALSE(h.Create()) << "no player, no program";
    EXPECT_EQ(theme, 2);
  }
}

TEST_F(TitleTest, HoverHighlightsOneButtonAndTheMarkerRunsBesideIt) {
  ShellHarness h;
  ASSERT_TRUE(h.Create());
  TitleMenu& menu = h.Shell().Title()->Menu();
  const ScreenPoint one = Middle(TitleButtonRect(1));
  const ScreenPoint two = Middle(TitleButtonRect(2));
  h.PostAt(10, WM_MOUSEMOVE, 0, At(one.x, one.y));
  h.CheckAt(20, [&menu] {
    EXPECT_EQ(menu.Highlighted(), 1);
    EXPECT_EQ(menu.Frame(), 0);
  });
  // Three ticks of the 50 ms timer later the marker is three frames on.
  h.CheckAt(170, [&menu] { EXPECT_EQ(menu.Frame(), 3); });
  h.PostAt(180, WM_MOUSEMOVE, 0, At(two.x, two.y));
  h.CheckAt(185, [&menu, &h] {
    EXPECT_EQ(menu.Highlighted(), 2);
    EXPECT_EQ(menu.Frame(), 0) << "the marker starts again beside the new button";
    EXPECT_TRUE(
        MatchesGolden("app/title_hover_klondike", h.Shell().ScreenBuffer(), 140, 440, 220, 500));
  });
  h.PostAt(300, WM_MOUSEMOVE, 0, At(700, 300));
  h.CheckAt(320, [&menu, &h] {
    EXPECT_EQ(menu.Highlighted(), -1);
    EXPECT_TRUE(MatchesGolden("app/title_screen", h.Shell().ScreenBuffer(), 0, 799, 0, 599))
        << "button and marker area exactly as before";
  });
  h.KeyAt(400, VK_ESCAPE);
  EXPECT_EQ(h.Run(), 0);
}

// Every game the build has starts from its own button, after its settings when it has them;
// one without (Block Solitaire) deals at once.
TEST_F(TitleTest, EachGameStartsAfterItsSettingsAndEscapeOrF12LeadBackToTheTitle) {
  bool first = true;
  int withoutSettings = 0;
  for (const GameRow& row : GameTable()) {
    if (row.make == nullptr) continue;
    SCOPED_TRACE(row.name);
    const bool asks = row.settings != nullptr;
    withoutSettings += asks ? 0 : 1;
    // Both ways back from the first game, Escape from the others.
    const std::vector<std::uint32_t> leaves = first ? std::vector<std::uint32_t>{VK_ESCAPE, VK_F12}
                                                    : std::vector<std::uint32_t>{VK_ESCAPE};
    first = false;
    for (std::uint32_t leave : leaves) {
      ShellHarness h;
      ASSERT_TRUE(h.Create());
      const ScreenPoint button = Middle(TitleButtonRect(row.titleButton));
      h.ClickAt(10, button.x, button.y);
      h.CheckAt(200, [&h, asks] {
        EXPECT_EQ(UiModalDepth(), asks ? 1 : 0) << "the settings dialog is open when there is one";
        EXPECT_EQ(h.Shell().Game() == nullptr, asks)
            << "a game only once its settings are confirmed";
      });
      if (asks) {
        const ScreenPoint start = StartButton(*row.settings);
        h.ClickAt(300, start.x, start.y);
      }
      h.CheckAt(500, [&h, &row] {
        ASSERT_NE(h.Shell().Game(), nullptr);
        EXPECT_EQ(h.Shell().Game()->GameId(), row.gameId);
        EXPECT_STREQ(h.Shell().Game()->GetGameName(), row.name);
      });
      h.KeyAt(600, leave);
      h.CheckAt(700, [&h] {
        EXPECT_EQ(h.Shell().Game(), nullptr);
        EXPECT_TRUE(MatchesGolden("app/title_below_corner_buttons", h.Shell().ScreenBuffer(), 0,
                                  799, kBelowCornerButtons, 599));
      });
      h.KeyAt(800, leave);
      EXPECT_EQ(h.Run(), 0) << "at the title the same key ends the program";
    }
  }
  EXPECT_FALSE(first) << "no game in this build";
  EXPECT_GT(withoutSettings, 0) << "Block Solitaire has no settings and is built";
}

// Skipping the settings with "don't show again" is played through by TitleWithoutMedia below.
TEST_F(TitleTest, CancelledSettingsKeepTheTitleAndAClosingWindowEndsThemCleanly) {
  ShellHarness h;
  ASSERT_TRUE(h.Create());
  const ScreenPoint klondike = Middle(TitleButtonRect(2));
  const ScreenPoint cancel = CancelButton(kKlondikeSettings);
  h.ClickAt(10, klondike.x, klondike.y);
  h.ClickAt(300, cancel.x, cancel.y);
  h.PostAt(400, WM_MOUSEMOVE, 0, At(700, 300));
  h.CheckAt(500, [&h] {
    EXPECT_EQ(h.Shell().Game(), nullptr);
    EXPECT_EQ(UiModalDepth(), 0);
    EXPECT_TRUE(MatchesGolden("app/title_below_corner_buttons", h.Shell().ScreenBuffer(), 0, 799,
                              kBelowCornerButtons, 599))
        << "a cancelled start leaves the title as it was";
  });
  // The settings again, and the window closed while they are open.
  h.ClickAt(600, klondike.x, klondike.y);
  h.PostAt(900, WM_CLOSE);
  EXPECT_EQ(h.Run(), 0);
  EXPECT_EQ(h.Shell().Game(), nullptr) << "the cancelled settings started nothing";
  EXPECT_FALSE(h.Display().IsOpen());
}

TEST_F(TitleTest, ThePlayerButtonSwitchesToThatPlayersOwnChoices) {
  ShellHarness h;
  // A second player who chose card back 5 and the green theme earlier.
  EXPECT_EQ(FindOrAddPlayer("Tester"), kFirstPlayerNumber);
  EXPECT_EQ(FindOrAddPlayer("bob"), kFirstPlayerNumber + 1);
  const std::string bob = "Preferences\\" + std::to_string(kFirstPlayerNumber + 1);
  WriteSettingDword(bob, "CardBack", 5);
  WriteSettingDword(bob, "Background", 1);
  WriteSettingDword(bob, "MusicEnabled", 0);
  ASSERT_TRUE(h.Create());
  const ImageButton* player = h.Shell().Title()->PlayerButton();
  ASSERT_NE(player, nullptr);
  h.ClickAt(10, player->GetX() + 40, player->GetY() + 25);
  // The field holds "Tester": clear it, type the other name, confirm.
  std::uint64_t t = 300;
  for (int i = 0; i < 6; ++i, t += 40) h.KeyAt(t, VK_BACK);
  t = Type(h, t + 50, "bob");
  h.KeyAt(t + 100, VK_RETURN);
  h.CheckAt(t + 400, [&h] {
    EXPECT_EQ(ThePreferences().playerName, "bob");
    EXPECT_EQ(ThePreferences().playerNumber, kFirstPlayerNumber + 1);
    EXPECT_EQ(ThePreferences().cardBack, 5);
    EXPECT_EQ(ThePreferences().background, 1);
    EXPECT_EQ(h.Shell().Artwork()->CardBack(), 5);
    EXPECT_EQ(h.Shell().Artwork()->BackgroundIndex(), 1);
    EXPECT_EQ(ReadMusicInputs().musicEnabled, 0) << "the music thread follows the new player";
    EXPECT_FALSE(ReadMusicInputs().allowed) << "no title music for a player who switched it off";
  });
  h.KeyAt(t + 500, VK_ESCAPE);
  EXPECT_EQ(h.Run(), 0);
}

TEST_F(TitleTest, TheExitButtonShowsTheUpgradeScreenThenEnds) {
  ShellHarness h;
  ASSERT_TRUE(h.Create());
  int upgrades = 0;
  GameWindows windows;
  windows.upgrade = [&upgrades] { ++upgrades; };
  h.Shell().SetGameWindows(windows);
  const ImageButton* exit = h.Shell().Title()->ExitButton();
  ASSERT_NE(exit, nullptr);
  h.ClickAt(10, exit->GetX() + 40, exit->GetY() + 25);
  EXPECT_EQ(h.Run(), 0);
  EXPECT_EQ(upgrades, 1);
  EXPECT_TRUE(h.Shell().IsEnding());
}

// No media at all: no pictures, fonts or sounds, and still a program that starts, deals and ends.
TEST(TitleWithoutMedia, StartsPlaysAndEnds) {
  ShellHarness::Options options;
  options.useMedia = false;
  ShellHarness h(options);
  WriteRuleValue(kKlondikeSettings, "DontShowAgain", 1);
  ASSERT_TRUE(h.Create());
  const ScreenPoint klondike = Middle(TitleButtonRect(2));
  h.ClickAt(10, klondike.x, klondike.y);
  h.ClickAt(200, 120, 90);  // the stock
  h.OnMessage(ShellHarness::kTestAction, [&h] {
    ASSERT_NE(h.Shell().Game(), nullptr);
    EXPECT_EQ(h.Shell().Game()->GetDeck().Remaining(), 21);
  });
  h.PostAt(400, ShellHarness::kTestAction);
  h.KeyAt(500, VK_ESCAPE);
  h.KeyAt(600, VK_ESCAPE);
  EXPECT_EQ(h.Run(), 0);
}

}  // namespace
