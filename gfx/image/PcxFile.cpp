// ZSoft-style PCX for the save-under: a 128-byte header, then each scan line as one run-length
// encoded line per byte of the native pixel, so any buffer depth comes back bit for bit.
#include "gfx/image/PcxFile.h"

#include <algorithm>

#include "gfx/ByteReader.h"
#include "gfx/Gfx.h"
#include "gfx/image/ImageTarget.h"

namespace {

constexpr int kHeaderBytes = 128;
// Our own fields in the header's filler: a tag, then the buffer depth and its 16-bit layout, so
// a file is only ever shown into a buffer of the same pixel format.
constexpr int kTagOffset = 74;
constexpr int kMaxRun = 63;  // A run byte is 0xC0 | count, count 1..63.

void PutU16(std::vector<std::uint8_t>& out, std::size_t at, int v) {
  out[at] = static_cast<std::uint8_t>(v & 0xFF);
  out[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}

void EncodeLine(const std::uint8_t* line, int count, std::vector<std::uint8_t>& out) {
  int i = 0;
  while (i < count) {
    std::uint8_t v = line[i];
    int run = 1;
    while (i + run < count && run < kMaxRun && line[i + run] == v) ++run;
    // Bytes with both top bits set would read as a run count, so they always go as a run.
    if (run > 1 || v >= 0xC0) out.push_back(static_cast<std::uint8_t>(0xC0 | run));
    out.push_back(v);
    i += run;
  }
}

}  // namespace

std::vector<std::uint8_t> GfxEncodePCX(int minx, int maxx, int miny, int maxy) {
  std::vector<std::uint8_t> out;
  ImageTarget target = ActiveImageTarget();
  if (!target.valid()) return out;
  minx = std::max(minx, 0);
  miny = std::max(miny, 0);
  maxx = std::min(maxx, target.width - 1);
  maxy = std::min(maxy, target.height - 1);
  // The header holds 16-bit coordinates.
  if (minx > maxx || miny > maxy || maxx > 0xFFFF || maxy > 0xFFFF) return out;

  const int width = maxx - minx + 1;
  const int planes = target.BytesPerPixel();
  const int bytesPerLine = (width + 1) & ~1;  // ZSoft lines have an even length.

  out.assign(kHeaderBytes, 0);
  out[0] = 0x0A;  // Manufacturer.
  out[1] = 5;     // Version.
  out[2] = 1;     // Run-length encoding.
  out[3] = 8;     // Bits per pixel of each plane.
  PutU16(out, 4, minx);
  PutU16(out, 6, miny);
  PutU16(out, 8, maxx);
  PutU16(out, 10, maxy);
  out[65] = static_cast<std::uint8_t>(planes);
  PutU16(out, 66, bytesPerLine);
  PutU16(out, 68, 1);
  out[kTagOffset] = 'Q';
  out[kTagOffset + 1] = 'S';
  out[kTagOffset + 2] = static_cast<std::uint8_t>(target.format.bitsPerPixel);
  out[kTagOffset + 3] = target.format.is565 ? 1 : 0;

  std::vector<std::uint8_t> line(static_cast<std::size_t>(bytesPerLine), 0);
  for (int y = miny; y <= maxy; ++y) {
    const std::uint8_t* row = target.At(minx, y);
    for (int p = 0; p < planes; ++p) {
      for (int x = 0; x < width; ++x) line[x] = row[x * planes + p];
      EncodeLine(line.data(), bytesPerLine, out);
    }
  }
  return out;
}

int GfxSavePCX(int minx, int maxx, int miny, int maxy, const char* fileName) {
  std::vector<std::uint8_t> bytes = GfxEncodePCX(minx, maxx, miny, maxy);
  if (bytes.empty()) return GfxImageResult(kPcxCannotOpen, "nothing to save");
  if (!WriteFileBytes(fileName, bytes.data(), bytes.size())) {
    return GfxImageResult(kPcxCannotOpen, "cannot write file");
  }
  return GfxImageResult(kPcxOk, "done");
}

int GfxShowPCX(const std::uint8_t* data, std::size_t size, int flags) {
  ImageTarget target = ActiveImageTarget();
  ByteReader in(data, size);
  ByteReader header = in.sub(kHeaderBytes);
  if (in.failed()) return GfxImageResult(kPcxNotOurs, "truncated header");
  int manufacturer = header.read_u8();
  header.skip(1);
  int encoding = header.read_u8();
  int bitsPerPlane = header.read_u8();
  int minx = header.read_u16le();
  int miny = header.read_u16le();
  int maxx = header.read_u16le();
  int maxy = header.read_u16le();
  header.seek(65);
  int planes = header.read_u8();
  int bytesPerLine = header.read_u16le();
  header.seek(kTagOffset);
  int tag0 = header.read_u8();
  int tag1 = header.read_u8();
  int depth = header.read_u8();
  int is565 = header.read_u8();
  if (header.failed() || manufacturer != 0x0A || encoding != 1 || bitsPerPlane != 8 ||
      tag0 != 'Q' || tag1 != 'S' || maxx < minx || maxy < miny) {
    return GfxImageResult(kPcxNotOurs, "not a save-under file");
  }
  const int width = maxx - minx + 1;
  const int height = maxy - miny + 1;
  if (bytesPerLine < width || bytesPerLine > width + 1) {
    return GfxImageResult(kPcxNotOurs, "bad line length");
  }
  if (!target.valid()) return GfxImageResult(kPcxOk, "no buffer to draw into");
  if (depth != target.format.bitsPerPixel || planes != target.BytesPerPixel() ||
      (depth == 16 && (is565 != 0) != target.format.is565)) {
    return GfxImageResult(kPcxNotOurs, "saved at another pixel format");
  }

  long long x0 = minx, y0 = miny;
  if (flags & kGfxImageAtCursor) {
    x0 = GfxGetX();
    y0 = GfxGetY();
  }
  const long long first = std::max(0LL, -x0);
  const long long last = std::min<long long>(width, target.width - x0);

  // One scan line holds every plane; a run may carry over into the next line.
  const std::size_t lineBytes = static_cast<std::size_t>(bytesPerLine) * planes;
  std::vector<std::uint8_t> line(lineBytes);
  int runLeft = 0;
  std::uint8_t runValue = 0;
  for (int y = 0; y < height; ++y) {
    std::size_t i = 0;
    while (i < lineBytes) {
      if (runLeft == 0) {
        std::uint8_t b = in.read_u8();
        if ((b & 0xC0) == 0xC0) {
          runLeft = b & 0x3F;
          runValue = in.read_u8();
        } else {
          runLeft = 1;
          runValue = b;
        }
        if (in.failed()) return GfxImageResult(kPcxDamaged, "pixel data cut short");
        continue;  // A zero-length run carries no pixel; the loop reads the next one.
      }
      line[i++] = runValue;
      --runLeft;
    }
    long long ty = y0 + y;
    if (ty < 0 || ty >= target.height || first >= last) continue;
    std::uint8_t* out = target.At(static_cast<int>(x0 + first), static_cast<int>(ty));
    for (long long x = first; x < last; ++x) {
      for (int p = 0; p < planes; ++p) *out++ = line[p * bytesPerLine + x];
    }
  }
  return GfxImageResult(kPcxOk, "done");
}

int GfxShowPCX(const char* fileName, int flags) {
  std::vector<std::uint8_t> bytes;
  if (FileBytesStatus s = ReadImageFile(fileName, bytes); s != FileBytesStatus::kOk) {
    return GfxImageResult(kPcxCannotOpen, FileBytesReason(s));
  }
  return GfxShowPCX(bytes.data(), bytes.size(), flags);
}
