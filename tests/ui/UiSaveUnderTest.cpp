// Save-under: the pixels under an element come back exactly, from memory or from the temporary
// file used for areas too large to keep; containers use it when shown and hidden.
#include <cstdlib>
#include <filesystem>

#include "tests/ui/UiTestSupport.h"

namespace {

// Every pixel differs from its neighbours, so a shifted or partial restore cannot pass.
void PaintPattern(int buffer, int width, int height) {
  GfxOpenBuffer(buffer);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      GfxSetColor(GfxMapRGB(x & 0xFF, y & 0xFF, (x * 7 + y * 13) & 0xFF));
      GfxPoint(x, y);
    }
  }
}

std::vector<std::uint8_t> Snapshot(int buffer) {
  const GfxBufferView view = GfxGetBufferView(buffer);
  return {view.pixels, view.pixels + static_cast<std::size_t>(view.bytesPerRow) * view.height};
}

void Scribble(int minx, int maxx, int miny, int maxy) {
  GfxSetColor(GfxMapRGB(255, 0, 255));
  GfxFillRect(minx, maxx, miny, maxy);
}

using UiSaveUnderTest = UiTest;

TEST_F(UiSaveUnderTest, MemoryStoreRestoresExactlyAndContainersUseItOnlyWhenEnabled) {
  PaintPattern(screenBuffer_, 800, 600);
  const std::vector<std::uint8_t> before = Snapshot(screenBuffer_);
  ProbeWidget w(nullptr, 100, 80, 60, 30);
  w.SaveUnder();
  EXPECT_EQ(w.GetSaveState(), kUiSavedInMemory);
  Scribble(100, 159, 80, 109);
  w.RestoreUnder();
  EXPECT_EQ(w.GetSaveState(), kUiNothingSaved);
  EXPECT_EQ(Snapshot(screenBuffer_), before);
  w.SaveUnderInclusive();  // one pixel further right and down
  Scribble(100, 160, 80, 110);
  w.RestoreUnderInclusive();
  EXPECT_EQ(Snapshot(screenBuffer_), before);
  // Reaching off the screen it keeps what is on it; restoring twice changes nothing.
  ProbeWidget edge(nullptr, 760, 580, 100, 100);
  edge.SaveUnderInclusive();
  Scribble(760, 799, 580, 599);
  edge.RestoreUnder();
  edge.RestoreUnder();
  EXPECT_EQ(Snapshot(screenBuffer_), before);

  ProbePanel panel(nullptr, 200, 150, 300, 200);
  panel.Show();
  EXPECT_EQ(panel.GetSaveState(), kUiNothingSaved);  // off by default
  panel.Hide();
  UiToolkit.saveUnderEnabled = true;
  panel.Show();
  Scribble(200, 499, 150, 349);
  panel.Hide();
  EXPECT_EQ(Snapshot(screenBuffer_), before);
  w.Show();  // a widget's Hide puts back what it saved
  w.SaveUnder();
  Scribble(100, 159, 80, 109);
  w.Hide();
  EXPECT_EQ(Snapshot(screenBuffer_), before);
  UiToolkit.saveUnderEnabled = false;
}

// The file covers whole 8-pixel columns, goes with its element, and lands in /tmp when TMPDIR
// names no directory.
TEST_F(UiSaveUnderTest, AreasTooLargeForMemoryGoThroughAnAlignedTemporaryFile) {
  // 32-bit pixels count 1.35 times their three image bytes: 2400 x 1760 is past the limit.
  const int big = GfxAllocBuffer(2440, 1780);
  ASSERT_GE(big, 0);
  PaintPattern(big, 2440, 1780);
  UiToolkit.drawingBuffer = big;
  const std::vector<std::uint8_t> before = Snapshot(big);
  std::filesystem::path leftover;
  {
    ProbeWidget w(nullptr, 13, 5, 2400, 1760);
    w.SaveUnder();
    ASSERT_EQ(w.GetSaveState(), kUiSavedInFile);
    const std::filesystem::path file = w.GetSaveFile();
    EXPECT_LE(file.filename().string().size(), 12u);
    Scribble(8, 2415, 5, 1764);
    w.RestoreUnder();
    EXPECT_EQ(Snapshot(big), before);
    EXPECT_FALSE(std::filesystem::exists(file));
    w.SaveUnder();
    leftover = w.GetSaveFile();
    ASSERT_TRUE(std::filesystem::exists(leftover));
  }
  EXPECT_FALSE(std::filesystem::exists(leftover));

  const char* oldTmp = std::getenv("TMPDIR");
  const std::string saved = oldTmp != nullptr ? oldTmp : "";
  setenv("TMPDIR", "/nonexistent/quenbry-test", 1);
  ProbeWidget elsewhere(nullptr, 13, 5, 2400, 1760);
  elsewhere.SaveUnder();
  if (oldTmp != nullptr) {
    setenv("TMPDIR", saved.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
  ASSERT_EQ(elsewhere.GetSaveState(), kUiSavedInFile);
  EXPECT_EQ(std::filesystem::path(elsewhere.GetSaveFile()).parent_path(), "/tmp");
  Scribble(8, 2415, 5, 1764);
  elsewhere.RestoreUnder();
  EXPECT_EQ(elsewhere.GetSaveState(), kUiNothingSaved);
  EXPECT_EQ(Snapshot(big), before);
  UiToolkit.drawingBuffer = screenBuffer_;
  GfxOpenBuffer(screenBuffer_);
  GfxFreeBuffer(big);
}

}  // namespace
