// Colour conversion of decoded JPEG rows, specialised per chroma layout and pixel format so the
// inner loop is a few table lookups and a store.
#include "gfx/image/JpegColor.h"

#include <cstring>
#include <type_traits>

namespace {

// JFIF YCbCr to RGB in 16-bit fixed point: R = Y + 1.402 (Cr-128), B = Y + 1.772 (Cb-128),
// G = Y - 0.34414 (Cb-128) - 0.71414 (Cr-128). The green terms are summed before rounding, which
// keeps every channel within one unit of the exact formula.
struct YccTables {
  int crR[256];
  int cbB[256];
  int crG[256];
  int cbG[256];
  std::uint8_t clamp[1024];  // Index v + 384 gives v clamped to 0..255.

  YccTables() {
    constexpr int kBits = 16;
    constexpr int kHalf = 1 << (kBits - 1);
    auto fix = [](double x) { return static_cast<int>(x * (1 << kBits) + 0.5); };
    for (int i = 0; i < 256; ++i) {
      int x = i - 128;
      crR[i] = (fix(1.40200) * x + kHalf) >> kBits;
      cbB[i] = (fix(1.77200) * x + kHalf) >> kBits;
      crG[i] = -fix(0.71414) * x;
      cbG[i] = -fix(0.34414) * x + kHalf;
    }
    for (int i = 0; i < 1024; ++i) {
      int v = i - 384;
      clamp[i] = static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
    }
  }
};

const YccTables& Tables() {
  static const YccTables tables;
  return tables;
}

// The same conversion by arithmetic instead of tables, eight chroma samples at a time, for rows
// bound for 32-bit buffers: the lookups cannot be done in vector registers, the products can.
// The constants are the tables' fix() values, so every pixel is the same as theirs.
constexpr std::int32_t kCrR = 91881;   // fix(1.40200)
constexpr std::int32_t kCbB = 116130;  // fix(1.77200)
constexpr std::int32_t kCrG = 46802;   // fix(0.71414)
constexpr std::int32_t kCbG = 22554;   // fix(0.34414)
constexpr std::int32_t kHalf = 1 << 15;

typedef std::int32_t Lanes __attribute__((vector_size(32)));
typedef std::uint8_t Bytes8 __attribute__((vector_size(8)));

// (Vectors go by reference, never by value or as results: 32-byte vectors crossing a call
// would depend on the AVX calling convention.)
inline void Load8(const std::uint8_t* p, Lanes& v) {
  Bytes8 b;
  std::memcpy(&b, p, sizeof b);
  v = __builtin_convertvector(b, Lanes);
}

inline void Clamp255(Lanes& v) {
  Lanes zero = Lanes{}, top = Lanes{} + 255;
  v = v < zero ? zero : v;
  v = v > top ? top : v;
}

// Eight pixels from their luminance and per-pixel chroma terms.
inline void Pack8(const std::uint8_t* luma, const Lanes& dr, const Lanes& dg, const Lanes& db,
                  std::uint8_t* out) {
  Lanes y;
  Load8(luma, y);
  Lanes r = y + dr, g = y + dg, b = y + db;
  Clamp255(r);
  Clamp255(g);
  Clamp255(b);
  Lanes px = (r << 16) | (g << 8) | b;
  std::memcpy(out, &px, sizeof px);
}

// The three chroma terms of eight pixels.
inline void ChromaTerms(const std::uint8_t* cb, const std::uint8_t* cr, Lanes& dr, Lanes& dg,
                        Lanes& db) {
  Lanes b, r;
  Load8(cb, b);
  Load8(cr, r);
  b -= 128;
  r -= 128;
  dr = (r * kCrR + kHalf) >> 16;
  db = (b * kCbB + kHalf) >> 16;
  dg = (b * -kCbG + r * -kCrG + kHalf) >> 16;
}

// Pixels [0, 16 * groups) of a row whose chroma has half the luminance width (4:2:0, 4:2:2),
// starting at an even pixel. Built for AVX2 too, like the inverse DCT.
#if defined(__x86_64__) && defined(__ELF__) && !defined(__clang__)
__attribute__((target_clones("avx2", "default")))
#endif
void PairsTo32(const std::uint8_t* y, const std::uint8_t* cb, const std::uint8_t* cr, int groups,
               std::uint8_t* out) {
  for (int g = 0; g < groups; ++g) {
    Lanes dr, dg, db;
    ChromaTerms(cb + 8 * g, cr + 8 * g, dr, dg, db);
    // Each chroma term serves two neighbouring pixels.
    Lanes drLo = __builtin_shufflevector(dr, dr, 0, 0, 1, 1, 2, 2, 3, 3);
    Lanes drHi = __builtin_shufflevector(dr, dr, 4, 4, 5, 5, 6, 6, 7, 7);
    Lanes dgLo = __builtin_shufflevector(dg, dg, 0, 0, 1, 1, 2, 2, 3, 3);
    Lanes dgHi = __builtin_shufflevector(dg, dg, 4, 4, 5, 5, 6, 6, 7, 7);
    Lanes dbLo = __builtin_shufflevector(db, db, 0, 0, 1, 1, 2, 2, 3, 3);
    Lanes dbHi = __builtin_shufflevector(db, db, 4, 4, 5, 5, 6, 6, 7, 7);
    Pack8(y + 16 * g, drLo, dgLo, dbLo, out + 64 * g);
    Pack8(y + 16 * g + 8, drHi, dgHi, dbHi, out + 64 * g + 32);
  }
}

// Pixels [0, 8 * groups) of a row with full-width chroma (4:4:4).
#if defined(__x86_64__) && defined(__ELF__) && !defined(__clang__)
__attribute__((target_clones("avx2", "default")))
#endif
void FullTo32(const std::uint8_t* y, const std::uint8_t* cb, const std::uint8_t* cr, int groups,
              std::uint8_t* out) {
  for (int g = 0; g < groups; ++g) {
    Lanes dr, dg, db;
    ChromaTerms(cb + 8 * g, cr + 8 * g, dr, dg, db);
    Pack8(y + 8 * g, dr, dg, db, out + 32 * g);
  }
}

struct StoreRGB {
  std::uint8_t* p;
  void operator()(int i, int r, int g, int b) const {
    p[3 * i] = static_cast<std::uint8_t>(r);
    p[3 * i + 1] = static_cast<std::uint8_t>(g);
    p[3 * i + 2] = static_cast<std::uint8_t>(b);
  }
};

struct Store32 {
  std::uint8_t* p;
  void operator()(int i, int r, int g, int b) const {
    std::uint32_t v = static_cast<std::uint32_t>((r << 16) | (g << 8) | b);
    std::memcpy(p + 4 * i, &v, 4);
  }
};

struct Store24 {
  std::uint8_t* p;
  void operator()(int i, int r, int g, int b) const {
    p[3 * i] = static_cast<std::uint8_t>(b);
    p[3 * i + 1] = static_cast<std::uint8_t>(g);
    p[3 * i + 2] = static_cast<std::uint8_t>(r);
  }
};

template <bool k565>
struct Store16 {
  std::uint8_t* p;
  void operator()(int i, int r, int g, int b) const {
    std::uint16_t v =
        k565 ? static_cast<std::uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3))
             : static_cast<std::uint16_t>(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
    std::memcpy(p + 2 * i, &v, 2);
  }
};

template <int S0, int S1, int S2, typename Store>
void ConvertYcc(const JpegRowSet& row, int first, int count, Store store) {
  const YccTables& t = Tables();
  const std::uint8_t* y = row.rows[0];
  const std::uint8_t* cb = row.rows[1];
  const std::uint8_t* cr = row.rows[2];
  const std::uint8_t* clamp = t.clamp + 384;
  int i = 0;
  if constexpr (S0 == 0 && S1 == 0 && S2 == 0 && std::is_same_v<Store, Store32>) {
    int groups = count / 8;
    FullTo32(y + first, cb + first, cr + first, groups, store.p);
    i = 8 * groups;
  }
  for (; i < count; ++i) {
    int x = first + i;
    int yy = y[x >> S0];
    int b = cb[x >> S1];
    int r = cr[x >> S2];
    store(i, clamp[yy + t.crR[r]], clamp[yy + ((t.cbG[b] + t.crG[r]) >> 16)], clamp[yy + t.cbB[b]]);
  }
}

// Chroma at half the luminance width (4:2:0, 4:2:2): the chroma terms are looked up once for
// each pair of pixels that share them.
template <typename Store>
void ConvertYccPairs(const JpegRowSet& row, int first, int count, Store store) {
  const YccTables& t = Tables();
  const std::uint8_t* y = row.rows[0];
  const std::uint8_t* cb = row.rows[1];
  const std::uint8_t* cr = row.rows[2];
  const std::uint8_t* clamp = t.clamp + 384;
  auto one = [&](int i, int x) {
    int yy = y[x], b = cb[x >> 1], r = cr[x >> 1];
    store(i, clamp[yy + t.crR[r]], clamp[yy + ((t.cbG[b] + t.crG[r]) >> 16)], clamp[yy + t.cbB[b]]);
  };
  int i = 0;
  if (first & 1) one(i++, first);
  if constexpr (std::is_same_v<Store, Store32>) {
    int groups = (count - i) / 16;
    int x = first + i;  // Even.
    PairsTo32(y + x, cb + x / 2, cr + x / 2, groups, store.p + 4 * i);
    i += 16 * groups;
  }
  for (; i + 1 < count; i += 2) {
    int x = first + i;
    int b = cb[x >> 1], r = cr[x >> 1];
    int dr = t.crR[r], dg = (t.cbG[b] + t.crG[r]) >> 16, db = t.cbB[b];
    int y0 = y[x], y1 = y[x + 1];
    store(i, clamp[y0 + dr], clamp[y0 + dg], clamp[y0 + db]);
    store(i + 1, clamp[y1 + dr], clamp[y1 + dg], clamp[y1 + db]);
  }
  if (i < count) one(i, first + i);
}

template <typename Store>
void ConvertOther(const JpegRowSet& row, int first, int count, Store store) {
  if (row.components == 1) {
    const std::uint8_t* y = row.rows[0];
    for (int i = 0; i < count; ++i) {
      int v = y[(first + i) >> row.xShift[0]];
      store(i, v, v, v);
    }
    return;
  }
  for (int i = 0; i < count; ++i) {
    int x = first + i;
    store(i, row.rows[0][x >> row.xShift[0]], row.rows[1][x >> row.xShift[1]],
          row.rows[2][x >> row.xShift[2]]);
  }
}

template <typename Store>
void Convert(const JpegRowSet& row, int first, int count, Store store) {
  if (count <= 0) return;
  if (row.components != 3 || !row.ycc) {
    ConvertOther(row, first, count, store);
    return;
  }
  switch ((row.xShift[0] << 2) | (row.xShift[1] << 1) | row.xShift[2]) {
    case 0:
      return ConvertYcc<0, 0, 0>(row, first, count, store);
    case 1:
      return ConvertYcc<0, 0, 1>(row, first, count, store);
    case 2:
      return ConvertYcc<0, 1, 0>(row, first, count, store);
    case 3:
      return ConvertYccPairs(row, first, count, store);
    case 4:
      return ConvertYcc<1, 0, 0>(row, first, count, store);
    case 5:
      return ConvertYcc<1, 0, 1>(row, first, count, store);
    case 6:
      return ConvertYcc<1, 1, 0>(row, first, count, store);
    default:
      return ConvertYcc<1, 1, 1>(row, first, count, store);
  }
}

}  // namespace

void JpegRowToRGB(const JpegRowSet& row, int first, int count, std::uint8_t* rgb) {
  Convert(row, first, count, StoreRGB{rgb});
}

void JpegRowToNative(const JpegRowSet& row, int first, int count, const GfxPixelFormat& format,
                     std::uint8_t* dst) {
  switch (format.bitsPerPixel) {
    case 32:
      return Convert(row, first, count, Store32{dst});
    case 24:
      return Convert(row, first, count, Store24{dst});
    case 16:
      if (format.is565) return Convert(row, first, count, Store16<true>{dst});
      return Convert(row, first, count, Store16<false>{dst});
    default:
      return;  // 8-bit buffers get no JPEG pixels.
  }
}
