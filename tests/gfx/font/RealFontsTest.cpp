// Loads the four generated game fonts and checks that each one measures and draws like a font:
// printable glyphs with width, ink inside the text's box, and descenders under the baseline.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "gfx/Gfx.h"
#include "gfx/GfxPixelFormat.h"
#include "gfx/font/Font.h"
#include "tests/support/HeadlessGfx.h"
#include "tests/support/RequireMedia.h"

namespace {

class RealFont : public ::testing::TestWithParam<const char*> {
protected:
  void SetUp() override {
    const char* media = std::getenv("QS_MEDIA_DIR");
    path_ = std::filesystem::path(media ? media : "") / GetParam();
    if (media == nullptr || !std::filesystem::exists(path_)) {
      QS_SKIP_MISSING("generated font " << path_ << " not found (build the media first)");
    }
    ASSERT_TRUE(gfx_.Started());
    buffer_ = GfxAllocBuffer(400, 80);
    ASSERT_GE(buffer_, 0);
    GfxOpenBuffer(buffer_);
    GfxSetColor(0);
    GfxClear();
    GfxSetColor(GfxMapRGB(255, 255, 255));
    GfxFreeFont(-1);
    GfxFontJustify(-1, -1);
  }

  void TearDown() override {
    GfxFreeFont(-1);
    if (buffer_ >= 0) {
      GfxCloseBuffer();
      GfxFreeBuffer(buffer_);
    }
  }

  // Rows and columns holding ink, as inclusive bounds; false when the buffer is blank.
  bool InkBounds(int* minx, int* maxx, int* miny, int* maxy) const {
    const GfxBufferView view = GfxGetBufferView(buffer_);
    *minx = *miny = 1 << 30;
    *maxx = *maxy = -1;
    for (int y = 0; y < view.height; ++y) {
      for (int x = 0; x < view.width; ++x) {
        if (GfxLoadPixel(view.pixels + y * view.bytesPerRow + x * 4, 4) == 0) continue;
        *minx = std::min(*minx, x), *maxx = std::max(*maxx, x);
        *miny = std::min(*miny, y), *maxy = std::max(*maxy, y);
      }
    }
    return *maxx >= 0;
  }

  void Clear() {
    const Color ink = GfxGetColor();
    GfxSetColor(0);
    GfxClear();
    GfxSetColor(ink);
  }

  // A 32-bit layer without a screen buffer; the text strip is the only buffer.
  static HeadlessGfx::Options Options() {
    HeadlessGfx::Options options;
    options.screenBuffer = false;
    return options;
  }

  HeadlessGfx gfx_{Options()};
  std::filesystem::path path_;
  int buffer_ = -1;
};

TEST_P(RealFont, LoadsMeasuresAndDrawsSensibly) {
  const int handle = GfxLoadFont(path_.c_str());
  ASSERT_NE(handle, 0) << path_;
  const std::string line = "ABCgjp";
  const int height = GfxFontHeight(line.data(), 6);
  const int descent = GfxFontDescent(handle);
  EXPECT_GE(height, 6);
  EXPECT_LE(height, 40);
  EXPECT_GT(descent, 0) << "letters must leave room for descenders";
  EXPECT_LT(descent, height);
  for (int c = 32; c < 127; ++c) {
    const char ch = static_cast<char>(c);
    EXPECT_GT(GfxFontWidth(&ch, 1), 0) << "printable '" << ch << "' has no width";
    EXPECT_LE(GfxFontWidth(&ch, 1), height * 2) << "'" << ch << "'";
  }

  const std::string text = "Quenbry Solitaire";
  const int width = GfxFontWidth(text.data(), static_cast<int>(text.size()));
  const int textHeight = GfxFontHeight(text.data(), static_cast<int>(text.size()));
  GfxMove(4, 40);
  GfxFontText(text.data(), static_cast<int>(text.size()));
  EXPECT_EQ(GfxGetX(), 4 + width);
  int minx, maxx, miny, maxy;
  ASSERT_TRUE(InkBounds(&minx, &maxx, &miny, &maxy)) << "the text left no ink";
  EXPECT_GE(minx, 4);
  EXPECT_LT(maxx, 4 + width);
  EXPECT_GE(miny, 40 + descent - textHeight + 1);
  EXPECT_LE(maxy, 40 + descent);
  EXPECT_LE(maxy - miny + 1, textHeight);

  // Capitals stand on the baseline, descenders hang below it.
  Clear();
  GfxMove(10, 40);
  GfxFontText("H", 1);
  ASSERT_TRUE(InkBounds(&minx, &maxx, &miny, &maxy));
  EXPECT_EQ(maxy, 40) << "H must end on the baseline row";
  Clear();
  GfxMove(10, 40);
  GfxFontText("g", 1);
  ASSERT_TRUE(InkBounds(&minx, &maxx, &miny, &maxy));
  EXPECT_GT(maxy, 40) << "g must reach under the baseline";
}

INSTANTIATE_TEST_SUITE_P(GameFonts, RealFont,
                         ::testing::Values("windb_10.fgf", "systm12.fgf", "systm12b.fgf",
                                           "beng8pt.FGF"),
                         [](const ::testing::TestParamInfo<const char*>& font) {
                           std::string name;
                           for (const char* p = font.param; *p && *p != '.'; ++p) {
                             if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
                           }
                           return name;
                         });

}  // namespace
