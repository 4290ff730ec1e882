// Inverse DCT by the Loeffler-Ligtenberg-Moschytz factorisation with 13-bit fixed-point constants,
// columns first with two extra bits of precision kept, then rows. These are the same arithmetic
// steps as the widely used "islow" method, so our pictures match other decoders to the unit.
#include "gfx/image/JpegIdct.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr int kConstBits = 13;

// Eight 32-bit lanes; the compiler maps operations on them to whatever vector unit it has.
typedef std::int32_t Lanes __attribute__((vector_size(32)));
typedef std::int16_t Narrow __attribute__((vector_size(16)));
typedef std::int32_t Quad __attribute__((vector_size(16)));
typedef std::int64_t Pair __attribute__((vector_size(16)));
typedef std::uint8_t Bytes __attribute__((vector_size(8)));

// lo..hi-limited values as 16-bit lanes. (Vectors go by reference: 32-byte vectors passed by
// value would depend on the AVX calling convention.) The limits are written as selects so that
// they become single min and max instructions.
inline Narrow ClampToNarrow(const Lanes& v, int lo, int hi) {
  Lanes low = Lanes{} + lo, high = Lanes{} + hi;
  Lanes w = v < low ? low : v;
  w = w > high ? high : w;
  return __builtin_convertvector(w, Narrow);
}

// Transposes an 8x8 block of 16-bit values held as eight rows: interleave 16-bit, then 32-bit,
// then 64-bit halves.
inline void Transpose(Narrow* a) {
  Narrow t[8];
  for (int i = 0; i < 4; ++i) {
    t[2 * i] = __builtin_shufflevector(a[2 * i], a[2 * i + 1], 0, 8, 1, 9, 2, 10, 3, 11);
    t[2 * i + 1] = __builtin_shufflevector(a[2 * i], a[2 * i + 1], 4, 12, 5, 13, 6, 14, 7, 15);
  }
  Quad u[8];
  const int pairs[4][2] = {{0, 2}, {1, 3}, {4, 6}, {5, 7}};
  for (int i = 0; i < 4; ++i) {
    Quad x = (Quad)t[pairs[i][0]], y = (Quad)t[pairs[i][1]];
    u[2 * i] = __builtin_shufflevector(x, y, 0, 4, 1, 5);
    u[2 * i + 1] = __builtin_shufflevector(x, y, 2, 6, 3, 7);
  }
  // u: 0 = cols 0-1 of rows 0-3, 1 = cols 2-3, 2 = cols 4-5, 3 = cols 6-7; 4..7 the same for
  // rows 4-7.
  for (int i = 0; i < 4; ++i) {
    Pair x = (Pair)u[i], y = (Pair)u[i + 4];
    a[2 * i] = (Narrow)__builtin_shufflevector(x, y, 0, 2);
    a[2 * i + 1] = (Narrow)__builtin_shufflevector(x, y, 1, 3);
  }
}

typedef std::int64_t Quads __attribute__((vector_size(32)));

// v limited to lo..hi in place, keeping 32-bit lanes.
inline void Clamp(Lanes& v, int lo, int hi) {
  Lanes low = Lanes{} + lo, high = Lanes{} + hi;
  v = v < low ? low : v;
  v = v > high ? high : v;
}

// Transposes an 8x8 block of 32-bit values held as eight rows, without narrowing them first:
// interleave 32-bit values and then 64-bit pairs within each 128-bit half, then swap halves.
inline void Transpose(Lanes* a) {
  Lanes t[8];
  for (int i = 0; i < 4; ++i) {
    t[2 * i] = __builtin_shufflevector(a[2 * i], a[2 * i + 1], 0, 8, 1, 9, 4, 12, 5, 13);
    t[2 * i + 1] = __builtin_shufflevector(a[2 * i], a[2 * i + 1], 2, 10, 3, 11, 6, 14, 7, 15);
  }
  // u[0..3]: columns (0|4), (1|5), (2|6), (3|7) of rows 0-3; u[4..7] the same for rows 4-7.
  Quads u[8];
  const int pairs[4][2] = {{0, 2}, {1, 3}, {4, 6}, {5, 7}};
  for (int i = 0; i < 2; ++i) {
    Quads x = (Quads)t[pairs[2 * i][0]], y = (Quads)t[pairs[2 * i][1]];
    Quads z = (Quads)t[pairs[2 * i + 1][0]], w = (Quads)t[pairs[2 * i + 1][1]];
    u[4 * i] = __builtin_shufflevector(x, y, 0, 4, 2, 6);
    u[4 * i + 1] = __builtin_shufflevector(x, y, 1, 5, 3, 7);
    u[4 * i + 2] = __builtin_shufflevector(z, w, 0, 4, 2, 6);
    u[4 * i + 3] = __builtin_shufflevector(z, w, 1, 5, 3, 7);
  }
  for (int i = 0; i < 4; ++i) {
    a[i] = (Lanes)__builtin_shufflevector(u[i], u[i + 4], 0, 1, 4, 5);
    a[i + 4] = (Lanes)__builtin_shufflevector(u[i], u[i + 4], 2, 3, 6, 7);
  }
}

constexpr int kPass1Bits = 2;

// cos-derived constants scaled by 2^13 and rounded.
constexpr std::int32_t k0_298631336 = 2446;
constexpr std::int32_t k0_390180644 = 3196;
constexpr std::int32_t k0_541196100 = 4433;
constexpr std::int32_t k0_765366865 = 6270;
constexpr std::int32_t k0_899976223 = 7373;
constexpr std::int32_t k1_175875602 = 9633;
constexpr std::int32_t k1_501321110 = 12299;
constexpr std::int32_t k1_847759065 = 15137;
constexpr std::int32_t k1_961570560 = 16069;
constexpr std::int32_t k2_053119869 = 16819;
constexpr std::int32_t k2_562915447 = 20995;
constexpr std::int32_t k3_072711026 = 25172;

// One 1-D pass over 8 values d0..d7 (any integer type wide enough); results o0..o7 still scaled
// by 2^13. Even part from d0, d2, d4, d6; odd part from d1, d3, d5, d7.
template <typename T>
inline void Idct1D(const T& d0, const T& d1, const T& d2, const T& d3, const T& d4, const T& d5,
                   const T& d6, const T& d7, T* o) {
  T z1 = (d2 + d6) * k0_541196100;
  T tmp2 = z1 - d6 * k1_847759065;
  T tmp3 = z1 + d2 * k0_765366865;
  T tmp0 = (d0 + d4) * (1 << kConstBits);
  T tmp1 = (d0 - d4) * (1 << kConstBits);
  T tmp10 = tmp0 + tmp3;
  T tmp13 = tmp0 - tmp3;
  T tmp11 = tmp1 + tmp2;
  T tmp12 = tmp1 - tmp2;

  T t0 = d7, t1 = d5, t2 = d3, t3 = d1;
  T y1 = t0 + t3;
  T y2 = t1 + t2;
  T y3 = t0 + t2;
  T y4 = t1 + t3;
  T y5 = (y3 + y4) * k1_175875602;
  t0 *= k0_298631336;
  t1 *= k2_053119869;
  t2 *= k3_072711026;
  t3 *= k1_501321110;
  y1 *= -k0_899976223;
  y2 *= -k2_562915447;
  y3 = y3 * -k1_961570560 + y5;
  y4 = y4 * -k0_390180644 + y5;
  t0 += y1 + y3;
  t1 += y2 + y4;
  t2 += y2 + y3;
  t3 += y1 + y4;

  o[0] = tmp10 + t3;
  o[7] = tmp10 - t3;
  o[1] = tmp11 + t2;
  o[6] = tmp11 - t2;
  o[2] = tmp12 + t1;
  o[5] = tmp12 - t1;
  o[3] = tmp13 + t0;
  o[4] = tmp13 - t0;
}

}  // namespace

std::uint8_t JpegIdctDcValue(int dcDequantised) {
  // The steps of JpegIdctBlock for a block with only a DC term, with the same limits.
  std::int32_t ws = dcDequantised * (1 << kPass1Bits);
  ws = ws < -32768 ? -32768 : ws > 32767 ? 32767 : ws;
  std::int32_t v = ((ws + (1 << (kPass1Bits + 2))) >> (kPass1Bits + 3)) + 128;
  return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

// Built twice: for processors with AVX2, where a vector of eight 32-bit lanes is one register
// and 32-bit multiplies are single instructions, and for any x86-64. (GCC only: clang 14 does
// not resolve such clones across a static library.)
#if defined(__x86_64__) && defined(__ELF__) && !defined(__clang__)
__attribute__((target_clones("avx2", "default")))
#endif
void JpegIdctBlock(const std::int16_t* coef, std::uint8_t* out, int stride) {
  // Columns, all eight at once: lane c of each vector is column c, so every step of the 1-D
  // transform is one vector operation. With 16-bit inputs every intermediate fits 32 bits (the
  // largest gain of any step is below 2^16).
  Narrow in[8];
  std::memcpy(in, coef, sizeof in);
  // Most blocks of real pictures have nothing in the lower half of their coefficients (rows 4-7,
  // the high vertical frequencies) or in the right half (columns 4-7). A half of zeros feeds its
  // pass with constant zeros, which the compiler folds away; the results are the same.
  Narrow lower = in[4] | in[5] | in[6] | in[7];
  Narrow any = in[0] | in[1] | in[2] | in[3] | lower;
  Pair lowerHalves = (Pair)lower, anyHalves = (Pair)any;
  bool lowerZero = (lowerHalves[0] | lowerHalves[1]) == 0;
  bool rightZero = anyHalves[1] == 0;
  Lanes d[8];
  for (int k = 0; k < 8; ++k) d[k] = __builtin_convertvector(in[k], Lanes);
  const Lanes zero = {};
  Lanes o[8];
  if (lowerZero) {
    Idct1D<Lanes>(d[0], d[1], d[2], d[3], zero, zero, zero, zero, o);
  } else {
    Idct1D<Lanes>(d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], o);
  }
  // Column results are kept within 16 bits, which real pictures never come near, so that the
  // row pass also fits 32 bits for any input.
  constexpr int kShift1 = kConstBits - kPass1Bits;
  for (int r = 0; r < 8; ++r) {
    d[r] = (o[r] + (1 << (kShift1 - 1))) >> kShift1;
    Clamp(d[r], -32768, 32767);
  }

  // Rows: turned into lanes by a transpose, then the same vector steps.
  Transpose(d);
  // Zero coefficient columns 4-7 give zero columns 4-7 after the first pass.
  if (rightZero) {
    Idct1D<Lanes>(d[0], d[1], d[2], d[3], zero, zero, zero, zero, o);
  } else {
    Idct1D<Lanes>(d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7], o);
  }
  constexpr int kShift2 = kConstBits + kPass1Bits + 3;
  Narrow px[8];
  for (int x = 0; x < 8; ++x) {
    Lanes v = ((o[x] + (1 << (kShift2 - 1))) >> kShift2) + 128;
    px[x] = ClampToNarrow(v, 0, 255);
  }
  Transpose(px);
  for (int r = 0; r < 8; ++r) {
    Bytes b = __builtin_convertvector(px[r], Bytes);
    std::memcpy(out + r * stride, &b, sizeof b);
  }
}
