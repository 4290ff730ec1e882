// The graphics layer's JPEG operations: header probe, working buffer, and decoding into the
// active buffer with clipping.
#include "gfx/image/JpegReader.h"

#include <algorithm>
#include <vector>

#include "gfx/ByteReader.h"
#include "gfx/Gfx.h"
#include "gfx/image/ImageTarget.h"
#include "gfx/image/JpegDecoder.h"

namespace {

std::uint8_t gBuiltInBuffer[kGfxJPEGBuiltInBuffer];
std::uint8_t* gWork = gBuiltInBuffer;
std::size_t gWorkSize = kGfxJPEGBuiltInBuffer;
const char* gLastReason = "";

// Writes decoded rows into the active buffer, dropping whatever falls outside it.
class BufferSink : public JpegSink {
public:
  BufferSink(const ImageTarget& target, int x0, int y0) : target_(target), x0_(x0), y0_(y0) {}

  bool Begin(int width, int height) override {
    width_ = width;
    // Nothing to do for 8-bit buffers, or when the picture misses the buffer entirely.
    if (!target_.valid() || target_.format.bitsPerPixel == 8) return false;
    long long x = x0_, y = y0_;
    return x < target_.width && x + width > 0 && y < target_.height && y + height > 0;
  }

  void Row(int y, const JpegRowSet& row) override {
    long long ty = static_cast<long long>(y0_) + y;
    if (ty < 0 || ty >= target_.height) return;
    long long first = std::max<long long>(0, -static_cast<long long>(x0_));
    long long last = std::min<long long>(width_, static_cast<long long>(target_.width) - x0_);
    if (first >= last) return;
    JpegRowToNative(row, static_cast<int>(first), static_cast<int>(last - first), target_.format,
                    target_.At(static_cast<int>(x0_ + first), static_cast<int>(ty)));
  }

private:
  ImageTarget target_;
  int x0_;
  int y0_;
  int width_ = 0;
};

}  // namespace

int GfxReadJPEGHeader(const std::uint8_t* data, std::size_t size, GfxJPEGHeader* header) {
  if (header == nullptr) return -2;
  ByteReader in(data, size);
  if (in.read_u8() != 0xFF || in.read_u8() != 0xD8) return -2;
  while (!in.at_end()) {
    if (in.read_u8() != 0xFF) return -2;
    std::uint8_t marker = in.read_u8();
    while (marker == 0xFF && !in.at_end()) marker = in.read_u8();
    if (in.failed()) return -2;
    if (marker >= 0xD0 && marker <= 0xD9) continue;
    std::uint16_t length = in.read_u16be();
    if (in.failed() || length < 2) return -2;
    ByteReader seg = in.sub(length - 2u);
    if (in.failed()) return -2;
    if (marker != 0xC0) continue;

    GfxJPEGHeader h;
    seg.skip(1);  // Precision: GfxShowJPEG judges it.
    h.height = seg.read_u16be();
    h.width = seg.read_u16be();
    h.components = seg.read_u8();
    for (int i = 0; i < h.components && i < 3; ++i) {
      seg.skip(1);
      h.sampling[i] = seg.read_u8();
      seg.skip(1);
    }
    if (seg.failed()) return -2;
    h.marker = 0xFFD8;
    *header = h;
    return 0;
  }
  return -2;
}

int GfxReadJPEGHeader(const char* fileName, GfxJPEGHeader* header) {
  std::vector<std::uint8_t> bytes;
  if (!ReadImageFile(fileName, bytes)) return -1;
  return GfxReadJPEGHeader(bytes.data(), bytes.size(), header);
}

int GfxJPEGBufferSize(const GfxJPEGHeader* header) {
  if (header == nullptr || header->marker != 0xFFD8) return 0;
  int h = header->sampling[0] >> 4;
  int v = header->sampling[0] & 15;
  return static_cast<int>(JpegWorkBytes(header->width, h, v));
}

int GfxSetJPEGBuffer(void* memory, std::size_t size) {
  if (memory == nullptr || size == 0) {
    gWork = gBuiltInBuffer;
    gWorkSize = kGfxJPEGBuiltInBuffer;
  } else {
    gWork = static_cast<std::uint8_t*>(memory);
    gWorkSize = size;
  }
  return 0;
}

int GfxShowJPEG(const std::uint8_t* data, std::size_t size, int flags) {
  int x0 = 0, y0 = 0;
  if (flags & kGfxImageAtCursor) {
    x0 = GfxGetX();
    y0 = GfxGetY();
  }
  BufferSink sink(ActiveImageTarget(), x0, y0);
  JpegDecodeResult r = JpegDecode(data, size, gWork, gWorkSize, sink);
  gLastReason = r.reason;
  return r.code;
}

int GfxShowJPEG(const char* fileName, int flags) {
  std::vector<std::uint8_t> bytes;
  if (!ReadImageFile(fileName, bytes)) {
    gLastReason = "cannot open file";
    return 1;
  }
  return GfxShowJPEG(bytes.data(), bytes.size(), flags);
}

const char* GfxLastJPEGReason() {
  return gLastReason;
}
