// The JPEG reader against djpeg (integer IDCT, no smoothing) on pictures cjpeg makes at test time.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "gfx/image/JpegDecoder.h"
#include "gfx/image/JpegReader.h"
#include "tests/gfx/image/ImageTestSupport.h"
#include "tests/support/RequireMedia.h"

namespace {

// Shows a JPEG file exactly the way the game shows its artwork: the header record, a working
// buffer of the size GfxJPEGBufferSize asks for, then the picture from the file.
int ShowJpegLikeTheGame(const std::string& path) {
  GfxJPEGHeader header;
  if (GfxReadJPEGHeader(path.c_str(), &header) != 0) return -1;
  std::vector<std::uint8_t> work(static_cast<std::size_t>(std::max(0, GfxJPEGBufferSize(&header))));
  GfxSetJPEGBuffer(work.data(), work.size());
  const int result = GfxShowJPEG(path.c_str(), 0);
  GfxSetJPEGBuffer(nullptr, 0);
  return result;
}

class PeerDecoderTest : public testing::Test {
protected:
  void SetUp() override {
    dir_ = ScratchDir(testing::UnitTest::GetInstance()->current_test_info()->name());
  }
  void TearDown() override { RunQuietly("rm -rf '" + dir_ + "'"); }
  void CompareWithDjpeg(const RgbImage& src, const std::string& args, bool throughTool);
  std::string dir_;
  int files_ = 0, exact_ = 0;
};

// Compresses src with cjpeg and the given arguments, decodes the result through the game's path
// (or the qs-decode tool) and with djpeg, and checks they agree within one per channel.
void PeerDecoderTest::CompareWithDjpeg(const RgbImage& src, const std::string& args,
                                       bool throughTool) {
  SCOPED_TRACE(testing::Message() << src.width << "x" << src.height << " cjpeg " << args);
  const std::string ppm = dir_ + "/src.ppm", jpg = dir_ + "/t.jpg", ref = dir_ + "/ref.ppm";
  WritePpm(ppm, src);
  ASSERT_TRUE(RunQuietly("cjpeg " + args + " -outfile '" + jpg + "' '" + ppm + "'"));
  ASSERT_TRUE(
      RunQuietly("djpeg -dct int -nosmooth -rgb -ppm -outfile '" + ref + "' '" + jpg + "'"));
  const RgbImage expected = ReadPnm(ref);
  ASSERT_EQ(expected.width, src.width);
  ASSERT_EQ(expected.height, src.height);
  RgbImage ours;
  if (throughTool) {
    const std::string out = dir_ + "/ours.ppm";
    ASSERT_TRUE(RunQuietly(std::string("'") + QS_DECODE_TOOL + "' '" + jpg + "' '" + out + "'"));
    ours = ReadPnm(out);
    ASSERT_EQ(ours.width, src.width);
    ASSERT_EQ(ours.height, src.height);
  } else {
    // Into a magenta buffer of the picture's size, so a pixel left unwritten shows.
    HeadlessGfx gfx(CoreGfxOptions(kDepth32));
    const int handle = MakeFilledBuffer(src.width, src.height, 0x00FF00FF);
    ASSERT_EQ(ShowJpegLikeTheGame(jpg), 0) << GfxLastImageError().reason;
    ours = {src.width, src.height, {}};
    for (int i = 0; i < src.width * src.height; ++i) {
      const std::uint32_t v = RawPixel(handle, i % src.width, i / src.width);
      for (int shift : {16, 8, 0}) ours.rgb.push_back(static_cast<std::uint8_t>(v >> shift));
    }
  }
  int worst = 0, at = 0;  // the largest difference of any channel, and its pixel
  for (std::size_t i = 0; i < ours.rgb.size(); ++i) {
    const int diff = std::abs(ours.rgb[i] - expected.rgb[i]);
    if (diff > worst) worst = diff, at = static_cast<int>(i / 3);
  }
  EXPECT_LE(worst, 1) << "at " << at % src.width << "," << at / src.width;
  ++files_;
  exact_ += worst == 0;
}

// Every sampling layout cjpeg writes into a baseline file, 1 x 1 to past the screen, quality 10 to
// 100. Luma 4x4 and 3x3 with chroma exceed an MCU's ten blocks (ITU T.81 B.2.3); greyscale has not.
TEST_F(PeerDecoderTest, JpegMatchesDjpegWithinOne) {
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
  // Most of these sizes are not a whole number of MCUs for the larger layouts.
  const int sizes[][2] = {{37, 23}, {1, 1},   {70, 45},  {9, 66}, {8, 8},
                          {17, 33}, {64, 48}, {100, 75}, {15, 9}, {801, 601}};
  const char* qualities[] = {"-baseline -quality 10",
                             "-quality 50",
                             "-quality 75 -optimize",
                             "-quality 90",
                             "-quality 100",
                             "-baseline -quality 25",
                             "-quality 69"};
  const char* restarts[] = {"", "-restart 1B", "-restart 2", "-restart 3B"};
  int n = 0;
  for (int layout = 0; layout < static_cast<int>(std::size(layouts)); ++layout) {
    // Four files a layout; each layout meets every restart setting across them.
    for (int s = 0; s < 4; ++s, ++n) {
      const int* size = sizes[n % std::size(sizes)];
      const std::string args = std::string(layouts[layout]) + " " +
                               qualities[n % std::size(qualities)] + " " +
                               restarts[(layout + s) % 4];
      ASSERT_NO_FATAL_FAILURE(CompareWithDjpeg(
          SyntheticImage(size[0], size[1], static_cast<unsigned>(n)), args, false));
    }
  }
  RecordProperty("files", files_);
  RecordProperty("bit_exact", exact_);
}

// qs-decode goes through the header record and GfxJPEGBufferSize like the game, so a layout the
// game could not size would fail there too instead of being hidden by generous memory.
TEST_F(PeerDecoderTest, QsDecodeSizesItsBufferLikeTheGame) {
  if (!HaveTool("cjpeg") || !HaveTool("djpeg"))
    QS_SKIP_MISSING("cjpeg/djpeg not installed (libjpeg-turbo-progs)");
  const RgbImage src = SyntheticImage(53, 29, 11);
  for (const char* layout : {"1x1,2x2,1x1", "4x1", "2x4", "2x2,1x2,2x1"}) {
    ASSERT_NO_FATAL_FAILURE(CompareWithDjpeg(src, std::string("-sample ") + layout, true));
  }
}

}  // namespace
