// The font table and measuring: handles and selection, freeing, the 32-font limit, loading from
// files, and the width and height of text with escapes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "gfx/font/Font.h"
#include "tests/gfx/font/TestFonts.h"
#include "tests/gfx/image/AllocationProbe.h"
#include "tests/gfx/image/ImageTestSupport.h"

namespace {

using namespace testfonts;

int Load(const std::vector<std::uint8_t>& bytes) {
  return GfxLoadFont(bytes.data(), bytes.size());
}

int Width(const std::string& text) {
  return GfxFontWidth(text.data(), static_cast<int>(text.size()));
}

int Height(const std::string& text) {
  return GfxFontHeight(text.data(), static_cast<int>(text.size()));
}

class FontTable : public ::testing::Test {
protected:
  void SetUp() override { GfxFreeFont(-1); }
  void TearDown() override { GfxFreeFont(-1); }
};

TEST_F(FontTable, SlotsAreTakenInOrderReusedAndFreedOneOrAll) {
  const auto bytes = VelvetFont();
  for (int i = 1; i <= kGfxMaxFonts; ++i) ASSERT_EQ(Load(bytes), i);
  EXPECT_EQ(GfxSelectedFont(), kGfxMaxFonts) << "loading selects the new font";
  GfxSelectFont(7);
  EXPECT_EQ(Load(bytes), 0);
  EXPECT_EQ(GfxLastFontError().status, kFontNoFreeSlot);
  // Failures, freeing another font, and freed or unknown handles leave the selection alone.
  GfxFreeFont(12);
  GfxFreeFont(33);
  for (int bad : {12, 0, 33}) GfxSelectFont(bad);
  EXPECT_EQ(GfxSelectedFont(), 7);
  // A freed slot is the one the next load takes.
  EXPECT_EQ(Load(bytes), 12);
  GfxFreeFont(12);
  EXPECT_EQ(GfxSelectedFont(), 0);
  EXPECT_EQ(Width("AB"), 0);
  EXPECT_EQ(Height("AB"), 0);
  GfxFreeFont(-7);  // any negative value frees everything
  EXPECT_EQ(Load(VelvetFont()), 1);
}

TEST_F(FontTable, WidthAndHeightMeasureGlyphsAndPassOverEscapes) {
  Load(VelvetFont());
  EXPECT_EQ(Width("ABC"), kWidthA + kWidthB + kWidthC);
  // The escape argument is a colour index or the underline mark, never a character.
  EXPECT_EQ(Width("A\x7F_B\x7F_\x7F"), kWidthA + kWidthB);  // the last escape lacks its argument
  EXPECT_EQ(Width("A\x7FWB"), kWidthA + kWidthB);
  EXPECT_EQ(GfxFontWidth("AB", 1), kWidthA);
  EXPECT_EQ(GfxFontWidth("AB", -3), 0);
  EXPECT_EQ(GfxFontWidth(nullptr, 5), 0);
  // The line height includes descenders and passes over escapes too.
  EXPECT_EQ(Height("ABCgjp"), 9);  // j reaches one row higher than the 8-row cells
  EXPECT_EQ(Height("ABCgp"), 8);
  EXPECT_EQ(Height("AB\x7Fj"), 8) << "an escape argument is not measured";
  EXPECT_EQ(Height(" "), 0);
}

class FontFiles : public FontTable {
protected:
  void SetUp() override {
    FontTable::SetUp();
    dir_ = ScratchDir("fonts");
  }
  void TearDown() override {
    std::filesystem::remove_all(dir_);
    FontTable::TearDown();
  }
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    WriteBytes(dir_ + "/" + name, bytes);
    return dir_ + "/" + name;
  }
  std::string dir_;
};

// Files shorter than their layout are refused by the reader (FgfReaderTest) and the capped file
// reader has its own tests (FileBytesTest); here the disk path around them and what it reports.
TEST_F(FontFiles, LoadsFromDiskAndSaysWhyNot) {
  auto bytes = VelvetFont(false);
  const std::string whole = Write("whole.fgf", bytes);
  bytes.push_back(0x55);
  const std::string longer = Write("longer.fgf", bytes);
  EXPECT_EQ(GfxLoadFont(whole.c_str()), 1);
  EXPECT_EQ(GfxLastFontError().status, kFontLoaded);
  EXPECT_EQ(Width("Ag"), kWidthA + kWidthG);
  EXPECT_EQ(GfxLoadFont(longer.c_str()), 2);
  EXPECT_EQ(GfxLoadFont((dir_ + "/missing.fgf").c_str()), 0);
  EXPECT_EQ(GfxLastFontError().status, kFontCannotOpen);
  EXPECT_STREQ(GfxLastFontError().reason, "cannot open file");
  EXPECT_EQ(GfxSelectedFont(), 2);
  // Larger than any layout: refused from its size alone, without reading it.
  const std::string huge = Write("huge.fgf", {0xFF, 0xFF});
  std::filesystem::resize_file(huge, std::uintmax_t{1} << 30);
  ResetLargestAllocation();
  EXPECT_EQ(GfxLoadFont(huge.c_str()), 0);
  EXPECT_EQ(GfxLastFontError().status, kFontTooLarge);
  EXPECT_LT(LargestAllocation(), std::size_t{64} << 10);
}

TEST_F(FontFiles, TinyFileClaimingAHugeGlyphTableAllocatesNothingLarge) {
  // 0xFF 0xFF announces 256 glyphs of 127 x 255 bytes (over 8 MB) in a file of ten bytes.
  const std::string tiny = Write("tiny.fgf", {0xFF, 0xFF, 1, 2, 3, 4, 5, 6, 7, 8});
  ResetLargestAllocation();
  EXPECT_EQ(GfxLoadFont(tiny.c_str()), 0);
  EXPECT_LT(LargestAllocation(), std::size_t{64} << 10);
  EXPECT_EQ(GfxLastFontError().status, kFontTooShort);
  EXPECT_EQ(GfxSelectedFont(), 0);
}

}  // namespace
