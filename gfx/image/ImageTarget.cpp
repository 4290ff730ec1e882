// Connects the image readers to the graphics layer's active buffer and to the file system.
#include "gfx/image/ImageTarget.h"

#include <cstdio>
#include <memory>

ImageTarget ActiveImageTarget() {
  ImageTarget t;
  GfxBufferView view = GfxGetBufferView(GfxActiveBuffer());
  if (view.pixels == nullptr) return t;
  int bpp = view.bitsPerPixel;
  if (!GfxIsSupportedDepth(bpp)) return t;
  // A row must hold the whole width, or stores at the right edge would spill into the next row.
  if (view.width <= 0 || view.height <= 0 ||
      view.bytesPerRow < view.width * GfxBytesPerPixel(bpp)) {
    return t;
  }
  t.pixels = view.pixels;
  t.width = view.width;
  t.height = view.height;
  t.bytesPerRow = view.bytesPerRow;
  t.format.bitsPerPixel = bpp;
  t.format.is565 = GfxIs565();
  return t;
}

namespace {
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
}  // namespace

bool ReadImageFile(const char* fileName, std::vector<std::uint8_t>& out) {
  out.clear();
  if (fileName == nullptr) return false;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName, "rb"));
  if (!file) return false;
  // Read in 4,096-byte chunks rather than trusting a size from the file system, so pipes and
  // files that change underneath still end up with exactly the bytes read.
  std::uint8_t chunk[4096];
  for (;;) {
    std::size_t n = std::fread(chunk, 1, sizeof chunk, file.get());
    if (n > 0) {
      if (out.size() + n > kMaxImageFileBytes) {
        out.clear();
        return false;
      }
      out.insert(out.end(), chunk, chunk + n);
    }
    if (n < sizeof chunk) break;
  }
  if (std::ferror(file.get())) {
    out.clear();
    return false;
  }
  return true;
}
