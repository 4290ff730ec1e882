// The JPEG reader without outside tools: header probe and working buffer, refused frames,
// damaged streams, clipping, and every buffer depth.
#include <gtest/gtest.h>

#include <random>
#include <utility>

#include "gfx/image/JpegDecoder.h"
#include "gfx/image/JpegReader.h"
#include "tests/gfx/image/ImageTestSupport.h"

namespace {

constexpr Color kGuard = 0x00A5C3E7;

// A complete 8x8 greyscale baseline JPEG, small enough to read: one quantisation table, a DC
// table with the single code "0" for category 0, an AC table with the single code "0" for
// end-of-block, and one block coded as "00" padded with ones. It decodes to flat grey 128.
std::vector<std::uint8_t> TinyJpeg() {
  std::vector<std::uint8_t> f = {0xFF, 0xD8};
  // DQT: table 0, all ones.
  f.insert(f.end(), {0xFF, 0xDB, 0x00, 0x43, 0x00});
  f.insert(f.end(), 64, 0x01);
  // SOF0: 8-bit, 8x8, one component id 1, 1x1 sampling, table 0.
  f.insert(f.end(), {0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0x08, 0x00, 0x08, 0x01, 0x01, 0x11, 0x00});
  // DHT: DC table 0 and AC table 0, one 1-bit code each.
  f.insert(f.end(), {0xFF, 0xC4, 0x00, 0x14, 0x00, 0x01});
  f.insert(f.end(), 15, 0x00);
  f.push_back(0x00);  // DC symbol: category 0.
  f.insert(f.end(), {0xFF, 0xC4, 0x00, 0x14, 0x10, 0x01});
  f.insert(f.end(), 15, 0x00);
  f.push_back(0x00);  // AC symbol: end of block.
  // SOS: one component, tables 0/0, Ss 0, Se 63, Ah/Al 0; then the scan and EOI.
  f.insert(f.end(), {0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00});
  f.insert(f.end(), {0x3F, 0xFF, 0xD9});
  return f;
}

// Offsets of pieces of TinyJpeg, for making damaged copies.
constexpr std::size_t kTinySof = 2 + 4 + 65;  // The 0xFF of SOF0.
constexpr std::size_t kTinyDcDht = kTinySof + 13;
constexpr std::size_t kTinyAcDht = kTinyDcDht + 22;
constexpr std::size_t kTinySos = kTinyAcDht + 22;

// TinyJpeg with its DC table segment replaced by one holding these counts and symbols.
std::vector<std::uint8_t> TinyJpegWithDcTable(const std::vector<std::uint8_t>& counts,
                                              std::size_t symbolCount) {
  std::vector<std::uint8_t> f = TinyJpeg();
  std::size_t length = 2 + 1 + 16 + symbolCount;
  std::vector<std::uint8_t> seg = {0xFF, 0xC4, static_cast<std::uint8_t>(length >> 8),
                                   static_cast<std::uint8_t>(length & 0xFF), 0x00};
  seg.insert(seg.end(), counts.begin(), counts.end());
  for (std::size_t i = 0; i < symbolCount; ++i) seg.push_back(static_cast<std::uint8_t>(i % 12));
  std::vector<std::uint8_t> g(f.begin(), f.begin() + kTinyDcDht);
  g.insert(g.end(), seg.begin(), seg.end());
  g.insert(g.end(), f.begin() + kTinyAcDht, f.end());
  return g;
}

class JpegReaderTest : public testing::Test {
protected:
  void SetUp() override { GfxSetJPEGBuffer(nullptr, 0); }
  void TearDown() override { GfxSetJPEGBuffer(nullptr, 0); }

  // Decodes into a fresh guarded buffer with the picture's top-left at (x, y).
  int ShowAt(const std::vector<std::uint8_t>& file, int bufferW, int bufferH, int x, int y) {
    if (handle_ >= 0) {
      GfxCloseBuffer();
      GfxFreeBuffer(handle_);
    }
    handle_ = MakeFilledBuffer(bufferW, bufferH, kGuard);
    GfxMove(x, y);
    return GfxShowJPEG(file.data(), file.size(), kGfxImageAtCursor);
  }

  // True when no pixel of the active buffer outside the rectangle was touched.
  bool GuardIntact(int minx, int maxx, int miny, int maxy) {
    GfxBufferView view = GfxGetBufferView(handle_);
    for (int y = 0; y < view.height; ++y) {
      for (int x = 0; x < view.width; ++x) {
        bool inside = x >= minx && x <= maxx && y >= miny && y <= maxy;
        if (!inside && RawPixel(handle_, x, y) != kGuard) return false;
      }
    }
    return true;
  }

  HeadlessGfx gfx_{CoreGfxOptions(kDepth32)};
  int handle_ = -1;
};

TEST_F(JpegReaderTest, TinyHandMadeFileDecodesToFlatGrey) {
  // Sampling factors of 3 and 4 are baseline too.
  for (std::uint8_t sampling : {0x11, 0x34}) {
    std::vector<std::uint8_t> f = TinyJpeg();
    f[kTinySof + 11] = sampling;
    ASSERT_EQ(ShowAt(f, 16, 16, 4, 4), 0) << GfxLastImageError().reason;
    EXPECT_EQ(CountPixels(handle_, 4, 11, 4, 11, 0x808080), 64);
    EXPECT_TRUE(GuardIntact(4, 11, 4, 11));
  }
  // 8-bit buffers hold palette indices, which a photograph has none of: left alone.
  GfxSetBufferDepth(8);
  handle_ = MakeFilledBuffer(16, 16, 3);
  const std::vector<std::uint8_t> f = TinyJpeg();
  EXPECT_EQ(GfxShowJPEG(f.data(), f.size(), 0), 0);
  EXPECT_EQ(CountPixels(handle_, 0, 15, 0, 15, 3), 256);
}

TEST_F(JpegReaderTest, HeaderRecordAndWorkingBufferSize) {
  RgbImage img = SyntheticImage(800, 600, 1);
  std::vector<std::uint8_t> f = EncodeJpeg(img, {75, 2, 2});
  GfxJPEGHeader header;
  ASSERT_EQ(GfxReadJPEGHeader(f.data(), f.size(), &header), 0);
  EXPECT_EQ(header.marker, 0xFFD8);
  EXPECT_EQ(header.width, 800);
  EXPECT_EQ(header.height, 600);
  EXPECT_EQ(header.components, 3);
  EXPECT_EQ(header.sampling[0], 0x22);
  EXPECT_EQ(header.sampling[1], 0x11);
  EXPECT_EQ(GfxJPEGBufferSize(&header), 800 * 3 * 16);
  // The built-in 10,240 bytes cannot hold a 16-row band of 800 pixels.
  handle_ = MakeFilledBuffer(800, 600, kGuard);
  EXPECT_EQ(GfxShowJPEG(f.data(), f.size(), 0), 4);
  EXPECT_EQ(CountPixels(handle_, 0, 799, 0, 599, kGuard), 800 * 600);
  // Exactly the size asked for is enough.
  std::vector<std::uint8_t> work(static_cast<std::size_t>(GfxJPEGBufferSize(&header)));
  GfxSetJPEGBuffer(work.data(), work.size());
  EXPECT_EQ(GfxShowJPEG(f.data(), f.size(), 0), 0) << GfxLastImageError().reason;
  work.pop_back();
  GfxSetJPEGBuffer(work.data(), work.size());
  EXPECT_EQ(GfxShowJPEG(f.data(), f.size(), 0), 4);
}

// A file holding only SOI and a baseline frame header with the components given as
// (id, sampling byte) in frame order.
std::vector<std::uint8_t> FrameHeaderOnly(int width, int height,
                                          const std::vector<std::pair<int, int>>& components) {
  std::vector<std::uint8_t> f = {0xFF, 0xD8, 0xFF, 0xC0};
  const int length = 8 + 3 * static_cast<int>(components.size());
  f.insert(f.end(), {static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length), 8,
                     static_cast<std::uint8_t>(height >> 8), static_cast<std::uint8_t>(height),
                     static_cast<std::uint8_t>(width >> 8), static_cast<std::uint8_t>(width),
                     static_cast<std::uint8_t>(components.size())});
  for (const auto& [id, sampling] : components) {
    f.insert(f.end(), {static_cast<std::uint8_t>(id), static_cast<std::uint8_t>(sampling), 0});
  }
  return f;
}

// The working buffer holds one row of MCUs at the widest H and the tallest V of any component,
// which need not be the same one; factors outside 1..4 are damage and size nothing.
TEST_F(JpegReaderTest, BufferSizeFollowsTheLargestFactorsAndRefusesOthers) {
  struct Case {
    int width, height;
    std::vector<std::pair<int, int>> components;
    int bytes;
  };
  const Case cases[] = {
      {800, 600, {{3, 0x11}, {1, 0x21}, {2, 0x12}}, 800 * 3 * 16},
      // Odd widths round up to whole MCUs.
      {37, 5, {{1, 0x21}, {2, 0x11}, {3, 0x11}}, 48 * 3 * 8},
      // Chroma sampled finer than luma (cjpeg -sample 1x1,2x2,1x1).
      {37, 5, {{1, 0x11}, {2, 0x22}, {3, 0x11}}, 48 * 3 * 16},
      {37, 5, {{1, 0x32}, {2, 0x11}, {3, 0x11}}, 48 * 3 * 16},
      {37, 5, {{1, 0x44}}, 64 * 3 * 32},
      // Identifiers outside 1..3 (cjpeg -rgb writes 'R', 'G', 'B').
      {37, 5, {{'R', 0x11}, {'G', 0x12}, {'B', 0x11}}, 40 * 3 * 16},
      // The largest legal request stays a few megabytes; 21 bytes at 15x15 get nothing.
      {65535, 65535, {{1, 0x44}, {2, 0x44}, {3, 0x44}}, 65536 * 3 * 32},
      {65535, 65535, {{1, 0xFF}, {2, 0xFF}, {3, 0xFF}}, 0},
      {0, 10, {{1, 0x11}}, 0},
  };
  GfxJPEGHeader h;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.width << "x" << c.height << ", luma " << std::hex << c.components[0].second);
    const std::vector<std::uint8_t> f = FrameHeaderOnly(c.width, c.height, c.components);
    ASSERT_EQ(GfxReadJPEGHeader(f.data(), f.size(), &h), 0);
    EXPECT_EQ(GfxJPEGBufferSize(&h), c.bytes);
  }
  for (int bad : {0x00, 0x01, 0x10, 0x51, 0x15}) {
    const std::vector<std::uint8_t> f = FrameHeaderOnly(100, 100, {{1, 0x22}, {2, bad}, {3, 0x11}});
    ASSERT_EQ(GfxReadJPEGHeader(f.data(), f.size(), &h), 0);
    EXPECT_EQ(GfxJPEGBufferSize(&h), 0) << bad;
  }
  // The record keeps each sampling byte by component id, whatever the frame order.
  const std::vector<std::uint8_t> f = FrameHeaderOnly(8, 8, {{3, 0x11}, {1, 0x21}, {2, 0x12}});
  ASSERT_EQ(GfxReadJPEGHeader(f.data(), f.size(), &h), 0);
  EXPECT_EQ(h.sampling[0], 0x21);
  EXPECT_EQ(h.sampling[1], 0x12);
  EXPECT_EQ(h.sampling[2], 0x11);
  GfxJPEGHeader blank;
  EXPECT_EQ(GfxJPEGBufferSize(&blank), 0);
}

// 2 for what is not a baseline JPEG, 3 for damage; either way before a pixel is written.
TEST_F(JpegReaderTest, NonBaselineAndDamagedFramesAreRefusedWithoutDrawing) {
  handle_ = MakeFilledBuffer(16, 16, kGuard);
  ExpectRefused(
      TinyJpeg(),
      {{"no SOI", 1, 0xD9, 1, 2},
       {"extended frame (SOF1)", kTinySof + 1, 0xC1, 1, 2},
       {"progressive frame (SOF2)", kTinySof + 1, 0xC2, 1, 2},
       {"12-bit samples", kTinySof + 4, 12, 1, 2},
       {"sampling factor 5", kTinySof + 11, 0x51, 1, 3},
       {"marker without 0xFF", kTinySof, 0x00, 1, 3},
       {"DHT table id 4", kTinyDcDht + 4, 0x04, 1, 3},
       {"DHT class 2", kTinyAcDht + 4, 0x20, 1, 3},
       {"DQT table id 5", 2 + 4, 0x05, 1, 3},
       {"SOF quantisation table id 4", kTinySof + 12, 0x04, 1, 3},
       {"SOS selects no frame component", kTinySos + 5, 0x07, 1, 3},
       {"SOS uses an undefined table", kTinySos + 6, 0x11, 1, 3},
       {"SOS table id above 3", kTinySos + 6, 0x40, 1, 3},
       {"SOS component count 2", kTinySos + 4, 0x02, 1, 3},
       {"SOF length too short", kTinySof + 3, 0x0A, 1, 3},
       {"DHT length too long", kTinyDcDht + 3, 0x15, 1, 3},
       {"zero width", kTinySof + 8, 0x00, 1, 3},
       {"DC symbol above 15", kTinyDcDht + 5 + 16, 0x10, 1, 3}},
      [](const std::vector<std::uint8_t>& f) { return GfxShowJPEG(f.data(), f.size(), 0); });
  // The header probe finds no baseline frame in a progressive file or in what is no JPEG.
  std::vector<std::uint8_t> f = TinyJpeg();
  f[kTinySof + 1] = 0xC2;
  GfxJPEGHeader header;
  EXPECT_EQ(GfxReadJPEGHeader(f.data(), f.size(), &header), -2);
  const std::uint8_t notJpeg[] = {'B', 'M', 0, 0};
  EXPECT_EQ(GfxReadJPEGHeader(notJpeg, sizeof notJpeg, &header), -2);
  EXPECT_EQ(GfxReadJPEGHeader("/nonexistent/picture.jpg", &header), -1);
  EXPECT_EQ(GfxShowJPEG("/nonexistent/picture.jpg", 0), 1);
}

// Code-length counts: `count` codes of each given length in bits.
std::vector<std::uint8_t> Counts(std::initializer_list<std::pair<int, int>> lengths) {
  std::vector<std::uint8_t> counts(16, 0);
  for (const auto& [bits, count] : lengths) counts[bits - 1] = static_cast<std::uint8_t>(count);
  return counts;
}

TEST_F(JpegReaderTest, BadHuffmanTablesAreRefused) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> counts;
    std::size_t symbols;
  };
  const Case cases[] = {{"counts above 256", std::vector<std::uint8_t>(16, 17), 272},
                        // "0" and "1": the all-ones code is reserved.
                        {"two 1-bit codes", Counts({{1, 2}}), 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::uint8_t> f = TinyJpegWithDcTable(c.counts, c.symbols);
    EXPECT_EQ(ShowAt(f, 16, 16, 4, 4), 3) << GfxLastImageError().reason;
    EXPECT_TRUE(GuardIntact(4, 11, 4, 11));
  }
  // The same path accepts a valid long table (the scan then fails to find "0" as a DC code).
  std::vector<std::uint8_t> f = TinyJpegWithDcTable(Counts({{15, 1}, {16, 255}}), 256);
  ShowAt(f, 16, 16, 4, 4);
  EXPECT_NE(std::string(GfxLastImageError().reason), "bad Huffman code lengths");
  EXPECT_TRUE(GuardIntact(4, 11, 4, 11));
}

TEST_F(JpegReaderTest, AbsurdSizesFailBeforeDecoding) {
  // 65535 x 65535 needs megabytes of working memory: refused with the built-in buffer.
  std::vector<std::uint8_t> huge = TinyJpeg();
  huge[kTinySof + 5] = huge[kTinySof + 6] = huge[kTinySof + 7] = huge[kTinySof + 8] = 0xFF;
  EXPECT_EQ(ShowAt(huge, 16, 16, 0, 0), 4);
  EXPECT_EQ(CountPixels(handle_, 0, 15, 0, 15, kGuard), 256);
  // Given the memory, the one coded block runs out at once instead of padding a whole frame.
  std::vector<std::uint8_t> work(JpegWorkBytes(65535, 1, 1));
  GfxSetJPEGBuffer(work.data(), work.size());
  EXPECT_EQ(ShowAt(huge, 16, 16, 0, 0), 3);
}

TEST_F(JpegReaderTest, EveryTruncationAndManyCorruptionsStayInBounds) {
  RgbImage img = SyntheticImage(37, 23, 4);
  JpegEncodeOptions options;
  options.restartRows = 1;
  std::vector<std::uint8_t> f = EncodeJpeg(img, options);
  for (std::size_t n = 0; n + 2 < f.size(); ++n) {
    std::vector<std::uint8_t> cut(f.begin(), f.begin() + static_cast<std::ptrdiff_t>(n));
    int r = ShowAt(cut, 64, 48, 13, 11);
    ASSERT_NE(r, 0) << "prefix of " << n << " bytes";
    ASSERT_TRUE(GuardIntact(13, 13 + 36, 11, 11 + 22)) << "prefix of " << n << " bytes";
  }
  std::mt19937 rng(7);
  for (int round = 0; round < 300; ++round) {
    std::vector<std::uint8_t> bad = f;
    for (int k = 0; k < 4; ++k) bad[rng() % bad.size()] = static_cast<std::uint8_t>(rng());
    ShowAt(bad, 64, 48, 13, 11);
    // A damaged frame header may declare another size; nothing may land outside that.
    GfxJPEGHeader h;
    if (GfxReadJPEGHeader(bad.data(), bad.size(), &h) == 0) {
      ASSERT_TRUE(GuardIntact(13, 13 + h.width - 1, 11, 11 + h.height - 1)) << "round " << round;
    }
  }
}

TEST_F(JpegReaderTest, PicturesAreClippedToTheBuffer) {
  RgbImage img = SyntheticImage(37, 23, 5);
  std::vector<std::uint8_t> f = EncodeJpeg(img, {80, 2, 1});
  // Reference: the whole picture at (0, 0).
  ASSERT_EQ(ShowAt(f, 40, 24, 0, 0), 0);
  std::vector<std::uint32_t> whole;
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 37; ++x) whole.push_back(RawPixel(handle_, x, y));
  // Hanging over every edge of a small buffer.
  const int offsets[][2] = {{-5, -3}, {10, 6}, {-30, 15}, {12, -20}};
  for (const auto& o : offsets) {
    ASSERT_EQ(ShowAt(f, 20, 10, o[0], o[1]), 0);
    for (int y = 0; y < 10; ++y) {
      for (int x = 0; x < 20; ++x) {
        int sx = x - o[0], sy = y - o[1];
        bool inside = sx >= 0 && sx < 37 && sy >= 0 && sy < 23;
        std::uint32_t expected = inside ? whole[static_cast<std::size_t>(sy) * 37 + sx] : kGuard;
        ASSERT_EQ(RawPixel(handle_, x, y), expected) << x << "," << y << " offset " << o[0];
      }
    }
  }
  // Entirely outside: nothing drawn, still success.
  EXPECT_EQ(ShowAt(f, 20, 10, 25, 0), 0);
  EXPECT_EQ(CountPixels(handle_, 0, 19, 0, 9, kGuard), 200);
  EXPECT_EQ(ShowAt(f, 20, 10, -100000, -2147483600), 0);
  EXPECT_EQ(CountPixels(handle_, 0, 19, 0, 9, kGuard), 200);
}

// Every depth receives the same colours as a 32-bit buffer, packed in its own layout.
class JpegDepthTest : public testing::TestWithParam<DepthCase> {};

TEST_P(JpegDepthTest, MatchesThirtyTwoBitDecodePacked) {
  RgbImage img = SyntheticImage(45, 27, 6);
  for (bool grey : {false, true}) {
    JpegEncodeOptions options{70, 2, 2};
    options.grey = grey;
    std::vector<std::uint8_t> f = EncodeJpeg(img, options);
    std::vector<std::uint32_t> ref;
    {
      HeadlessGfx gfx(CoreGfxOptions(kDepth32));
      int h32 = MakeFilledBuffer(45, 27, 0);
      ASSERT_EQ(GfxShowJPEG(f.data(), f.size(), 0), 0);
      for (int y = 0; y < 27; ++y)
        for (int x = 0; x < 45; ++x) ref.push_back(RawPixel(h32, x, y));
    }
    HeadlessGfx gfx(CoreGfxOptions(GetParam()));
    int h = MakeFilledBuffer(45, 27, 0);
    ASSERT_EQ(GfxShowJPEG(f.data(), f.size(), 0), 0);
    for (int y = 0; y < 27; ++y) {
      for (int x = 0; x < 45; ++x) {
        std::uint32_t v = ref[static_cast<std::size_t>(y) * 45 + x];
        ASSERT_EQ(RawPixel(h, x, y),
                  ExpectedPixel(GetParam(), v >> 16 & 255, v >> 8 & 255, v & 255))
            << x << "," << y << (grey ? " grey" : " colour");
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, JpegDepthTest, testing::ValuesIn(kAllDepths), DepthName);

}  // namespace
