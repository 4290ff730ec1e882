// The JPEG reader without outside tools: header probe and working buffer, refused frames,
// damaged streams and clipping.
#include <gtest/gtest.h>

#include <utility>

#include "gfx/image/JpegDecoder.h"
#include "gfx/image/JpegReader.h"
#include "tests/gfx/image/ImageTestSupport.h"

namespace {

constexpr Color kGuard = 0x00A5C3E7;

// An 8x8 greyscale baseline JPEG that decodes to flat grey 128: DQT of ones; SOF0 8x8, one
// component id 1, 1x1, table 0; a DC and an AC table with the one code "0" for category 0 and
// end-of-block; SOS; one block coded "00" padded with ones; EOI.
std::vector<std::uint8_t> TinyJpeg() {
  std::vector<std::uint8_t> f = {0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x43, 0x00};
  f.insert(f.end(), 64, 0x01);
  f.insert(f.end(), {0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0x08, 0x00, 0x08, 0x01, 0x01, 0x11, 0x00});
  for (std::uint8_t tableClass : {0x00, 0x10}) {
    f.insert(f.end(), {0xFF, 0xC4, 0x00, 0x14, tableClass, 0x01});
    f.insert(f.end(), 16, 0x00);  // 15 more counts, then the one symbol 0
  }
  f.insert(f.end(), {0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00, 0x3F, 0xFF, 0xD9});
  return f;
}

// Offsets of pieces of TinyJpeg, for making damaged copies.
constexpr std::size_t kTinySof = 2 + 4 + 65;  // The 0xFF of SOF0.
constexpr std::size_t kTinyDcDht = kTinySof + 13;
constexpr std::size_t kTinyAcDht = kTinyDcDht + 22;
constexpr std::size_t kTinySos = kTinyAcDht + 22;

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
}

TEST_F(JpegReaderTest, BuiltInBufferIsTooSmallForAScreenAndTheSizeAskedForIsEnough) {
  std::vector<std::uint8_t> f = EncodeJpeg(SyntheticImage(800, 600, 1), {75, 2, 2});
  GfxJPEGHeader header;
  ASSERT_EQ(GfxReadJPEGHeader(f.data(), f.size(), &header), 0);
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
      // Odd widths round up to whole MCUs.
      {37, 5, {{1, 0x21}, {2, 0x11}, {3, 0x11}}, 48 * 3 * 8},
      // Chroma sampled finer than luma (cjpeg -sample 1x1,2x2,1x1).
      {37, 5, {{1, 0x11}, {2, 0x22}, {3, 0x11}}, 48 * 3 * 16},
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
  EXPECT_EQ(std::vector<int>(h.sampling, h.sampling + 3), (std::vector<int>{0x21, 0x12, 0x11}));
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

// TinyJpeg with a DC table of `counts` codes of each length (bits, count) and as many symbols.
std::vector<std::uint8_t> TinyJpegWithDcTable(std::vector<std::pair<int, int>> counts) {
  std::vector<std::uint8_t> seg(21, 0), f = TinyJpeg();
  std::size_t symbols = 0;
  for (const auto& [bits, count] : counts) seg[4 + bits] += static_cast<std::uint8_t>(count);
  for (const auto& [bits, count] : counts) symbols += static_cast<std::size_t>(count);
  seg.resize(21 + symbols, 0);
  const std::size_t length = seg.size() - 2;
  seg[0] = 0xFF, seg[1] = 0xC4, seg[2] = static_cast<std::uint8_t>(length >> 8);
  seg[3] = static_cast<std::uint8_t>(length);
  f.erase(f.begin() + kTinyDcDht, f.begin() + kTinyAcDht);
  f.insert(f.begin() + kTinyDcDht, seg.begin(), seg.end());
  return f;
}

TEST_F(JpegReaderTest, BadHuffmanTablesAreRefusedForTheirReason) {
  // "0" and "1" as 1-bit codes: the all-ones code is reserved.
  for (const auto& [counts, reason] :
       {std::pair{std::vector<std::pair<int, int>>{{1, 2}}, "bad Huffman code lengths"},
        {{{8, 255}, {9, 2}}, "bad DHT counts"}}) {
    EXPECT_EQ(ShowAt(TinyJpegWithDcTable(counts), 16, 16, 4, 4), 3);
    EXPECT_STREQ(GfxLastImageError().reason, reason);
    EXPECT_TRUE(GuardIntact(4, 11, 4, 11));
  }
  // A full table of the longest codes is accepted (the scan then finds no "0" as a DC code).
  ShowAt(TinyJpegWithDcTable({{15, 1}, {16, 255}}), 16, 16, 4, 4);
  EXPECT_STRNE(GfxLastImageError().reason, "bad Huffman code lengths");
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

TEST_F(JpegReaderTest, EveryTruncationFailsAndStaysInsideThePicture) {
  std::vector<std::uint8_t> f = EncodeJpeg(SyntheticImage(37, 23, 4), {75, 2, 2, false, 1});
  for (std::size_t n = 0; n + 2 < f.size(); ++n) {
    std::vector<std::uint8_t> cut(f.begin(), f.begin() + static_cast<std::ptrdiff_t>(n));
    ASSERT_NE(ShowAt(cut, 64, 48, 13, 11), 0) << "prefix of " << n << " bytes";
    ASSERT_TRUE(GuardIntact(13, 13 + 36, 11, 11 + 22)) << "prefix of " << n << " bytes";
  }
}

TEST_F(JpegReaderTest, PicturesAreClippedToTheBuffer) {
  std::vector<std::uint8_t> f = EncodeJpeg(SyntheticImage(37, 23, 5), {80, 2, 1});
  // Reference: the whole picture at (0, 0).
  ASSERT_EQ(ShowAt(f, 40, 24, 0, 0), 0);
  std::vector<std::uint32_t> whole;
  for (int i = 0; i < 37 * 23; ++i) whole.push_back(RawPixel(handle_, i % 37, i / 37));
  // Hanging over every edge of a small buffer.
  const int offsets[][2] = {{-5, -3}, {10, 6}, {-30, 15}, {12, -20}};
  for (const auto& o : offsets) {
    SCOPED_TRACE(testing::Message() << "at " << o[0] << "," << o[1]);
    ASSERT_EQ(ShowAt(f, 20, 10, o[0], o[1]), 0);
    ExpectPlaced(
        handle_, o[0], o[1], 37, 23, [&](int x, int y) { return whole[y * 37 + x]; }, kGuard);
  }
  // Entirely outside: nothing drawn, still success.
  EXPECT_EQ(ShowAt(f, 20, 10, 25, 0), 0);
  EXPECT_EQ(CountPixels(handle_, 0, 19, 0, 9, kGuard), 200);
  EXPECT_EQ(ShowAt(f, 20, 10, -100000, -2147483600), 0);
  EXPECT_EQ(CountPixels(handle_, 0, 19, 0, 9, kGuard), 200);
}

}  // namespace
