// Decodes a BMP or JPEG file with the game's readers into a 32-bit buffer and writes it as a
// binary PPM; the exit status is the reader's result code.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "gfx/Gfx.h"
#include "gfx/image/BmpReader.h"
#include "gfx/image/ImageTarget.h"
#include "gfx/image/JpegReader.h"

namespace {

constexpr int kUsage = 64;     // Like EX_USAGE.
constexpr int kNoBuffer = 70;  // The picture is too large for a buffer.
constexpr int kWriteFailed = 74;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

bool WritePpm(const char* name, int handle, int width, int height) {
  GfxBufferView view = GfxGetBufferView(handle);
  if (view.pixels == nullptr) return false;
  std::unique_ptr<std::FILE, FileCloser> out(std::fopen(name, "wb"));
  if (!out) return false;
  std::fprintf(out.get(), "P6\n%d %d\n255\n", width, height);
  std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* p = view.pixels + static_cast<std::size_t>(y) * view.bytesPerRow;
    for (int x = 0; x < width; ++x) {
      std::uint32_t v;
      std::memcpy(&v, p + 4 * x, 4);
      row[3 * x] = static_cast<unsigned char>(v >> 16);
      row[3 * x + 1] = static_cast<unsigned char>(v >> 8);
      row[3 * x + 2] = static_cast<unsigned char>(v);
    }
    if (std::fwrite(row.data(), 1, row.size(), out.get()) != row.size()) return false;
  }
  return std::fclose(out.release()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: qs-decode IN.bmp|IN.jpg OUT.ppm\n");
    return kUsage;
  }
  std::vector<std::uint8_t> bytes;
  if (!ReadImageFile(argv[1], bytes)) {
    std::fprintf(stderr, "qs-decode: cannot read %s\n", argv[1]);
    return 1;
  }
  const bool isJpeg = bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8;

  // A 1x1 buffer still lets a reader report why it refuses a file whose size is unknown.
  int width = 1, height = 1;
  GfxJPEGHeader header;
  std::vector<std::uint8_t> work;
  bool sized = false;
  if (isJpeg) {
    if (GfxReadJPEGHeader(bytes.data(), bytes.size(), &header) == 0 && header.width > 0 &&
        header.height > 0) {
      width = header.width;
      height = header.height;
      sized = true;
      // Room for any sampling up to 2x2, whatever the first component says.
      std::size_t need = static_cast<std::size_t>(GfxJPEGBufferSize(&header));
      GfxJPEGHeader widest = header;
      widest.sampling[0] = 0x22;
      need = std::max(need, static_cast<std::size_t>(GfxJPEGBufferSize(&widest)));
      work.resize(need);
      GfxSetJPEGBuffer(work.data(), work.size());
    }
  } else {
    sized = GfxBMPSize(bytes.data(), bytes.size(), &width, &height);
  }

  GfxStart();
  GfxSetBufferDepth(32);
  int handle = GfxAllocBuffer(width, height);
  if (handle < 0 || GfxOpenBuffer(handle) != 0) {
    std::fprintf(stderr, "qs-decode: no buffer for %dx%d\n", width, height);
    return kNoBuffer;
  }
  GfxSetColor(GfxMapRGB(0, 0, 0));
  GfxClear();

  int result = isJpeg ? GfxShowJPEG(bytes.data(), bytes.size(), 0)
                      : GfxShowBMP(bytes.data(), bytes.size(), 0);
  if (result != 0) {
    std::fprintf(stderr, "qs-decode: %s: result %d%s%s\n", argv[1], result, isJpeg ? ", " : "",
                 isJpeg ? GfxLastJPEGReason() : "");
    return result;
  }
  if (!sized) {
    std::fprintf(stderr, "qs-decode: %s: size unknown\n", argv[1]);
    return kUsage;
  }
  if (!WritePpm(argv[2], handle, width, height)) {
    std::fprintf(stderr, "qs-decode: cannot write %s\n", argv[2]);
    return kWriteFailed;
  }
  GfxCloseBuffer();
  GfxFreeBuffer(handle);
  GfxSetJPEGBuffer(nullptr, 0);
  return 0;
}
