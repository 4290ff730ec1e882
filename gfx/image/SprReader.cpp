// Reads SPR sprites: runs of colour-table entries laid out in rows that go up from the cursor.
#include "gfx/image/SprReader.h"

#include <vector>

#include "gfx/ByteReader.h"
#include "gfx/Gfx.h"
#include "gfx/image/ImageTarget.h"

int GfxShowSPR(const std::uint8_t* data, std::size_t size, int width) {
  ImageTarget target = ActiveImageTarget();
  if (!target.valid()) return GfxImageResult(kSprOk, "no buffer to draw into");
  if (width <= 0) return GfxImageResult(kSprOk, "no width");
  const long long x0 = GfxGetX();
  long long y = GfxGetY();
  long long column = 0;
  ByteReader in(data, size);
  // A last odd byte is not a run and is ignored.
  while (in.remaining() >= 2) {
    int index = in.read_u8();
    int length = in.read_u8();
    Color colour = GfxPaletteColor(index);
    while (length > 0) {
      // Rows climb from the cursor; once above the buffer nothing more can be seen.
      if (y < 0) return GfxImageResult(kSprOk, "done");
      long long n = width - column < length ? width - column : length;
      if (y < target.height) {
        for (long long i = 0; i < n; ++i) {
          long long x = x0 + column + i;
          if (x >= 0 && x < target.width)
            target.Put(static_cast<int>(x), static_cast<int>(y), colour);
        }
      }
      column += n;
      length -= static_cast<int>(n);
      if (column == width) {
        column = 0;
        --y;
      }
    }
  }
  return GfxImageResult(kSprOk, "done");
}

int GfxShowSPR(const char* fileName, int width) {
  std::vector<std::uint8_t> bytes;
  if (FileBytesStatus s = ReadImageFile(fileName, bytes); s != FileBytesStatus::kOk) {
    return GfxImageResult(kSprCannotOpen, FileBytesReason(s));
  }
  return GfxShowSPR(bytes.data(), bytes.size(), width);
}
