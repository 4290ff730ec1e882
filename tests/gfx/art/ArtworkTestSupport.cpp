// Helpers of the artwork tests: fixture, scripted input, PNG golden images.
#include "tests/gfx/art/ArtworkTestSupport.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "gfx/Gfx.h"
#include "gfx/font/Font.h"
#include "gfx/image/BmpReader.h"
#include "platform/DataDir.h"
#include "tests/gfx/GfxTestSupport.h"

std::string MediaDir() {
  const char* dir = std::getenv("QS_MEDIA_DIR");
  return dir != nullptr ? dir : "";
}

void ScriptedSource::Pump(int waitMs) {
  if (waitMs > 0) *clock_ += static_cast<std::uint64_t>(waitMs);
  for (auto it = script_.begin(); it != script_.end();) {
    if (it->ms <= *clock_) {
      ThreadMessageQueue().PostInput(it->message, 0, 0);
      it = script_.erase(it);
    } else {
      ++it;
    }
  }
}

void ArtworkTest::SetUp() {
  gfx_ = std::make_unique<HeadlessGfx>();
  display_ = &gfx_->Display();
  screen_ = gfx_->Screen();
  GfxInitMouse();
  GfxSetColor(GfxMapRGB(0, 0, 0));
  GfxClear();
  ResetMessageLoop([this] { return clock_; });
  source_ = std::make_unique<ScriptedSource>(&clock_);
  SetMessageSource(source_.get());
  SetDataDir(MediaDir());
}

void ArtworkTest::TearDown() {
  art_.reset();
  for (int handle : buffers_) {
    if (GfxActiveBuffer() == handle) GfxCloseBuffer();
    GfxFreeBuffer(handle);
  }
  GfxFreeFont(-1);
  SetMessageSource(nullptr);
  ResetMessageLoop();
  display_ = nullptr;
  screen_ = -1;
  gfx_.reset();
}

bool ArtworkTest::UseGeneratedMedia() {
  const std::string dir = MediaDir();
  if (dir.empty() || !std::filesystem::exists(dir + "/artwork/deck1.bmp")) return false;
  SetDataDir(dir);
  return true;
}

ArtworkSet& ArtworkTest::LoadArtwork(int theme) {
  art_ = std::make_unique<ArtworkSet>();
  art_->Load(screen_, 1);
  art_->LoadTheme(theme);
  return *art_;
}

int ArtworkTest::Canvas(int width, int height, int r, int g, int b) {
  const int handle = MakeFilledBuffer(width, height, GfxMapRGB(r, g, b));
  buffers_.push_back(handle);
  return handle;
}

int ArtworkTest::LoadPicture(const char* mediaName, int width, int height) {
  const int handle = Canvas(width, height, 0, 0, 0);
  EXPECT_EQ(GfxShowBMP(MediaPath(mediaName).c_str(), 1), 0) << mediaName;
  return handle;
}

std::uint32_t PixelAt(int buffer, int x, int y) {
  return RawPixel(buffer, x, y) & 0xFFFFFF;
}

std::vector<std::uint32_t> ScreenPixels(int buffer) {
  std::vector<std::uint32_t> pixels;
  pixels.reserve(800 * 600);
  for (int i = 0; i < 800 * 600; ++i) pixels.push_back(PixelAt(buffer, i % 800, i / 800));
  return pixels;
}

int Differences(int a, int ax, int ay, int b, int bx, int by, int width, int height) {
  int count = 0;
  for (int i = 0; i < width * height; ++i) {
    const int x = i % width, y = i / width;
    count += PixelAt(a, ax + x, ay + y) != PixelAt(b, bx + x, by + y);
  }
  return count;
}

namespace {

// Level 9, as the committed goldens were written, so a rewrite changes only changed pictures.
bool WritePng(const std::string& path, int width, int height,
              const std::vector<std::uint8_t>& rgb) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    png_write_row(png, rgb.data() + static_cast<std::size_t>(y) * width * 3);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
  return true;
}

bool ReadPng(const std::string& path, int* width, int* height, std::vector<std::uint8_t>* rgb) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  rgb->resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb->data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  *width = static_cast<int>(image.width);
  *height = static_cast<int>(image.height);
  return true;
}

}  // namespace

testing::AssertionResult MatchesGolden(const std::string& name, int buffer, int minx, int maxx,
                                       int miny, int maxy) {
  const int width = maxx - minx + 1, height = maxy - miny + 1;
  std::vector<std::uint8_t> actual;
  for (int y = miny; y <= maxy; ++y) {
    for (int x = minx; x <= maxx; ++x) {
      const std::uint32_t p = PixelAt(buffer, x, y);
      actual.insert(actual.end(),
                    {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                     static_cast<std::uint8_t>(p)});
    }
  }
  const char* source = std::getenv("QS_SOURCE_DIR");
  const std::string path =
      std::string(source != nullptr ? source : ".") + "/tests/golden/" + name + ".png";
  const char* update = std::getenv("QS_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    if (!WritePng(path, width, height, actual)) {
      return testing::AssertionFailure() << "cannot write " << path;
    }
    return testing::AssertionSuccess() << "wrote " << path;
  }
  int goldenWidth = 0, goldenHeight = 0;
  std::vector<std::uint8_t> golden;
  if (!ReadPng(path, &goldenWidth, &goldenHeight, &golden)) {
    return testing::AssertionFailure()
           << "cannot read " << path << " (QS_UPDATE_GOLDEN=1 writes it)";
  }
  if (goldenWidth != width || goldenHeight != height) {
    return testing::AssertionFailure() << name << ": golden is " << goldenWidth << " x "
                                       << goldenHeight << ", scene is " << width << " x " << height;
  }
  int differing = 0, first = -1;
  for (std::size_t i = 0; i < actual.size(); i += 3) {
    if (std::equal(&actual[i], &actual[i] + 3, &golden[i])) continue;
    if (differing++ == 0) first = static_cast<int>(i / 3);
  }
  if (differing == 0) return testing::AssertionSuccess();
  WritePng(name + ".actual.png", width, height, actual);
  return testing::AssertionFailure()
         << name << ": " << differing << " pixels differ, first at (" << first % width << ", "
         << first / width << "); wrote " << name << ".actual.png";
}
