// Decodes a BMP or JPEG file with the game's readers into a 32-bit buffer and writes it as a
// binary PPM; the exit status is the reader's result code.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "gfx/Gfx.h"
#include "gfx/image/BmpReader.h"
#include "gfx/image/ImageTarget.h"
#include "gfx/image/JpegReader.h"
#include "platform/FileBytes.h"

namespace {

constexpr int kUsage = 64;     // Like EX_USAGE.
constexpr int kNoBuffer = 70;  // The picture is too large for a buffer.
constexpr int kWriteFailed = 74;

bool WritePpm(const char* name, int handle, int width, int height) {
  GfxBufferView view = GfxGetBufferView(handle);
  if (view.pixels == nullptr) return false;
  char header[64];
  const int headerBytes = std::snprintf(header, sizeof header, "P6\n%d %d\n255\n", width, height);
  std::vector<std::uint8_t> ppm(header, header + headerBytes);
  ppm.reserve(ppm.size() + static_cast<std::size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* p = view.pixels + static_cast<std::size_t>(y) * view.bytesPerRow;
    for (int x = 0; x < width; ++x) {
      std::uint32_t v;
      std::memcpy(&v, p + 4 * x, 4);
      ppm.push_back(static_cast<std::uint8_t>(v >> 16));
      ppm.push_back(static_cast<std::uint8_t>(v >> 8));
      ppm.push_back(static_cast<std::uint8_t>(v));
    }
  }
  return WriteFileBytes(name, ppm.data(), ppm.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: qs-decode IN.bmp|IN.jpg OUT.ppm\n");
    return kUsage;
  }
  std::vector<std::uint8_t> bytes;
  if (FileBytesStatus s = ReadImageFile(argv[1], bytes); s != FileBytesStatus::kOk) {
    std::fprintf(stderr, "qs-decode: %s: %s\n", argv[1], FileBytesReason(s));
    return 1;
  }
  const bool isJpeg = bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8;

  // A 1x1 buffer still lets a reader report why it refuses a file whose size is unknown.
  int width = 1, height = 1;
  bool sized = false;
  // The working memory is sized exactly as the game sizes it for artwork: from the header
  // record through GfxJPEGBufferSize, so a fault there shows here too. A header that cannot be
  // read asks for nothing, which leaves the built-in buffer, as in the game.
  std::vector<std::uint8_t> work;
  if (isJpeg) {
    GfxJPEGHeader header;
    if (GfxReadJPEGHeader(argv[1], &header) == kJpegHeaderOk) {
      width = std::max<int>(header.width, 1);
      height = std::max<int>(header.height, 1);
      sized = header.width > 0 && header.height > 0;
    } else {
      std::fprintf(stderr, "qs-decode: %s: header: %s\n", argv[1], GfxLastImageError().reason);
    }
    work.resize(static_cast<std::size_t>(std::max(0, GfxJPEGBufferSize(&header))));
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

  int result;
  if (isJpeg) {
    GfxSetJPEGBuffer(work.data(), work.size());
    result = GfxShowJPEG(argv[1], 0);
    GfxSetJPEGBuffer(nullptr, 0);
  } else {
    result = GfxShowBMP(argv[1], 0);
  }
  if (result != 0) {
    std::fprintf(stderr, "qs-decode: %s: result %d, %s\n", argv[1], result,
                 GfxLastImageError().reason);
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
  return 0;
}
