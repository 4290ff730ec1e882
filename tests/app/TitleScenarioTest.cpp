// The title screen through the real window procedure, from start-up to the games and back.
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

// The title without its corner buttons, whose keyboard-focus mark comes and goes with dialogs.
constexpr int kBelowCornerButtons = 70;

ScreenPoint Middle(const ScreenRect& r) {
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool TitleAsBefore(ShellHarness& h) {
  return MatchesGolden("app/title_below_corner_buttons", h.Shell().ScreenBuffer(), 0, 799,
                       kBelowCornerButtons, 599);
}

void ClickButton(ShellHarness& h, std::uint64_t afterMs, const ImageButton* button) {
  ASSERT_NE(button, nullptr);
  h.ClickAt(afterMs, button->GetX() + 40, button->GetY() + 25);
}

// Lower-case letters typed 60 ms apart from `afterMs`; returns the time after them.
std::uint64_t Type(ShellHarness& h, std::uint64_t afterMs, const char* text) {
  for (; *text != '\0'; ++text, afterMs += 60) {
    const auto key = static_cast<std::uint32_t>(*text - 'a' + 'A');
    h.PostAt(afterMs, WM_KEYDOWN, key, KeyLParam(1, 0x1E, false, false, false));
    h.PostAt(afterMs + 20, WM_KEYUP, key, KeyLParam(1, 0x1E, false, true, true));
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

TEST_F(TitleTest, WithoutAPlayerStartUpAsksForOneAndCancellingEndsTheProgram) {
  for (const bool cancel : {false, true}) {
    ShellHarness::Options options;
    options.player = "";
    ShellHarness h(options);
    // Once the logo's five seconds are over the dialog is on the display, before any input.
    bool dialogOnDisplay = false;
    h.CheckAt(5200, [&h, &dialogOnDisplay] {
      dialogOnDisplay = UiModalDepth() == 1 && h.Display().ScreenPixel(400, 300) ==
                                                   PixelAt(h.Shell().ScreenBuffer(), 400, 300);
    });
    if (cancel) {
      h.KeyAt(5300, VK_ESCAPE);
      EXPECT_FALSE(h.Create()) << "no player, no program";
      continue;
    }
    h.KeyAt(Type(h, 5300, "ann") + 100, VK_RETURN);
    ASSERT_TRUE(h.Create());
    EXPECT_TRUE(dialogOnDisplay) << "the dialog waited for input before it showed";
    EXPECT_EQ(ThePreferences().playerNumber, kFirstPlayerNumber);
    EXPECT_EQ(ReadSettingString("Preferences", "HumanName", ""), "ann");
    EXPECT_TRUE(TitleAsBefore(h)) << "the title shows again once the dialog has gone";
    h.KeyAt(100, VK_ESCAPE);
    EXPECT_EQ(h.Run(), 0);
  }
}

TEST_F(TitleTest, HoverMovesTheHighlightAndTheMarkerToTheNewButton) {
  ShellHarness h;
  ASSERT_TRUE(h.Create());
  TitleMenu& menu = h.Shell().Title()->Menu();
  const ScreenPoint one = Middle(TitleButtonRect(1)), two = Middle(TitleButtonRect(2));
  h.PostAt(10, WM_MOUSEMOVE, 0, MakeLParam(one.x, one.y));
  h.PostAt(180, WM_MOUSEMOVE, 0, MakeLParam(two.x, two.y));
  h.CheckAt(185, [&menu, &h] {
    EXPECT_EQ(menu.Highlighted(), 2);
    EXPECT_EQ(menu.Frame(), 0) << "the marker starts again beside the new button";
    EXPECT_TRUE(
        MatchesGolden("app/title_hover_klondike", h.Shell().ScreenBuffer(), 140, 440, 220, 500));
  });
  h.KeyAt(400, VK_ESCAPE);
  EXPECT_EQ(h.Run(), 0);
}

// Every built game starts from its own button, after its settings when it has them; one without
// (Block Solitaire) deals at once. Escape or F12 lead back, and at the title end the program.
TEST_F(TitleTest, EachGameStartsAfterItsSettingsAndEscapeOrF12LeadBackToTheTitle) {
  bool first = true;
  int withoutSettings = 0;
  for (const GameRow& row : GameTable()) {
    if (row.make == nullptr) continue;
    SCOPED_TRACE(row.name);
    const RuleSettingsLayout* settings = row.settings;
    withoutSettings += settings == nullptr ? 1 : 0;
    const std::vector<std::uint32_t> leaves = first ? std::vector<std::uint32_t>{VK_ESCAPE, VK_F12}
                                                    : std::vector<std::uint32_t>{VK_ESCAPE};
    first = false;
    for (std::uint32_t leave : leaves) {
      ShellHarness h;
      ASSERT_TRUE(h.Create());
      const ScreenPoint button = Middle(TitleButtonRect(row.titleButton));
      h.ClickAt(10, button.x, button.y);
      h.CheckAt(200, [&h, settings] {
        EXPECT_EQ(UiModalDepth(), settings != nullptr ? 1 : 0) << "the settings dialog is open";
        EXPECT_EQ(h.Shell().Game() == nullptr, settings != nullptr) << "a game before them";
      });
      if (settings != nullptr) {  // the Start button of the dialog's start form
        h.ClickAt(300, settings->x + (settings->width - 200) / 3 + 50,
                  settings->y + settings->buttonsY + 15);
      }
      h.CheckAt(500, [&h, &row] {
        ASSERT_NE(h.Shell().Game(), nullptr);
        EXPECT_EQ(h.Shell().Game()->GameId(), row.gameId);
        EXPECT_STREQ(h.Shell().Game()->GetGameName(), row.name);
      });
      h.KeyAt(600, leave);
      h.CheckAt(700, [&h] {
        EXPECT_EQ(h.Shell().Game(), nullptr);
        EXPECT_TRUE(TitleAsBefore(h));
      });
      h.KeyAt(800, leave);
      EXPECT_EQ(h.Run(), 0);
    }
  }
  EXPECT_FALSE(first) << "no game in this build";
  EXPECT_GT(withoutSettings, 0) << "Block Solitaire has no settings and is built";
}

TEST_F(TitleTest, ThePlayerButtonSwitchesToThatPlayersOwnChoices) {
  ShellHarness h;
  // A second player who chose card back 5, the green theme and no music earlier.
  EXPECT_EQ(FindOrAddPlayer("Tester"), kFirstPlayerNumber);
  EXPECT_EQ(FindOrAddPlayer("bob"), kFirstPlayerNumber + 1);
  const std::string bob = "Preferences\\" + std::to_string(kFirstPlayerNumber + 1);
  WriteSettingDword(bob, "CardBack", 5);
  WriteSettingDword(bob, "Background", 1);
  WriteSettingDword(bob, "MusicEnabled", 0);
  ASSERT_TRUE(h.Create());
  ClickButton(h, 10, h.Shell().Title()->PlayerButton());
  std::uint64_t t = 300;
  for (int i = 0; i < 6; ++i, t += 40) h.KeyAt(t, VK_BACK);  // "Tester" cleared
  t = Type(h, t + 50, "bob");
  h.KeyAt(t + 100, VK_RETURN);
  h.CheckAt(t + 400, [&h] {
    EXPECT_EQ(ThePreferences().playerName, "bob");
    EXPECT_EQ(ThePreferences().playerNumber, kFirstPlayerNumber + 1);
    EXPECT_EQ(ThePreferences().cardBack, 5);
    EXPECT_EQ(h.Shell().Artwork()->CardBack(), 5);
    EXPECT_EQ(h.Shell().Artwork()->BackgroundIndex(), 1);
    EXPECT_EQ(ReadMusicInputs().musicEnabled, 0) << "the music thread follows the new player";
    EXPECT_FALSE(ReadMusicInputs().allowed) << "no title music for a player who switched it off";
  });
  h.KeyAt(t + 500, VK_ESCAPE);
  EXPECT_EQ(h.Run(), 0);
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
  h.CheckAt(400, [&h] {
    ASSERT_NE(h.Shell().Game(), nullptr);
    EXPECT_EQ(h.Shell().Game()->GetDeck().Remaining(), 21);
  });
  h.KeyAt(500, VK_ESCAPE);
  h.KeyAt(600, VK_ESCAPE);
  EXPECT_EQ(h.Run(), 0);
}

}  // namespace
