// The artwork fixture: a headless 32-bit display with an 800 x 600 screen buffer, the generated
// media, scripted input on a hand-driven clock, and golden-image comparison against PNG files.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gfx/HeadlessDisplay.h"
#include "gfx/art/ArtworkSet.h"
#include "platform/MessageLoop.h"
#include "tests/support/HeadlessGfx.h"

// The generated media directory, or "" when the build made none.
std::string MediaDir();

// Feeds scheduled input into the window thread's queue; a wait advances the test clock instead
// of sleeping.
class ScriptedSource : public MessageSource {
public:
  explicit ScriptedSource(std::uint64_t* clock) : clock_(clock) {}
  void At(std::uint64_t ms, std::uint32_t message) { script_.push_back({ms, message}); }
  void Pump(int waitMs) override;

private:
  struct Step {
    std::uint64_t ms;
    std::uint32_t message;
  };
  std::uint64_t* clock_;
  std::vector<Step> script_;
};

class ArtworkTest : public testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  // Points the data directory at the generated media; false (skip the test) when there are none.
  bool UseGeneratedMedia();
  // A fresh artwork set, loaded with theme `theme`.
  ArtworkSet& LoadArtwork(int theme = 0);
  // A buffer cleared to one colour, made the drawing target.
  int Canvas(int width, int height, int r, int g, int b);
  // A buffer holding one media BMP as the game would load it.
  int LoadPicture(const char* mediaName, int width, int height);

  std::unique_ptr<HeadlessGfx> gfx_;
  HeadlessDisplay* display_ = nullptr;  // owned by gfx_
  int screen_ = -1;                     // owned by gfx_
  std::vector<int> buffers_;
  std::unique_ptr<ArtworkSet> art_;
  std::uint64_t clock_ = 1000;
  std::unique_ptr<ScriptedSource> source_;
};

// Pixel of a 32-bit buffer as 0x00RRGGBB, read straight from buffer memory.
std::uint32_t PixelAt(int buffer, int x, int y);
// Every pixel of an 800 x 600 buffer, row by row: two grabs compare equal when nothing changed.
std::vector<std::uint32_t> ScreenPixels(int buffer);

// Number of pixels in which a width x height rectangle at (ax, ay) of buffer a differs from the
// one at (bx, by) of buffer b.
int Differences(int a, int ax, int ay, int b, int bx, int by, int width, int height);

// Compares a rectangle of a 32-bit buffer with tests/golden/<name>.png ("artwork/stocks") pixel
// for pixel; QS_UPDATE_GOLDEN=1 writes the golden instead, a mismatch writes <name>.actual.png.
testing::AssertionResult MatchesGolden(const std::string& name, int buffer, int minx, int maxx,
                                       int miny, int maxy);
