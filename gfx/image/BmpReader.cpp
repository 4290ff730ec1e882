// Reads BMP files: the file header, the core (12-byte) or longer info header, the colour table
// and the bottom-up, 4-byte-padded pixel rows.
#include "gfx/image/BmpReader.h"

#include <algorithm>
#include <vector>

#include "gfx/ByteReader.h"
#include "gfx/Gfx.h"
#include "gfx/image/ImageTarget.h"

namespace {

// Larger pictures cannot be shown by any buffer; refusing them keeps every size computation
// far inside 64 bits.
constexpr long long kMaxBmpSide = 1 << 16;

struct BmpInfo {
  long long width = 0;
  long long height = 0;
  bool topDown = false;
  int bitsPerPixel = 0;
  std::uint32_t compression = 0;
  std::uint32_t pixelOffset = 0;
  std::uint64_t tableOffset = 0;
  int tableEntryBytes = 4;
};

// Colour index of column x in a row of 1-, 4- or 8-bit pixels.
inline int IndexAt(const std::uint8_t* row, int bitsPerPixel, long long x) {
  switch (bitsPerPixel) {
    case 1:
      return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
      return (x & 1) ? row[x >> 1] & 15 : row[x >> 1] >> 4;
    default:
      return row[x];
  }
}

// Reads the file and info headers; the result says which check failed first, and why.
int ReadHeaders(const std::uint8_t* data, std::size_t size, BmpInfo& info, const char** why) {
  ByteReader in(data, size);
  std::uint8_t b0 = in.read_u8();
  std::uint8_t b1 = in.read_u8();
  if (b0 != 'B' || b1 != 'M') {
    *why = "no BM signature";
    return kBmpNotBmp;
  }
  in.skip(8);  // File size and reserved words: not trusted.
  info.pixelOffset = in.read_u32le();
  std::uint32_t headerSize = in.read_u32le();
  if (headerSize == 12) {
    // OS/2 core header: 16-bit sizes, 3-byte colour-table entries.
    info.width = in.read_u16le();
    info.height = in.read_u16le();
    in.skip(2);  // Planes.
    info.bitsPerPixel = in.read_u16le();
    info.tableEntryBytes = 3;
  } else {
    info.width = in.read_i32le();
    info.height = in.read_i32le();
    in.skip(2);
    info.bitsPerPixel = in.read_u16le();
    info.compression = in.read_u32le();
  }
  if (in.failed()) {
    *why = "truncated header";
    return kBmpCannotRead;
  }
  info.tableOffset = 14u + static_cast<std::uint64_t>(headerSize);
  // A negative height marks rows stored top-down.
  if (info.height < 0) {
    info.height = -info.height;
    info.topDown = true;
  }
  return kBmpOk;
}

}  // namespace

bool GfxBMPSize(const std::uint8_t* data, std::size_t size, int* width, int* height) {
  BmpInfo info;
  const char* why = "";
  if (ReadHeaders(data, size, info, &why) != kBmpOk || info.width <= 0 ||
      info.width > kMaxBmpSide || info.height <= 0 || info.height > kMaxBmpSide) {
    return false;
  }
  if (width) *width = static_cast<int>(info.width);
  if (height) *height = static_cast<int>(info.height);
  return true;
}

int GfxShowBMP(const std::uint8_t* data, std::size_t size, int flags) {
  BmpInfo info;
  const char* why = "";
  if (int r = ReadHeaders(data, size, info, &why); r != kBmpOk) return GfxImageResult(r, why);
  if (info.compression != 0) return GfxImageResult(kBmpCompressed, "compressed pixels");
  ImageTarget target = ActiveImageTarget();
  const bool indexedTarget = target.valid() && target.format.bitsPerPixel == 8;
  switch (info.bitsPerPixel) {
    case 1:
    case 4:
    case 8:
      break;
    case 24:
      if (indexedTarget) return GfxImageResult(kBmpBadDepth, "24-bit picture for an 8-bit buffer");
      break;
    default:
      return GfxImageResult(kBmpBadDepth, "unsupported bit count");
  }

  if (info.width <= 0 || info.height <= 0 || info.width > kMaxBmpSide ||
      info.height > kMaxBmpSide) {
    return GfxImageResult(kBmpCannotRead, "bad picture size");
  }
  if (!target.valid()) return GfxImageResult(kBmpOk, "no buffer to draw into");

  // The colour table lies between the info header and the pixels, converted once.
  Color table[256] = {};
  if (info.bitsPerPixel != 24 && info.pixelOffset > info.tableOffset) {
    std::uint64_t bytes = info.pixelOffset - info.tableOffset;
    int entries = static_cast<int>(std::min<std::uint64_t>(256, bytes / info.tableEntryBytes));
    ByteReader colours(data, size);
    colours.seek(static_cast<std::size_t>(std::min<std::uint64_t>(info.tableOffset, size)));
    for (int i = 0; i < entries; ++i) {
      int blue = colours.read_u8();
      int green = colours.read_u8();
      int red = colours.read_u8();
      if (info.tableEntryBytes == 4) colours.skip(1);
      if (colours.failed()) break;
      table[i] = indexedTarget ? static_cast<Color>(i) : target.Pack(red, green, blue);
    }
  }
  if (indexedTarget) {
    for (int i = 0; i < 256; ++i) table[i] = static_cast<Color>(i);
  }

  long long x0 = 0, y0 = 0;
  if (flags & kGfxImageAtCursor) {
    x0 = GfxGetX();
    y0 = GfxGetY();
  }
  // Visible columns; everything at or beyond the buffer's width (or left of it) is dropped.
  const long long first = std::max(0LL, -x0);
  const long long last = std::min(info.width, target.width - x0);
  const std::uint64_t rowBytes =
      (static_cast<std::uint64_t>(info.width) * info.bitsPerPixel + 31) / 32 * 4;
  const int bpp = target.BytesPerPixel();

  ByteReader pixels(data, size);
  for (long long i = 0; i < info.height; ++i) {
    long long ty = info.topDown ? y0 + i : y0 + info.height - 1 - i;
    std::uint64_t at = info.pixelOffset + static_cast<std::uint64_t>(i) * rowBytes;
    if (at + rowBytes > size) {
      return GfxImageResult(kBmpCannotRead, "pixel rows cut short");  // Rows drawn so far stay.
    }
    if (ty < 0 || ty >= target.height || first >= last) continue;
    pixels.seek(static_cast<std::size_t>(at));
    const std::uint8_t* row = pixels.take(static_cast<std::size_t>(rowBytes));
    if (row == nullptr) return GfxImageResult(kBmpCannotRead, "pixel rows cut short");
    std::uint8_t* out = target.At(static_cast<int>(x0 + first), static_cast<int>(ty));
    if (info.bitsPerPixel == 24) {
      for (long long x = first; x < last; ++x, out += bpp) {
        const std::uint8_t* p = row + 3 * x;
        GfxStorePixel(out, bpp, target.Pack(p[2], p[1], p[0]));
      }
    } else {
      for (long long x = first; x < last; ++x, out += bpp) {
        GfxStorePixel(out, bpp, table[IndexAt(row, info.bitsPerPixel, x)]);
      }
    }
  }
  return GfxImageResult(kBmpOk, "done");
}

int GfxShowBMP(const char* fileName, int flags) {
  std::vector<std::uint8_t> bytes;
  if (FileBytesStatus s = ReadImageFile(fileName, bytes); s != FileBytesStatus::kOk) {
    return GfxImageResult(kBmpCannotRead, FileBytesReason(s));
  }
  return GfxShowBMP(bytes.data(), bytes.size(), flags);
}
