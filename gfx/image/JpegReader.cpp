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
  if (header == nullptr) return GfxImageResult(kJpegHeaderBad, "no header record");
  ByteReader in(data, size);
  if (in.read_u8() != 0xFF || in.read_u8() != 0xD8) {
    return GfxImageResult(kJpegHeaderBad, "no SOI marker");
  }
  while (!in.at_end()) {
    if (in.read_u8() != 0xFF)
      return GfxImageResult(kJpegHeaderBad, "marker not introduced by 0xFF");
    std::uint8_t marker = in.read_u8();
    while (marker == 0xFF && !in.at_end()) marker = in.read_u8();
    if (in.failed()) return GfxImageResult(kJpegHeaderBad, "truncated marker");
    // Stand-alone markers carry no length; TEM (0x01) is one too, as the decoder treats it, so
    // both walk a file the same way and find the same frame header.
    if ((marker >= 0xD0 && marker <= 0xD9) || marker == 0x01) continue;
    std::uint16_t length = in.read_u16be();
    if (in.failed() || length < 2) return GfxImageResult(kJpegHeaderBad, "bad segment length");
    ByteReader seg = in.sub(length - 2u);
    if (in.failed()) return GfxImageResult(kJpegHeaderBad, "truncated segment");
    if (marker != 0xC0) continue;

    GfxJPEGHeader h;
    seg.skip(1);  // Precision: GfxShowJPEG judges it.
    h.height = seg.read_u16be();
    h.width = seg.read_u16be();
    h.components = seg.read_u8();
    int ids[3] = {};
    std::uint8_t sampling[3] = {};
    const int listed = std::min<int>(h.components, 3);
    for (int i = 0; i < listed; ++i) {
      ids[i] = seg.read_u8();
      sampling[i] = seg.read_u8();
      seg.skip(1);
    }
    if (seg.failed()) return GfxImageResult(kJpegHeaderBad, "bad SOF length");
    // The record keeps the sampling byte of component id at 7 + (id - 1). Files that name their
    // components otherwise (cjpeg -rgb writes 'R', 'G', 'B') get the slots left over, in frame
    // order, so that GfxJPEGBufferSize still sees every component.
    bool taken[3] = {};
    bool placed[3] = {};
    for (int i = 0; i < listed; ++i) {
      if (ids[i] >= 1 && ids[i] <= 3 && !taken[ids[i] - 1]) {
        h.sampling[ids[i] - 1] = sampling[i];
        taken[ids[i] - 1] = placed[i] = true;
      }
    }
    for (int i = 0, slot = 0; i < listed; ++i) {
      if (placed[i]) continue;
      while (taken[slot]) ++slot;
      h.sampling[slot] = sampling[i];
      taken[slot] = true;
    }
    h.marker = 0xFFD8;
    *header = h;
    return GfxImageResult(kJpegHeaderOk, "done");
  }
  return GfxImageResult(kJpegHeaderBad, "no baseline frame header");
}

int GfxReadJPEGHeader(const char* fileName, GfxJPEGHeader* header) {
  std::vector<std::uint8_t> bytes;
  if (FileBytesStatus s = ReadImageFile(fileName, bytes); s != FileBytesStatus::kOk) {
    return GfxImageResult(kJpegHeaderCannotOpen, FileBytesReason(s));
  }
  return GfxReadJPEGHeader(bytes.data(), bytes.size(), header);
}

int GfxJPEGBufferSize(const GfxJPEGHeader* header) {
  if (header == nullptr || header->marker != 0xFFD8 || header->width == 0) return 0;
  if (header->components != 1 && header->components != 3) return 0;
  // The decoder's MCU is set by the largest factors of any component, not the first one's, and
  // baseline factors are 1..4 (ITU T.81 B.2.2): anything else is refused here, before the game
  // allocates for it.
  int hmax = 0, vmax = 0, filled = 0;
  for (std::uint8_t sampling : header->sampling) {
    if (sampling == 0) continue;  // No component has this id.
    int h = sampling >> 4;
    int v = sampling & 15;
    if (h < 1 || h > 4 || v < 1 || v > 4) return 0;
    hmax = std::max(hmax, h);
    vmax = std::max(vmax, v);
    ++filled;
  }
  if (filled != header->components) return 0;
  return static_cast<int>(JpegWorkBytes(header->width, hmax, vmax));
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
  return GfxImageResult(r.code, r.reason);
}

int GfxShowJPEG(const char* fileName, int flags) {
  std::vector<std::uint8_t> bytes;
  if (FileBytesStatus s = ReadImageFile(fileName, bytes); s != FileBytesStatus::kOk) {
    return GfxImageResult(kJpegCannotOpen, FileBytesReason(s));
  }
  return GfxShowJPEG(bytes.data(), bytes.size(), flags);
}
