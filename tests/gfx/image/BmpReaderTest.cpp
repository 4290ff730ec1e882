// The BMP reader on files built byte by byte: every depth and header kind, placement and
// clipping, and one damaged file per check.
#include <gtest/gtest.h>

#include <functional>

#include "gfx/image/BmpReader.h"
#include "tests/gfx/image/ImageTestSupport.h"

namespace {

using Picture = std::function<std::uint32_t(int, int)>;

void PutLe(std::vector<std::uint8_t>& v, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) v.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// value(x, y) is a colour index or, at 24 bits, 0xRRGGBB like the palette entries; y = 0 is the
// top row. Rows are written bottom-up and padded to 4 bytes as the format requires.
std::vector<std::uint8_t> MakeBmp(int width, int height, int bpp, bool coreHeader,
                                  const std::vector<std::uint32_t>& palette, const Picture& value,
                                  std::uint32_t compression = 0) {
  const int headerSize = coreHeader ? 12 : 40, sides = coreHeader ? 2 : 4;
  const auto offset =
      static_cast<std::uint32_t>(14 + headerSize + palette.size() * (coreHeader ? 3 : 4));
  const int rowBytes = (width * bpp + 31) / 32 * 4;
  std::vector<std::uint8_t> f = {'B', 'M'};
  PutLe(f, offset + static_cast<std::uint32_t>(rowBytes * height), 4);
  PutLe(f, 0, 4);
  PutLe(f, offset, 4);
  PutLe(f, static_cast<std::uint32_t>(headerSize), 4);
  PutLe(f, static_cast<std::uint32_t>(width), sides);
  PutLe(f, static_cast<std::uint32_t>(height), sides);
  PutLe(f, 1, 2);
  PutLe(f, static_cast<std::uint32_t>(bpp), 2);
  if (!coreHeader) {
    PutLe(f, compression, 4);
    f.insert(f.end(), 20, 0);
  }
  for (std::uint32_t c : palette) PutLe(f, c, coreHeader ? 3 : 4);
  for (int y = height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(rowBytes), 0);
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v = value(x, y);
      if (bpp == 24) {
        for (int c = 0; c < 3; ++c) row[3 * x + c] = static_cast<std::uint8_t>(v >> (8 * c));
      } else {
        const int perByte = 8 / bpp, shift = 8 - bpp * (x % perByte + 1);
        row[x / perByte] |= static_cast<std::uint8_t>((v & ((1u << bpp) - 1)) << shift);
      }
    }
    f.insert(f.end(), row.begin(), row.end());
  }
  return f;
}

std::vector<std::uint32_t> RampPalette(int n) {
  std::vector<std::uint32_t> p;
  for (int i = 0; i < n; ++i) p.push_back((i * 37 % 256) << 16 | (255 - i) << 8 | (i * 11 % 256));
  return p;
}

std::uint32_t Pattern(int x, int y) {
  return static_cast<std::uint32_t>(x * 7 + y * 13);
}

const Picture kZero = [](int, int) { return 0u; };

class BmpReaderTest : public testing::TestWithParam<DepthCase> {
protected:
  Color Guard() const { return GfxMapRGB(0x12, 0x34, 0x56); }

  // The w x h picture of 0xRRGGBB colours lies at (left, top) of the buffer, the guard elsewhere.
  void ExpectPicture(int handle, int left, int top, int w, int h, const Picture& colour) const {
    const auto pixel = [&](int x, int y) {
      const std::uint32_t c = colour(x, y);
      return ExpectedPixel(GetParam(), c >> 16 & 255, c >> 8 & 255, c & 255);
    };
    ExpectPlaced(handle, left, top, w, h, pixel, Guard());
  }

  HeadlessGfx gfx_{CoreGfxOptions(GetParam())};
};

TEST_P(BmpReaderTest, EveryDepthAndHeaderGivesTheRightColours) {
  for (bool core : {false, true}) {
    for (int bpp : {1, 4, 8, 24}) {
      SCOPED_TRACE(testing::Message() << bpp << " bits, " << (core ? "core" : "info") << " header");
      const auto palette = bpp == 24 ? std::vector<std::uint32_t>{} : RampPalette(1 << bpp);
      const Picture value = [&](int x, int y) {
        return bpp == 24 ? static_cast<std::uint32_t>((x * 19) << 16 | (y * 50) << 8 | (x + y) * 15)
                         : Pattern(x, y) % static_cast<std::uint32_t>(palette.size());
      };
      // A width that leaves partial bytes and padding at the end of each row.
      const std::vector<std::uint8_t> f = MakeBmp(13, 5, bpp, core, palette, value);
      const int handle = MakeFilledBuffer(16, 8, Guard());
      ASSERT_EQ(GfxShowBMP(f.data(), f.size(), 0), 0);
      ExpectPicture(handle, 0, 0, 13, 5,
                    [&](int x, int y) { return bpp == 24 ? value(x, y) : palette[value(x, y)]; });
    }
  }
}

TEST_P(BmpReaderTest, PlacedAtTheCursorAndClippedOnEverySide) {
  const auto palette = RampPalette(256);
  const Picture value = [](int x, int y) { return Pattern(x, y) & 255; };
  const std::vector<std::uint8_t> f = MakeBmp(10, 6, 8, false, palette, value);
  const int offsets[][2] = {{3, 2}, {-4, -2}, {15, 9}, {-9, 10}, {18, 0}, {0, -6}};
  for (const auto& o : offsets) {
    SCOPED_TRACE(testing::Message() << "at " << o[0] << "," << o[1]);
    const int handle = MakeFilledBuffer(20, 12, Guard());
    GfxMove(o[0], o[1]);
    ASSERT_EQ(GfxShowBMP(f.data(), f.size(), kGfxImageAtCursor), 0);
    ExpectPicture(handle, o[0], o[1], 10, 6, [&](int x, int y) { return palette[value(x, y)]; });
  }
}

TEST_P(BmpReaderTest, DamagedFilesAreRefusedWithoutDrawing) {
  MakeFilledBuffer(8, 8, Guard());
  const auto show = [](const std::vector<std::uint8_t>& f) {
    return GfxShowBMP(f.data(), f.size(), 0);
  };
  ExpectRefused(MakeBmp(4, 4, 8, false, RampPalette(256), kZero),
                {{"no BM", 1, 'X', 1, kBmpNotBmp},
                 {"header cut short", 20, 0, 0, kBmpCannotRead},
                 {"16 bits", 28, 16, 2, kBmpBadDepth},
                 {"width 2^31-1", 18, 0x7FFFFFFF, 4, kBmpCannotRead},
                 {"height -2^31", 22, 0x80000000, 4, kBmpCannotRead}},
                show);
  // Compression is checked before the depth.
  ExpectRefused(MakeBmp(4, 4, 8, false, RampPalette(256), kZero, 1),
                {{"RLE as written", 0, 'B', 1, kBmpCompressed},
                 {"RLE at 32 bits", 28, 32, 2, kBmpCompressed}},
                show);
  EXPECT_EQ(GfxShowBMP("/nonexistent/picture.bmp", 0), kBmpCannotRead);
}

TEST_P(BmpReaderTest, CutShortPixelsKeepTheRowsAlreadyDrawnAndMissingColoursAreBlack) {
  const auto palette = RampPalette(16);
  const Picture index = [](int x, int y) { return static_cast<std::uint32_t>((x + y) % 16); };
  std::vector<std::uint8_t> f = MakeBmp(8, 6, 4, false, palette, index);
  f.resize(f.size() - 4 * 2 - 1);  // The top two rows and a byte of the third are gone.
  const int handle = MakeFilledBuffer(8, 6, Guard());
  EXPECT_EQ(GfxShowBMP(f.data(), f.size(), 0), kBmpCannotRead);
  ExpectPicture(handle, 0, 3, 8, 3, [&](int x, int y) { return palette[index(x, y + 3)]; });
  // A colour table shorter than the indices used gives black, not stray memory.
  f = MakeBmp(4, 1, 8, false, RampPalette(2), [](int x, int) { return x * 100u; });
  EXPECT_EQ(GfxShowBMP(f.data(), f.size(), 0), 0);
  EXPECT_EQ(RawPixel(handle, 2, 0), ExpectedPixel(GetParam(), 0, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(Depths, BmpReaderTest, testing::ValuesIn(kAllDepths), DepthName);

}  // namespace
