// Connects the image readers to the graphics layer's active buffer and to the file system, and
// keeps the outcome of the last reader call.
#include "gfx/image/ImageTarget.h"

#include "gfx/image/ImageResult.h"

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

FileBytesStatus ReadImageFile(const char* fileName, std::vector<std::uint8_t>& out) {
  return ReadFileBytes(fileName, kMaxImageFileBytes, out);
}

namespace {
// Only the window's thread draws, so one record serves every reader.
GfxImageError gLastImageError{0, ""};
}  // namespace

GfxImageError GfxLastImageError() {
  return gLastImageError;
}

int GfxImageResult(int code, const char* reason) {
  gLastImageError = {code, reason != nullptr ? reason : ""};
  return code;
}
