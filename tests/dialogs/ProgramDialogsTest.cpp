// Player select, high scores and the choosers through their modal loops: what each hands back,
// how it closes, the reset action and the store, the music mode rule, and their goldens.
#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "dialogs/DialogResults.h"
#include "dialogs/HighScoreDialog.h"
#include "dialogs/PlayerSelectDialog.h"
#include "dialogs/choosers/BackgroundChooser.h"
#include "dialogs/choosers/CardBackChooser.h"
#include "dialogs/choosers/CardFrontChooser.h"
#include "dialogs/choosers/MusicChooser.h"
#include "persist/HighScores.h"
#include "platform/Window.h"
#include "tests/support/RequireMedia.h"
#include "tests/support/ScratchStore.h"
#include "tests/ui/DialogTestSupport.h"
#include "ui/UiMessageBox.h"
#include "ui/widgets/CheckBox.h"
#include "ui/widgets/RadioButton.h"
#include "ui/widgets/TextButton.h"

namespace {

constexpr int kScanLetter = 0x1E;
constexpr int kScanShift = 0x2A;
// Screen places of the dialog's controls: the dialog stands at (200, 210).
constexpr int kOkX = 200 + 66 + 50;
constexpr int kOkY = 210 + 130 + 15;
constexpr int kCancelX = 200 + 233 + 50;
constexpr int kCheckX = 200 + 48 + 6;
constexpr int kCheckY = 210 + 100 + 8;
constexpr int kFieldX = 200 + 155 + 90;
constexpr int kFieldY = 210 + 60 + 10;

class PlayerSelectDialogTest : public DialogTest {
protected:
  // Types text from `ms` on, 60 ms a key, capitals with Shift; returns the time after it.
  std::uint64_t TypeAt(std::uint64_t ms, const char* text) {
    for (; *text != '\0'; ++text, ms += 60) {
      const bool capital = *text >= 'A' && *text <= 'Z';
      if (capital) input_->At(ms, WM_KEYDOWN, VK_SHIFT, KeyDownParam(kScanShift));
      input_->KeyAt(ms + 5, static_cast<std::uint32_t>(std::toupper(*text)), kScanLetter);
      if (capital) input_->At(ms + 40, WM_KEYUP, VK_SHIFT, KeyUpParam(kScanShift));
    }
    return ms;
  }
};

// Cancel and Escape hand back the values handed in, whatever was typed or switched.
TEST_F(PlayerSelectDialogTest, OkAndEnterGiveTheNameAndSwitchCancelAndEscapeKeepTheOldOnes) {
  const struct {
    const char* name;
    bool dontShow;
    const char* typed;
    bool toggle;        // a click on the switch after the typing
    std::uint32_t key;  // 0: a click on `x` at the end
    int x;
    int result;
    const char* expectedName;
    bool expectedDontShow;
  } cases[] = {
      {"", false, "Ann P1", true, 0, kOkX, kDialogResultOk, "Ann P1", true},
      {"Carol", true, "", false, VK_RETURN, 0, kDialogResultOk, "Carol", true},
      {"Dora", false, "xyz", true, 0, kCancelX, kDialogResultCancel, "Dora", false},
      {"Dora", true, "xyz", false, VK_ESCAPE, 0, kDialogResultCancel, "Dora", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expectedName);
    PlayerSelectDialog dialog(c.name, c.dontShow);
    const std::uint64_t typed = TypeAt(In(40), c.typed);
    if (c.toggle) input_->ClickAt(typed + 100, kCheckX, kCheckY);
    if (c.key != 0) {
      input_->KeyAt(typed + 300, c.key, c.key == VK_RETURN ? kScanEnter : kScanEscape);
    } else {
      input_->ClickAt(typed + 300, c.x, kOkY);
    }
    EXPECT_EQ(dialog.DoModal(), c.result);
    EXPECT_EQ(dialog.GetPlayerName(), c.expectedName);
    EXPECT_EQ(dialog.GetDontShowAgain(), c.expectedDontShow);
    EXPECT_FALSE(dialog.IsShown());
  }
  EXPECT_EQ(PlayerSelectDialog(nullptr, false).GetPlayerName(), "") << "no name handed in";
}

// The key or click that closes the box must not reach the dialog beneath (Enter would reopen it).
TEST_F(PlayerSelectDialogTest, AnEmptyNameShowsTheMessageAndTheDialogStaysOpen) {
  const UiMessageBox box(nullptr, "Player Select", kUiMbOk, "You must enter a name.");
  const int boxOkX = box.GetX() + box.GetWidth() / 2, boxOkY = box.GetY() + 55 + 15;
  const struct {
    std::uint32_t key;  // 0: a click on the box's OK
    int scan;
  } closings[] = {{VK_RETURN, kScanEnter}, {VK_ESCAPE, kScanEscape}, {0, 0}};
  for (const auto& close : closings) {
    SCOPED_TRACE(testing::Message() << "closed with key " << close.key);
    PlayerSelectDialog dialog("", true);
    std::string depths;  // the loops running at each window timer tick
    SetWindowProc([&](std::uint32_t message, std::uintptr_t, std::intptr_t) {
      if (message == WM_TIMER) depths += static_cast<char>('0' + UiModalDepth());
      return std::intptr_t{0};
    });
    SetTimer(5, 100);
    const std::uint64_t start = clock_;
    input_->ClickAt(start + 20, kCheckX, kCheckY);  // the switch off, then OK with no name
    input_->ClickAt(start + 140, kOkX, kOkY);
    if (close.key != 0) {
      input_->KeyAt(start + 430, close.key, close.scan);
    } else {
      input_->ClickAt(start + 400, boxOkX, boxOkY);
    }
    input_->ClickAt(start + 750, kFieldX, kFieldY);
    const std::uint64_t typed = TypeAt(start + 900, "Eve");
    input_->ClickAt(typed + 200, kOkX, kOkY);
    EXPECT_EQ(dialog.DoModal(), kDialogResultOk);
    KillTimer(5);
    EXPECT_EQ(dialog.GetPlayerName(), "Eve");
    EXPECT_FALSE(dialog.GetDontShowAgain());
    EXPECT_GE(clock_, typed + 250) << "closed by the last click, not before";
    // The box was open from about 190 ms to 450 ms, and never again.
    EXPECT_EQ(std::count(depths.begin(), depths.end(), '2'), 3) << depths;
    EXPECT_EQ(depths.find('2'), depths.find("222")) << depths;
  }
  SetWindowProc([](std::uint32_t, std::uintptr_t, std::intptr_t) { return std::intptr_t{0}; });
}

constexpr int kDialogX = 200;
constexpr int kDialogY = 100;
constexpr int kScanP = 0x19;

struct Spot {
  int x, y;
};
constexpr Spot Middle(int left, int top, int width) {
  return {kDialogX + left + width / 2, kDialogY + top + 15};
}
constexpr Spot kCloseWithPlayAgain = Middle(53, 280, 90);
constexpr Spot kResetWithPlayAgain = Middle(216, 280, 90);
constexpr Spot kPlayAgain = Middle(120, 317, 120);
constexpr Spot kCloseAlone = Middle(53, 310, 90);
constexpr Spot kResetAlone = Middle(216, 310, 90);
std::vector<HighScoreEntry> Table(const std::vector<std::int32_t>& scores) {
  std::vector<HighScoreEntry> entries;
  for (std::size_t i = 0; i < scores.size(); ++i) {
    entries.push_back({"Player " + std::string(1, static_cast<char>('A' + i)), scores[i]});
  }
  return entries;
}

using HighScoreDialogTest = DialogTest;

TEST_F(HighScoreDialogTest, EachButtonAndKeyGivesItsResultAndOnlyResetClears) {
  int resets = 0;
  bool shownWhileReset = false;
  const struct {
    bool withPlayAgain;
    std::uint32_t key;  // 0: a click on `click`
    int scan;
    Spot click;
    int result;
    int resets;
  } cases[] = {
      {true, 0, 0, kCloseWithPlayAgain, kDialogResultOk, 0},
      {true, 0, 0, kPlayAgain, kDialogResultPlayAgain, 0},
      {true, 0, 0, kResetWithPlayAgain, kDialogResultOk, 1},
      {true, VK_RETURN, kScanEnter, {}, kDialogResultOk, 0},  // Close holds the focus
      {true, VK_ESCAPE, kScanEscape, {}, kDialogResultOk, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    resets = 0;
    HighScoreDialog* running = nullptr;
    HighScoreDialog dialog("Klondike", Table({300, 200}), 200, c.withPlayAgain, [&] {
      ++resets;
      shownWhileReset = running != nullptr && running->IsShown();
    });
    running = &dialog;
    if (c.key != 0) {
      input_->KeyAt(In(40), c.key, c.scan);
    } else {
      input_->ClickAt(In(40), c.click.x, c.click.y);
    }
    EXPECT_EQ(dialog.DoModal(), c.result);
    EXPECT_EQ(resets, c.resets);
    EXPECT_FALSE(dialog.IsShown());
    EXPECT_TRUE(c.resets == 0 || shownWhileReset) << "the table is cleared before it closes";
    EXPECT_EQ(dialog.GetEntries().size(), 2u) << "the rows it was opened with stay as they were";
  }
}

// Opened from the menu there is no Play Again; an empty reset action is simply not called.
TEST_F(HighScoreDialogTest, WithoutPlayAgainItsPlaceAndLetterDoNothing) {
  HighScoreDialog dialog("Block Solitaire", Table({40}), 0, false, nullptr);
  input_->ClickAt(In(40), kPlayAgain.x, kPlayAgain.y);
  input_->KeyAt(In(200), 'P', kScanP);
  const std::uint64_t closing = In(400);
  input_->ClickAt(closing, kCloseAlone.x, kCloseAlone.y);
  EXPECT_EQ(dialog.DoModal(), kDialogResultOk);
  EXPECT_GE(clock_, closing + 50) << "nothing before the click on Close ended it";
  HighScoreDialog unresettable("Block Solitaire", Table({40}), 0, false, nullptr);
  input_->ClickAt(In(40), kResetAlone.x, kResetAlone.y);
  EXPECT_EQ(unresettable.DoModal(), kDialogResultOk);
}

// Which of equal scores is lit is the play-again golden's.
TEST_F(HighScoreDialogTest, KeepsAtMostTenEntriesAndLightsOnlyAShownOne) {
  HighScoreDialog twelve("Klondike", Table({12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}), 1, true,
                         nullptr);
  EXPECT_EQ(twelve.GetEntries().size(), 10u);
  EXPECT_EQ(twelve.GetHighlightedRow(), -1) << "the eleventh entry is not shown, so not marked";
}

// Joined to the settings store, "&Reset" clears only its own game's table.
class HighScoreStoreTest : public DialogTest {
protected:
  ScratchStore store_;
};

TEST_F(HighScoreStoreTest, ResetClearsThatGamesTableOnly) {
  ASSERT_TRUE(AddHighScore("Klondike", "Ann", 120));
  ASSERT_TRUE(AddHighScore("Klondike", "Bob", 90));
  ASSERT_TRUE(AddHighScore("Gate", "Ann", 300));
  input_->ClickAt(In(40), kResetAlone.x, kResetAlone.y);
  EXPECT_EQ(RunHighScoreDialog("Klondike", 0, false), kDialogResultOk);
  EXPECT_EQ(CountHighScores("Klondike"), 0);
  EXPECT_EQ(CountHighScores("Gate"), 1);
}

// Counts the times the whole screen was sent to the display.
class ShowRecorder : public RecordingScreenUpdate {
public:
  void ShowScreenRect(const ScreenRect& rect) override {
    wholeScreen += rect == ScreenRect{0, 0, 799, 599};
  }
  int wholeScreen = 0;
};

ScreenPoint Middle(const UiElement* e) {
  return {e->GetX() + e->GetWidth() / 2, e->GetY() + e->GetHeight() / 2};
}

class ChoosersTest : public DialogTest {
protected:
  void Click(ScreenPoint p, std::uint64_t after = 40) { input_->ClickAt(In(after), p.x, p.y); }
};

// A press moves the outline and sends the whole screen. (Cancel is the music chooser's.)
TEST_F(ChoosersTest, APressMovesTheOutlineAndOnlyTheLastProposalCounts) {
  if (!UseArtworkOnBackdrop(0)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
  ShowRecorder recorder;
  UiSetScreenUpdate(&recorder);
  CardBackChooser chooser(3);
  const ScreenRect twenty = chooser.SampleRect(20), nine = chooser.SampleRect(9);
  Click({twenty.left + 5, twenty.top + 5});
  Click({nine.left + 26, nine.bottom - 1}, 400);
  Click(Middle(chooser.GetOkButton()), 600);
  EXPECT_EQ(chooser.DoModal(), kDialogResultOk);
  EXPECT_EQ(chooser.GetChoice(), 9);
  EXPECT_EQ(recorder.wholeScreen, 2);
  UiSetScreenUpdate(&screenUpdate_);
}

TEST_F(ChoosersTest, OpenOnTheStoredValuesAndStartAtZeroOnNonsense) {
  ThePreferences().background = 4;
  EXPECT_EQ(BackgroundChooser().GetChoice(), 4);
  ThePreferences().background = 6;
  ThePreferences().cardFront = -1;
  EXPECT_EQ(BackgroundChooser().GetChoice(), 0);
  EXPECT_EQ(CardFrontChooser().GetChoice(), 0);
  ThePreferences() = Preferences{};
  if (!UseArtwork(0)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
  art_->SetCardBack(17);
  EXPECT_EQ(CardBackChooser().GetChoice(), 17);
}

// What a test clicks in the music chooser: mode button m, or song box i as kSong + i.
constexpr int kSong = 10;
constexpr int kFast1 = kSong + 0;
constexpr int kRock = kSong + 3;

class MusicChooserTest : public ChoosersTest {
protected:
  MusicChoice Confirm(const MusicChoice& initial, const std::vector<int>& clicks) {
    MusicChooser chooser(initial);
    std::uint64_t at = 40;
    for (const int pick : clicks) {
      Click(Middle(pick >= kSong ? static_cast<const UiElement*>(chooser.GetSongBox(pick - kSong))
                                 : chooser.GetModeButton(pick)),
            at);
      at += 200;
    }
    Click(Middle(chooser.GetOkButton()), at);
    EXPECT_EQ(chooser.DoModal(), kDialogResultOk);
    return chooser.GetChoice();
  }
};

// OK hands back the mode and songs it opened on or was given; music without songs is event music.
TEST_F(MusicChooserTest, OkReadsModeAndSongsAndMusicWithoutSongsIsEventMusic) {
  const MusicChoice stored{kMusicEventsOnly, {true, false, false, true, false, true}};
  EXPECT_EQ(Confirm(stored, {}), stored);
  const MusicChoice none{kMusicEnabled, {}};
  const MusicChoice rockOnly{kMusicEnabled, {false, false, false, true, false, false}};
  EXPECT_EQ(Confirm(none, {}).mode, kMusicEventsOnly) << "enabled with nothing ticked";
  EXPECT_EQ(Confirm(rockOnly, {kRock}), (MusicChoice{kMusicEventsOnly, {}}));
  EXPECT_EQ(Confirm(none, {kRock, kFast1}),
            (MusicChoice{kMusicEnabled, {true, false, false, true, false, false}}));
  EXPECT_EQ(Confirm(none, {kMusicDisabled}), (MusicChoice{kMusicDisabled, {}}));
  EXPECT_EQ(Confirm(MusicChoice{kMusicDisabled, {}}, {kMusicEnabled, kFast1}).mode, kMusicEnabled);
  // The stored preferences and back; a mode out of range reads as music on.
  Preferences prefs;
  prefs.musicEnabled = 2;
  prefs.songs[4] = 1;
  EXPECT_EQ(MusicChoiceFrom(prefs), (MusicChoice{2, {false, false, false, false, true, false}}));
  prefs.musicEnabled = 7;
  EXPECT_EQ(MusicChoiceFrom(prefs).mode, kMusicEnabled);
  StoreMusicChoice({0, {true, true, false, false, false, true}}, prefs);
  EXPECT_EQ(prefs.musicEnabled, 0);
  EXPECT_EQ(prefs.songs[0] + prefs.songs[1] + prefs.songs[5], 3);
  EXPECT_EQ(prefs.songs[2] + prefs.songs[3] + prefs.songs[4], 0);
}

// Songs mean nothing with the music off; their ticks stay for when it comes back.
TEST_F(MusicChooserTest, SongBoxesFollowWhetherMusicIsDisabled) {
  MusicChooser chooser(MusicChoice{kMusicDisabled, {true, false, false, false, false, false}});
  chooser.Show();
  EXPECT_TRUE(chooser.GetSongBox(3)->IsDisabled()) << "opened with music disabled";
  const ScreenPoint on = Middle(chooser.GetModeButton(kMusicEventsOnly));
  Record(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(on.x, on.y));
  chooser.Poll();
  Record(WM_LBUTTONUP, 0, MakeLParam(on.x, on.y));
  chooser.Poll();
  EXPECT_FALSE(chooser.GetSongBox(3)->IsDisabled());
  EXPECT_TRUE(chooser.GetSongBox(0)->IsSelected());
  chooser.Hide();
}

TEST_F(MusicChooserTest, CancelAndKeysLeaveTheStoredChoice) {
  const MusicChoice stored{kMusicDisabled, {false, true, false, false, false, false}};
  MusicChooser chooser(stored);
  Click(Middle(chooser.GetModeButton(kMusicEnabled)));
  Click(Middle(chooser.GetSongBox(5)), 200);
  input_->KeyAt(In(400), VK_ESCAPE, kScanEscape);
  const std::uint64_t cancel = In(600);
  Click(Middle(chooser.GetCancelButton()), 600);
  EXPECT_EQ(chooser.DoModal(), kDialogResultCancel);
  EXPECT_GE(clock_, cancel) << "Escape did not close it";
  EXPECT_EQ(chooser.GetChoice(), stored);
}

// A missing backdrop or one that fails half way. (Good thumbnails are the background golden's.)
TEST_F(ChoosersTest, BadBackdropsLeaveTheirThumbnailsBlank) {
  if (!UseArtworkOnBackdrop(0)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
  const std::filesystem::path media(MediaDir());
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("qs_choosers_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir / "artwork");
  std::filesystem::copy_file(media / "artwork" / "backdrop3.jpg", dir / "artwork" / "backdrop1.jpg",
                             std::filesystem::copy_options::overwrite_existing);
  std::vector<char> bytes(2000);  // cut off after its headers
  std::ifstream(media / "artwork" / "backdrop2.jpg", std::ios::binary).read(bytes.data(), 2000);
  std::ofstream(dir / "artwork" / "backdrop6.jpg", std::ios::binary).write(bytes.data(), 2000);
  SetDataDir(dir.string());
  BackgroundChooser chooser(0);
  EXPECT_TRUE(chooser.HasThumbnail(0));
  for (int i = 1; i < 6; ++i) EXPECT_FALSE(chooser.HasThumbnail(i)) << i;
  SetDataDir(MediaDir());
  std::filesystem::remove_all(dir);
}

// With no buffer to decode into, the chooser still opens, blank, and the pointer is back.
TEST_F(ChoosersTest, WithoutABufferTheChooserOpensBlankAndTheWaitCursorGoes) {
  SetCursor(CursorShape::Arrow);
  std::vector<int> taken;
  for (int h = GfxAllocBuffer(800, 600); h >= 0; h = GfxAllocBuffer(800, 600)) taken.push_back(h);
  {
    BackgroundChooser chooser(2);
    for (int i = 0; i < 6; ++i) EXPECT_FALSE(chooser.HasThumbnail(i));
    EXPECT_EQ(CurrentCursor(), CursorShape::Arrow);
  }
  for (int h : taken) GfxFreeBuffer(h);
  UiSelectDrawingBuffer();
}

TEST_F(ChoosersTest, EveryDialogLooksRightWithTheDarkAndTheLightTheme) {
  const std::vector<HighScoreEntry> scores = {{"Ann", 1520}, {"Bert", 1210},  {"Ann", 980},
                                              {"Cleo", 980}, {"Dmitri", 455}, {"Eve", 120},
                                              {"Fritz", -40}};
  for (const int theme : {0, 1}) {
    if (!UseArtworkOnBackdrop(theme)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
    const std::string suffix = "_theme" + std::to_string(theme);
    PlayerSelectDialog player("Ann", false);
    EXPECT_TRUE(ShowsAsGolden(player, "dialogs/player_select" + suffix, 188, 611, 198, 401));
    HighScoreDialog playAgain("Klondike", scores, 980, true, nullptr);
    EXPECT_TRUE(
        ShowsAsGolden(playAgain, "dialogs/high_scores_play_again" + suffix, 188, 571, 88, 471));
    HighScoreDialog fromMenu("Klondike", scores, 0, false, nullptr);
    EXPECT_TRUE(
        ShowsAsGolden(fromMenu, "dialogs/high_scores_from_menu" + suffix, 188, 571, 88, 471));
    BackgroundChooser background(theme == 0 ? 4 : 1);
    EXPECT_TRUE(ShowsAsGolden(background, "dialogs/background_chooser" + suffix, 0, 799, 48, 551));
    CardBackChooser back(theme == 0 ? 20 : 5);
    EXPECT_TRUE(ShowsAsGolden(back, "dialogs/card_back_chooser" + suffix, 130, 670, 88, 511));
    CardFrontChooser front(theme == 0 ? 0 : 3);
    EXPECT_TRUE(ShowsAsGolden(front, "dialogs/card_front_chooser" + suffix, 218, 581, 183, 416));
    MusicChooser music(
        {theme == 0 ? kMusicEnabled : kMusicEventsOnly, {true, false, true, false, false, true}});
    EXPECT_TRUE(ShowsAsGolden(music, "dialogs/music_chooser" + suffix, 218, 581, 148, 451));
  }
}

}  // namespace
