// Missing and damaged media: every loading and drawing call carries on without the pictures.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/DataDir.h"
#include "tests/gfx/art/ArtworkTestSupport.h"

namespace {

// Buffer slots still free; the artwork must give back every one it took.
int FreeSlots() {
  std::vector<int> taken;
  for (int handle = GfxAllocBuffer(4, 4); handle >= 0; handle = GfxAllocBuffer(4, 4)) {
    taken.push_back(handle);
  }
  for (int handle : taken) GfxFreeBuffer(handle);
  return static_cast<int>(taken.size());
}

class ArtworkRobustnessTest : public ArtworkTest {
protected:
  // Runs everything the game does with its artwork, start-up to shut-down.
  void ExerciseEverything() {
    const int freeBefore = FreeSlots();
    art_ = std::make_unique<ArtworkSet>();
    art_->Load(screen_, 1);
    for (int theme = -1; theme < 6; ++theme) art_->LoadTheme(theme);
    art_->SetCardFrontSource([] { return 2; });
    art_->LoadDecks();
    art_->MakeDeckSamples();
    art_->ShowTitle();
    const Card cards[3] = {{0, 12}, {1, 0}, {3, 11}};
    ScreenRect bounds;
    art_->DrawStock(&bounds, 30, 40, 2, 24, screen_, false);
    art_->DrawFannedPile(100, 40, cards, 3, screen_, 2, 12, 0);
    art_->DrawFoundation(200, 40, cards[0], screen_, 12, -1);
    art_->DrawCards(300, 40, cards, screen_, 3, 0, 15);
    for (int back = -1; back <= 21; ++back) art_->DrawBack(400, 40, back, screen_);
    for (int style = -1; style <= 4; ++style) art_->DrawDeckSample(500, 40, style, screen_);
    art_->DrawPlaceholder(600, 40, screen_);
    for (int title = 0; title <= 21; ++title) art_->DrawGameTitle(title);
    art_->DrawDialogFrame(100, 100, 400, 300, screen_);
    art_->RestoreBackground(0, 799, 0, 599);
    art_->AddDirtyRect({0, 0, 799, 599});
    art_->FlushDirtyRects();
    art_->ShowEndScreen(true);
    art_.reset();
    EXPECT_EQ(FreeSlots(), freeBefore);
  }
};

TEST_F(ArtworkRobustnessTest, MissingDataDirectoryDrawsNothingAndCrashesNothing) {
  SetDataDir("/nonexistent-media");
  ExerciseEverything();
}

TEST_F(ArtworkRobustnessTest, DamagedFilesAreIgnored) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("qs-artwork-damaged-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir / "artwork");
  const char* names[] = {"artwork/deck1.bmp",   "artwork/deck1_dark.bmp", "artwork/backs.bmp",
                         "artwork/dialog1.bmp", "artwork/backdrop1.jpg",  "artwork/menus.jpg",
                         "artwork/logo.jpg",    "artwork/winscreen.jpg",  "beng8pt.FGF"};
  // Headers that promise more than the files hold, and plain garbage.
  const std::string bmp(
      "BM\x36\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\xff\xff\0\0\xff\xff\0\0\1\0\x18\0", 30);
  const std::string jpeg("\xff\xd8\xff\xc0\0\x11\x08\x02\x58\x03\x20\x03\x01\x22\0\x02\x11\x01",
                         18);
  int i = 0;
  for (const char* name : names) {
    std::ofstream out(dir / name, std::ios::binary);
    const std::string ext = std::filesystem::path(name).extension();
    out << (ext == ".bmp" ? bmp : ext == ".jpg" ? jpeg : std::string(7, static_cast<char>(i++)));
  }
  SetDataDir(dir.string());
  ExerciseEverything();
  std::filesystem::remove_all(dir);
}

}  // namespace
