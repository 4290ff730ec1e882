// Tests of the BMP reader on BMP files built byte by byte in the test: every depth and header
// kind, the result codes, placement and clipping, and cut-short or hostile headers.
#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "gfx/image/BmpReader.h"
#include "tests/gfx/image/ImageTestSupport.h"

namespace {

using Rgb = std::array<std::uint8_t, 3>;

void PutLe(std::vector<std::uint8_t>& v, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) v.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A BMP of the given depth; value(x, y) is a colour index or, at 24 bits, 0xRRGGBB; y = 0 is the
// top row. Rows are written bottom-up and padded to 4 bytes as the format requires.
std::vector<std::uint8_t> MakeBmp(int width, int height, int bpp, bool coreHeader,
                                  const std::vector<Rgb>& palette,
                                  const std::function<std::uint32_t(int, int)>& value,
                                  std::uint32_t compression = 0) {
  const int headerSize = coreHeader ? 12 : 40;
  const int entry = coreHeader ? 3 : 4;
  const std::uint32_t offset = 14 + headerSize + static_cast<std::uint32_t>(palette.size()) * entry;
  const int rowBytes = (width * bpp + 31) / 32 * 4;
  std::vector<std::uint8_t> f = {'B', 'M'};
  PutLe(f, offset + static_cast<std::uint32_t>(rowBytes * height), 4);
  PutLe(f, 0, 4);
  PutLe(f, offset, 4);
  PutLe(f, static_cast<std::uint32_t>(headerSize), 4);
  if (coreHeader) {
    PutLe(f, static_cast<std::uint32_t>(width), 2);
    PutLe(f, static_cast<std::uint32_t>(height), 2);
    PutLe(f, 1, 2);
    PutLe(f, static_cast<std::uint32_t>(bpp), 2);
  } else {
    PutLe(f, static_cast<std::uint32_t>(width), 4);
    PutLe(f, static_cast<std::uint32_t>(height), 4);
    PutLe(f, 1, 2);
    PutLe(f, static_cast<std::uint32_t>(bpp), 2);
    PutLe(f, compression, 4);
    for (int i = 0; i < 5; ++i) PutLe(f, 0, 4);
  }
  for (const Rgb& c : palette) {
    f.push_back(c[2]);
    f.push_back(c[1]);
    f.push_back(c[0]);
    if (!coreHeader) f.push_back(0);
  }
  for (int y = height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(rowBytes), 0);
    for (int x = 0; x < width; ++x) {
      std::uint32_t v = value(x, y);
      switch (bpp) {
        case 1:
          row[x / 8] |= static_cast<std::uint8_t>((v & 1) << (7 - x % 8));
          break;
        case 4:
          row[x / 2] |= static_cast<std::uint8_t>((v & 15) << (x % 2 ? 0 : 4));
          break;
        case 8:
          row[x] = static_cast<std::uint8_t>(v);
          break;
        case 24:
          row[3 * x] = static_cast<std::uint8_t>(v);
          row[3 * x + 1] = static_cast<std::uint8_t>(v >> 8);
          row[3 * x + 2] = static_cast<std::uint8_t>(v >> 16);
          break;
        default:
          break;
      }
    }
    f.insert(f.end(), row.begin(), row.end());
  }
  return f;
}

std::vector<Rgb> RampPalette(int n) {
  std::vector<Rgb> p;
  for (int i = 0; i < n; ++i) {
    p.push_back({static_cast<std::uint8_t>(i * 37 % 256), static_cast<std::uint8_t>(255 - i),
                 static_cast<std::uint8_t>(i * 11 % 256)});
  }
  return p;
}

std::uint32_t Pattern(int x, int y) {
  return static_cast<std::uint32_t>(x * 7 + y * 13);
}

class BmpReaderTest : public testing::TestWithParam<DepthCase> {
protected:
  Color Native(const Rgb& c) const { return ExpectedPixel(GetParam(), c[0], c[1], c[2]); }
  Color Guard() const { return GfxMapRGB(0x12, 0x34, 0x56); }

  // Every pixel of the buffer holds colour(x - left, y - top) inside the w x h picture at
  // (left, top), and the guard colour everywhere else.
  void ExpectPicture(int handle, int left, int top, int w, int h,
                     const std::function<Rgb(int, int)>& colour) const {
    const GfxBufferView view = GfxGetBufferView(handle);
    for (int y = 0; y < view.height; ++y) {
      for (int x = 0; x < view.width; ++x) {
        const int sx = x - left, sy = y - top;
        const bool inside = sx >= 0 && sx < w && sy >= 0 && sy < h;
        ASSERT_EQ(RawPixel(handle, x, y), inside ? Native(colour(sx, sy)) : Guard())
            << x << "," << y;
      }
    }
  }

  HeadlessGfx gfx_{CoreGfxOptions(GetParam())};
};

TEST_P(BmpReaderTest, EveryDepthAndHeaderGivesTheRightColours) {
  for (bool core : {false, true}) {
    for (int bpp : {1, 4, 8, 24}) {
      SCOPED_TRACE(testing::Message() << bpp << " bits, " << (core ? "core" : "info") << " header");
      // At 24 bits the pixel value is the colour itself.
      const std::vector<Rgb> palette = bpp == 24 ? std::vector<Rgb>{} : RampPalette(1 << bpp);
      auto value = [&](int x, int y) {
        return bpp == 24 ? static_cast<std::uint32_t>((x * 19) << 16 | (y * 50) << 8 | (x + y) * 15)
                         : Pattern(x, y) % static_cast<std::uint32_t>(palette.size());
      };
      auto colour = [&](int x, int y) {
        const std::uint32_t v = value(x, y);
        return bpp == 24 ? Rgb{static_cast<std::uint8_t>(v >> 16),
                               static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)}
                         : palette[v];
      };
      // A width that leaves partial bytes and padding at the end of each row, rows bottom-up.
      std::vector<std::uint8_t> f = MakeBmp(13, 5, bpp, core, palette, value);
      int handle = MakeFilledBuffer(16, 8, Guard());
      ASSERT_EQ(GfxShowBMP(f.data(), f.size(), 0), 0);
      ExpectPicture(handle, 0, 0, 13, 5, colour);
      GfxCloseBuffer();
      GfxFreeBuffer(handle);
    }
  }
}

TEST_P(BmpReaderTest, PlacedAtTheCursorAndClippedOnEverySide) {
  std::vector<Rgb> palette = RampPalette(256);
  std::vector<std::uint8_t> f =
      MakeBmp(10, 6, 8, false, palette, [](int x, int y) { return Pattern(x, y) & 255; });
  const int offsets[][2] = {{3, 2}, {-4, -2}, {15, 9}, {-9, 10}, {18, 0}, {0, -6}};
  for (const auto& o : offsets) {
    SCOPED_TRACE(testing::Message() << "at " << o[0] << "," << o[1]);
    int handle = MakeFilledBuffer(20, 12, Guard());
    GfxMove(o[0], o[1]);
    ASSERT_EQ(GfxShowBMP(f.data(), f.size(), kGfxImageAtCursor), 0);
    ExpectPicture(handle, o[0], o[1], 10, 6,
                  [&](int x, int y) { return palette[Pattern(x, y) & 255]; });
    GfxCloseBuffer();
    GfxFreeBuffer(handle);
  }
}

TEST_P(BmpReaderTest, ResultCodesInTheirOrder) {
  std::vector<Rgb> palette = RampPalette(2);
  auto zero = [](int, int) { return 0u; };
  int handle = MakeFilledBuffer(8, 8, Guard());

  std::vector<std::uint8_t> f = MakeBmp(4, 4, 8, false, RampPalette(256), zero);
  f[1] = 'X';
  EXPECT_EQ(GfxShowBMP(f.data(), f.size(), 0), kBmpNotBmp);
  EXPECT_EQ(GfxShowBMP(f.data(), 0, 0), kBmpNotBmp);

  for (int bpp : {16, 32, 2, 0}) {
    std::vector<std::uint8_t> g = MakeBmp(4, 4, 24, false, {}, zero);
    g[28] = static_cast<std::uint8_t>(bpp);
    EXPECT_EQ(GfxShowBMP(g.data(), g.size(), 0), kBmpBadDepth) << bpp;
  }
  // Compression is checked before the depth: an RLE file with a bad depth still says 4.
  std::vector<std::uint8_t> rle = MakeBmp(4, 4, 8, false, RampPalette(256), zero, 1);
  EXPECT_EQ(GfxShowBMP(rle.data(), rle.size(), 0), kBmpCompressed);
  rle[28] = 32;
  EXPECT_EQ(GfxShowBMP(rle.data(), rle.size(), 0), kBmpCompressed);
  EXPECT_EQ(CountPixels(handle, 0, 7, 0, 7, Guard()), 64);

  EXPECT_EQ(GfxShowBMP("/nonexistent/picture.bmp", 0), kBmpCannotRead);
  std::vector<std::uint8_t> header(f.begin(), f.begin() + 20);
  header[1] = 'M';
  EXPECT_EQ(GfxShowBMP(header.data(), header.size(), 0), kBmpCannotRead);
}

TEST_P(BmpReaderTest, CutShortPixelsKeepTheRowsAlreadyDrawn) {
  std::vector<Rgb> palette = RampPalette(16);
  auto index = [](int x, int y) { return static_cast<std::uint32_t>((x + y) % 16); };
  std::vector<std::uint8_t> f = MakeBmp(8, 6, 4, false, palette, index);
  f.resize(f.size() - 4 * 2 - 1);  // The top two rows and a byte of the third are gone.
  int handle = MakeFilledBuffer(8, 6, Guard());
  EXPECT_EQ(GfxShowBMP(f.data(), f.size(), 0), kBmpCannotRead);
  ExpectPicture(handle, 0, 3, 8, 3, [&](int x, int y) { return palette[index(x, y + 3)]; });
}

TEST_P(BmpReaderTest, HostileHeadersAreRefusedWithoutTouchingTheBuffer) {
  auto zero = [](int, int) { return 0u; };
  int handle = MakeFilledBuffer(8, 8, Guard());
  struct Case {
    const char* what;
    std::size_t offset;
    std::uint32_t value;
  };
  const Case cases[] = {
      {"width 2^31-1", 18, 0x7FFFFFFF},
      {"height -2^31", 22, 0x80000000},
      {"zero width", 18, 0},
      {"pixel offset beyond the file", 10, 0xFFFFFF00},
      {"header size 2^32-1", 14, 0xFFFFFFFF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::uint8_t> f = MakeBmp(4, 4, 8, false, RampPalette(256), zero);
    for (int i = 0; i < 4; ++i) f[c.offset + i] = static_cast<std::uint8_t>(c.value >> (8 * i));
    int r = GfxShowBMP(f.data(), f.size(), 0);
    // A huge header size just leaves the colour table empty; the rest are unreadable.
    if (c.offset != 14) {
      EXPECT_EQ(r, kBmpCannotRead);
      EXPECT_EQ(CountPixels(handle, 0, 7, 0, 7, Guard()), 64);
    }
  }
  // A colour table shorter than the indices used gives black, not stray memory.
  std::vector<std::uint8_t> f =
      MakeBmp(4, 1, 8, false, RampPalette(2), [](int x, int) { return x * 100u; });
  EXPECT_EQ(GfxShowBMP(f.data(), f.size(), 0), 0);
  EXPECT_EQ(RawPixel(handle, 2, 0), Native({0, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(Depths, BmpReaderTest, testing::ValuesIn(kAllDepths), DepthName);

TEST(BmpReaderEightBit, IndicesGoStraightInAndTwentyFourBitsAreRefused) {
  HeadlessGfx gfx(CoreGfxOptions(kDepth32));
  GfxSetBufferDepth(8);
  int handle = MakeFilledBuffer(8, 2, 1);
  std::vector<std::uint8_t> f =
      MakeBmp(4, 1, 8, false, RampPalette(256), [](int x, int) { return 40u + x; });
  EXPECT_EQ(GfxShowBMP(f.data(), f.size(), kGfxImageKeepPalette), 0);
  EXPECT_EQ(RawPixel(handle, 3, 0), 43u);
  std::vector<std::uint8_t> g = MakeBmp(4, 1, 24, false, {}, [](int, int) { return 0xFFFFFFu; });
  EXPECT_EQ(GfxShowBMP(g.data(), g.size(), 0), kBmpBadDepth);
  EXPECT_EQ(RawPixel(handle, 0, 1), 1u);
}

}  // namespace
