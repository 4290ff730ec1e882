// Compares our readers with other decoders on pictures made at test time: JPEGs from cjpeg
// checked against djpeg (accurate integer IDCT, no smoothing), BMPs written by ImageMagick
// checked against ImageMagick's own reading of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "gfx/image/BmpReader.h"
#include "gfx/image/JpegDecoder.h"
#include "gfx/image/JpegReader.h"
#include "tests/gfx/image/ImageTestSupport.h"
#include "tests/support/RequireMedia.h"

namespace {

constexpr DepthCase kDepth32{32, false, "Xrgb32"};

struct Decoded {
  int header = -1;  // GfxReadJPEGHeader's result (JPEG only).
  int result = -1;
  RgbImage image;
};

// Reads the 32-bit buffer back as an RGB picture.
RgbImage ReadBack(int handle, int width, int height) {
  RgbImage image{width, height,
                 std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int rgb[3];
      Rgb32At(handle, x, y, rgb);
      for (int c = 0; c < 3; ++c)
        image.rgb[(static_cast<std::size_t>(y) * width + x) * 3 + c] =
            static_cast<std::uint8_t>(rgb[c]);
    }
  }
  return image;
}

// Decodes a BMP's bytes with our reader into a 32-bit buffer of the given size.
Decoded DecodeBmp(const std::vector<std::uint8_t>& bytes, int width, int height) {
  HeadlessGfx gfx(CoreGfxOptions(kDepth32));
  Decoded d;
  int handle = MakeFilledBuffer(width, height, 0x00FF00FF);
  d.result = GfxShowBMP(bytes.data(), bytes.size(), 0);
  d.image = ReadBack(handle, width, height);
  return d;
}

// Decodes a JPEG file exactly the way the game shows its artwork: the header record, a working
// buffer of the size GfxJPEGBufferSize asks for, then the picture from the file.
Decoded DecodeJpegLikeTheGame(const std::string& path, int width, int height) {
  HeadlessGfx gfx(CoreGfxOptions(kDepth32));
  Decoded d;
  int handle = MakeFilledBuffer(width, height, 0x00FF00FF);
  GfxJPEGHeader header;
  d.header = GfxReadJPEGHeader(path.c_str(), &header);
  std::vector<std::uint8_t> work(static_cast<std::size_t>(std::max(0, GfxJPEGBufferSize(&header))));
  GfxSetJPEGBuffer(work.data(), work.size());
  d.result = GfxShowJPEG(path.c_str(), 0);
  GfxSetJPEGBuffer(nullptr, 0);
  d.image = ReadBack(handle, width, height);
  return d;
}

// Largest difference of any channel, and where it is.
struct Difference {
  int worst = 0;
  int x = 0, y = 0;
};

Difference Compare(const RgbImage& a, const RgbImage& b) {
  Difference d;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      for (int c = 0; c < 3; ++c) {
        int diff = std::abs(a.At(x, y)[c] - b.At(x, y)[c]);
        if (diff > d.worst) d = {diff, x, y};
      }
    }
  }
  return d;
}

class PeerDecoderTest : public testing::Test {
protected:
  void SetUp() override {
    dir_ = ScratchDir(testing::UnitTest::GetInstance()->current_test_info()->name());
  }
  void TearDown() override { RunQuietly("rm -rf '" + dir_ + "'"); }
  void CompareWithDjpeg(const std::string& ppm, const std::string& args, int width, int height,
                        int* worst);
  std::string dir_;
};

// Compresses ppm with cjpeg and the given arguments, decodes the result through the game's path
// and with djpeg, and checks they agree within one per channel; *worst is the largest difference.
void PeerDecoderTest::CompareWithDjpeg(const std::string& ppm, const std::string& args, int width,
                                       int height, int* worst) {
  const std::string jpg = dir_ + "/t.jpg", ref = dir_ + "/ref.ppm";
  ASSERT_TRUE(RunQuietly("cjpeg " + args + " -outfile '" + jpg + "' '" + ppm + "'"));
  ASSERT_TRUE(
      RunQuietly("djpeg -dct int -nosmooth -rgb -ppm -outfile '" + ref + "' '" + jpg + "'"));
  const RgbImage expected = ReadPnm(ref);
  ASSERT_EQ(expected.width, width);
  ASSERT_EQ(expected.height, height);
  const Decoded ours = DecodeJpegLikeTheGame(jpg, width, height);
  ASSERT_EQ(ours.header, 0);
  ASSERT_EQ(ours.result, 0) << GfxLastImageError().reason;
  const Difference d = Compare(ours.image, expected);
  EXPECT_LE(d.worst, 1) << "at " << d.x << "," << d.y;
  *worst = d.worst;
}

TEST_F(PeerDecoderTest, JpegMatchesDjpegWithinOne) {
  if (!HaveTool("cjpeg") || !HaveTool("djpeg"))
    QS_SKIP_MISSING("cjpeg/djpeg not installed (libjpeg-turbo-progs)");
  const int sizes[][2] = {{37, 23}, {1, 1},    {8, 8},  {17, 33},
                          {64, 48}, {100, 75}, {15, 9}, {801, 601}};
  const char* samplings[] = {"-sample 1x1", "-sample 2x1", "-sample 2x2", "-sample 1x2",
                             "-grayscale"};
  const char* qualities[] = {"-baseline -quality 10", "-quality 50",  "-quality 75 -optimize",
                             "-quality 90",           "-quality 100", "-baseline -quality 25"};
  const char* restarts[] = {"", "-restart 1", "-restart 2B", "-restart 1B"};
  int files = 0, exact = 0;
  int index = 0;
  for (const auto& size : sizes) {
    RgbImage src = SyntheticImage(size[0], size[1], static_cast<unsigned>(size[0] * 31 + size[1]));
    std::string ppm = dir_ + "/src.ppm";
    WritePpm(ppm, src);
    for (const char* sampling : samplings) {
      ++index;
      std::string args =
          std::string(sampling) + " " + qualities[index % 6] + " " + restarts[index % 4];
      SCOPED_TRACE(testing::Message() << size[0] << "x" << size[1] << " cjpeg " << args);
      int worst = -1;
      ASSERT_NO_FATAL_FAILURE(CompareWithDjpeg(ppm, args, size[0], size[1], &worst));
      ++files;
      exact += worst == 0;
    }
  }
  RecordProperty("files", files);
  RecordProperty("bit_exact", exact);
}

// Every sampling layout cjpeg writes into a baseline file, decoded through the game's path. Luma
// 4x4 and 3x3 with chroma exceed the ten blocks an interleaved MCU may hold (ITU T.81 B.2.3), so
// cjpeg refuses them; greyscale has one block per MCU whatever its factors, so 4x4 is there.
TEST_F(PeerDecoderTest, JpegSamplingLayoutsMatchDjpegThroughTheGamePath) {
  if (!HaveTool("cjpeg") || !HaveTool("djpeg"))
    QS_SKIP_MISSING("cjpeg/djpeg not installed (libjpeg-turbo-progs)");
  const char* layouts[] = {
      // Luma factors with 1x1 chroma.
      "-sample 1x1", "-sample 2x1", "-sample 1x2", "-sample 2x2", "-sample 4x1", "-sample 1x4",
      "-sample 3x1", "-sample 1x3", "-sample 3x2", "-sample 2x3", "-sample 4x2", "-sample 2x4",
      // Chroma finer than luma, and mixed layouts.
      "-sample 1x1,2x2,1x1", "-sample 1x1,1x1,2x2", "-sample 2x2,1x2,2x1", "-sample 2x2,2x1,1x2",
      "-sample 4x1,2x1,1x1", "-sample 1x2,1x1,1x4", "-sample 1x1,2x1,1x2", "-sample 2x1,4x1,1x1",
      // Components named R, G, B instead of 1, 2, 3.
      "-rgb -sample 1x1", "-rgb -sample 2x2,1x1,1x2",
      // Greyscale.
      "-grayscale -sample 1x1", "-grayscale -sample 2x2", "-grayscale -sample 4x4",
      "-grayscale -sample 3x2", "-grayscale -sample 1x4"};
  // None of these sizes is a whole number of MCUs for the larger layouts.
  const int sizes[][2] = {{37, 23}, {1, 1}, {70, 45}, {9, 66}};
  const char* restarts[] = {"", "-restart 1B", "-restart 2", "-restart 3B"};
  int files = 0, exact = 0, layoutIndex = 0;
  for (const char* layout : layouts) {
    ++layoutIndex;
    for (int s = 0; s < 4; ++s) {
      const int width = sizes[s][0], height = sizes[s][1];
      RgbImage src = SyntheticImage(width, height, static_cast<unsigned>(layoutIndex * 7 + s));
      std::string ppm = dir_ + "/src.ppm";
      WritePpm(ppm, src);
      // Each layout meets every restart setting across its four sizes.
      std::string args = std::string(layout) + " -quality " + std::to_string(60 + 9 * s) + " " +
                         restarts[(layoutIndex + s) % 4];
      SCOPED_TRACE(testing::Message() << width << "x" << height << " cjpeg " << args);
      int worst = -1;
      ASSERT_NO_FATAL_FAILURE(CompareWithDjpeg(ppm, args, width, height, &worst));
      ++files;
      exact += worst == 0;
    }
  }
  RecordProperty("files", files);
  RecordProperty("bit_exact", exact);
}

// qs-decode goes through the header record and GfxJPEGBufferSize like the game, so a layout the
// game could not size would fail there too instead of being hidden by generous memory.
TEST_F(PeerDecoderTest, QsDecodeSizesItsBufferLikeTheGame) {
  if (!HaveTool("cjpeg") || !HaveTool("djpeg"))
    QS_SKIP_MISSING("cjpeg/djpeg not installed (libjpeg-turbo-progs)");
  RgbImage src = SyntheticImage(53, 29, 11);
  std::string ppm = dir_ + "/src.ppm", jpg = dir_ + "/t.jpg";
  std::string ref = dir_ + "/ref.ppm", ours = dir_ + "/ours.ppm";
  WritePpm(ppm, src);
  for (const char* layout : {"1x1,2x2,1x1", "4x1", "2x4", "2x2,1x2,2x1"}) {
    SCOPED_TRACE(layout);
    ASSERT_TRUE(RunQuietly(std::string("cjpeg -sample ") + layout + " -outfile '" + jpg + "' '" +
                           ppm + "'"));
    ASSERT_TRUE(
        RunQuietly("djpeg -dct int -nosmooth -rgb -ppm -outfile '" + ref + "' '" + jpg + "'"));
    ASSERT_TRUE(RunQuietly(std::string("'") + QS_DECODE_TOOL + "' '" + jpg + "' '" + ours + "'"));
    RgbImage expected = ReadPnm(ref), got = ReadPnm(ours);
    ASSERT_EQ(got.width, 53);
    ASSERT_EQ(got.height, 29);
    EXPECT_LE(Compare(got, expected).worst, 1);
  }
}

TEST_F(PeerDecoderTest, BmpMatchesImageMagick) {
  if (!HaveTool("convert")) QS_SKIP_MISSING("ImageMagick's convert not installed");
  struct Case {
    const char* options;
    int bits;
    int headerSize;
  };
  const Case cases[] = {
      {"BMP3:", 24, 40},
      {"-compress none -type palette BMP3:", 8, 40},
      {"-colors 16 -compress none -type palette BMP3:", 4, 40},
      {"-monochrome BMP3:", 1, 40},
      {"BMP2:", 24, 12},
      {"-type palette BMP2:", 8, 12},
      {"-colors 16 -type palette BMP2:", 4, 12},
      {"-monochrome BMP2:", 1, 12},
  };
  const int sizes[][2] = {{37, 23}, {5, 3}};
  for (const auto& size : sizes) {
    RgbImage src = SyntheticImage(size[0], size[1], 77);
    std::string ppm = dir_ + "/src.ppm";
    WritePpm(ppm, src);
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << size[0] << "x" << size[1] << " " << c.options);
      std::string options = c.options;
      std::size_t space = options.rfind(' ');
      std::string prefix = space == std::string::npos ? "" : options.substr(0, space);
      std::string format = space == std::string::npos ? options : options.substr(space + 1);
      std::string bmp = dir_ + "/t.bmp", ref = dir_ + "/ref.ppm";
      ASSERT_TRUE(RunQuietly("convert '" + ppm + "' " + prefix + " '" + format + bmp + "'"));
      ASSERT_TRUE(RunQuietly("convert '" + bmp + "' -depth 8 'ppm:" + ref + "'"));
      std::vector<std::uint8_t> bytes = ReadBytes(bmp);
      ASSERT_GT(bytes.size(), 30u);
      // Make sure ImageMagick wrote the kind of file this case is about.
      EXPECT_EQ(bytes[14], c.headerSize);
      // (Tiny pictures with few colours may get a smaller palette depth.)
      int bits = bytes[c.headerSize == 12 ? 24 : 28];
      if (c.bits == 24)
        EXPECT_EQ(bits, 24);
      else
        EXPECT_TRUE(bits >= 1 && bits <= c.bits) << bits;
      RgbImage expected = ReadPnm(ref);
      ASSERT_EQ(expected.width, size[0]);
      Decoded ours = DecodeBmp(bytes, size[0], size[1]);
      ASSERT_EQ(ours.result, 0);
      Difference d = Compare(ours.image, expected);
      EXPECT_EQ(d.worst, 0) << "at " << d.x << "," << d.y;
    }
  }
}

}  // namespace
