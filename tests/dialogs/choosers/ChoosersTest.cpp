// The background, card-back, card-front and music choosers through their modal loops: which
// presses pick a sample, OK and Cancel, the music mode rule, thumbnails, and their goldens.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "dialogs/DialogResults.h"
#include "dialogs/choosers/BackgroundChooser.h"
#include "dialogs/choosers/CardBackChooser.h"
#include "dialogs/choosers/CardFrontChooser.h"
#include "dialogs/choosers/MusicChooser.h"
#include "gfx/art/ArtworkFiles.h"
#include "platform/Window.h"
#include "tests/support/RequireMedia.h"
#include "tests/ui/DialogTestSupport.h"
#include "ui/widgets/CheckBox.h"
#include "ui/widgets/RadioButton.h"
#include "ui/widgets/TextButton.h"

namespace {

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

// Only a point strictly inside a sample picks it: not its edges, the gaps or the outline's ring.
TEST_F(ChoosersTest, OnlyAPointStrictlyInsideASamplePicksIt) {
  BackgroundChooser background(0);
  CardBackChooser back(0);
  CardFrontChooser front(0);
  for (const PictureChooser* c : std::vector<const PictureChooser*>{&background, &back, &front}) {
    for (const int i : {0, c->SampleCount() - 1}) {
      SCOPED_TRACE(testing::Message() << c->GetText() << " sample " << i);
      const ScreenRect r = c->SampleRect(i);
      EXPECT_EQ(c->SampleAt(r.left + 1, r.top + 1), i);
      EXPECT_EQ(c->SampleAt(r.right - 1, r.bottom - 1), i);
      const ScreenPoint misses[] = {{r.left, r.top + 10},
                                    {r.right, r.top + 10},
                                    {r.left + 10, r.top},
                                    {r.left + 10, r.bottom},
                                    {r.left - 3, r.top - 3}};
      for (const ScreenPoint& p : misses) EXPECT_EQ(c->SampleAt(p.x, p.y), -1);
    }
  }
}

// A press moves the outline and sends the whole screen; only the last proposal counts, Escape
// does nothing, and Enter clicks OK while it keeps the focus. (Cancel is the music chooser's.)
TEST_F(ChoosersTest, APressMovesTheOutlineAndOnlyTheLastProposalCounts) {
  if (!UseArtworkOnBackdrop(0)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
  ShowRecorder recorder;
  UiSetScreenUpdate(&recorder);
  {
    CardBackChooser chooser(3);
    input_->KeyAt(In(40), VK_ESCAPE, kScanEscape);
    input_->KeyAt(In(200), VK_RETURN, kScanEnter);
    EXPECT_EQ(chooser.DoModal(), kDialogResultOk);
    EXPECT_EQ(chooser.GetChoice(), 3);
  }
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
  for (const int mode : {kMusicDisabled, kMusicEnabled, kMusicEventsOnly}) {
    const MusicChoice stored{mode, {true, false, false, true, false, true}};
    EXPECT_EQ(Confirm(stored, {}), stored);
  }
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

// Songs mean nothing with the music off: their boxes go off with it, a click on one ticks nothing,
// and they come back (ticks kept) with either other mode.
TEST_F(MusicChooserTest, SongBoxesFollowWhetherMusicIsDisabled) {
  MusicChooser chooser(MusicChoice{kMusicDisabled, {true, false, false, false, false, false}});
  chooser.Show();
  const auto click = [&chooser](const UiElement* e) {
    const ScreenPoint p = Middle(e);
    Record(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(p.x, p.y));
    chooser.Poll();
    Record(WM_LBUTTONUP, 0, MakeLParam(p.x, p.y));
    chooser.Poll();
  };
  const auto songsDisabled = [&chooser] {
    int count = 0;
    for (int i = 0; i < 6; ++i) count += chooser.GetSongBox(i)->IsDisabled();
    return count;
  };
  EXPECT_EQ(songsDisabled(), 6) << "opened with music disabled";
  click(chooser.GetSongBox(3));
  EXPECT_FALSE(chooser.GetSongBox(3)->IsSelected());
  for (const int mode : {kMusicEnabled, kMusicDisabled, kMusicEventsOnly}) {
    click(chooser.GetModeButton(mode));
    EXPECT_EQ(songsDisabled(), mode == kMusicDisabled ? 6 : 0) << mode;
  }
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

// The thumbnails are the backdrops shrunk by picking every fourth pixel; a backdrop whose header
// cannot be read (here: missing) or that fails half way decoding leaves its place bare.
TEST_F(ChoosersTest, ThumbnailsShrinkTheBackdropsAndBadFilesStayBlank) {
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

  SetDataDir((dir / "none").string());
  BackgroundChooser empty(0);
  empty.Show();
  const std::vector<std::uint32_t> bare = ScreenPixels(screenBuffer_);
  empty.Hide();
  SetDataDir(dir.string());
  BackgroundChooser chooser(0);
  EXPECT_TRUE(chooser.HasThumbnail(0));
  chooser.Show();
  for (int i = 1; i < 6; ++i) {
    EXPECT_FALSE(chooser.HasThumbnail(i)) << i;
    const ScreenRect r = chooser.SampleRect(i);
    EXPECT_EQ(Changed(bare, r.left - 3, r.right + 3, r.top - 3, r.bottom + 3), 0) << i;
  }
  chooser.Hide();

  // Thumbnail pixel (tx, ty) is backdrop pixel (4 tx, 4 ty + 3): rows count from the bottom.
  art_->RestoreBackground(0, 799, 0, 599);
  int full = GfxAllocBuffer(800, 600);
  ASSERT_GE(full, 0);
  ASSERT_EQ(ShowJpegInBuffer(full, "artwork\\backdrop1.jpg"), 0);
  UiSelectDrawingBuffer();
  chooser.Show();
  const ScreenRect r = chooser.SampleRect(0);
  int mismatches = 0;
  for (int ty = 0; ty < 150; ty += 7) {
    for (int tx = 0; tx < 200; tx += 9) {
      mismatches +=
          PixelAt(screenBuffer_, r.left + tx, r.top + 1 + ty) != PixelAt(full, 4 * tx, 4 * ty + 3);
    }
  }
  EXPECT_EQ(mismatches, 0);
  chooser.Hide();
  FreeArtBuffer(&full);
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

TEST_F(ChoosersTest, LookRightWithTheDarkAndTheLightTheme) {
  for (const int theme : {0, 1}) {
    if (!UseArtworkOnBackdrop(theme)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
    const std::string suffix = "_theme" + std::to_string(theme);
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
