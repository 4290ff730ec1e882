// Huffman tables and the entropy-coded bit stream of the baseline JPEG decoder.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "gfx/ByteReader.h"

// Codes up to this many bits are decoded with one table lookup. Ten bits cover nearly every code
// real encoders emit, and most AC codes together with their extra bits, while an AC table of
// 32-bit entries still takes only 4 KiB.
constexpr int kJpegFastBits = 10;

// Fields of a JpegHuffmanTable::fastAc entry.
constexpr std::uint32_t kJpegAcLenMask = 31;  // Bits used: the code, plus its extra bits if whole.
constexpr std::uint32_t kJpegAcWhole = 32;    // The entry holds the coefficient value too.

struct JpegHuffmanTable {
  bool defined = false;
  // (code length << 8) | symbol for every 10-bit prefix that starts with a code of at most 10
  // bits; 0 where the code is longer.
  std::uint16_t fast[1 << kJpegFastBits] = {};
  // Largest code of each length 1..16 (-1 when there is none), and the offset that turns a code
  // of that length into an index of symbols.
  std::int32_t maxcode[17] = {};
  std::int32_t valoffset[17] = {};
  std::uint8_t symbols[256] = {};
  int count = 0;
  // For AC tables, so that most coefficients take one lookup: value << 16 | symbol << 8 |
  // kJpegAcWhole | bits used when a short code and its extra bits both fit in the prefix;
  // symbol << 8 | code length when only the code does (end of block, sixteen zeros, long values);
  // 0 when the code is longer.
  std::uint32_t fastAc[1 << kJpegFastBits] = {};
};

// Builds a table from the 16 code counts and the symbols of a DHT entry. Returns null on success
// or a short reason when the counts do not describe a valid code.
const char* JpegBuildHuffmanTable(const std::uint8_t counts[16], const std::uint8_t* symbols,
                                  bool isDc, JpegHuffmanTable& table);

// Reads the entropy-coded data of a scan. Stuffed 0xFF 0x00 pairs become 0xFF; at a marker (or
// the end of the data) it stops consuming and feeds zero bits, counting them, so a damaged or
// cut-off scan is noticed without ever reading past the end.
//
// The block decoder copies bits() and count() into locals, works on those (keeping them in
// registers through the whole block), and hands them back with Store(): a reader whose state
// lived in memory would be reloaded after every coefficient store.
class JpegBitReader {
public:
  explicit JpegBitReader(ByteReader& in) : in_(in) {
    // All the scan's bytes are read through pos_ and end_, always compared before any load; the
    // cursor is moved past what was used when the reader goes away.
    start_ = pos_ = in.take(0);
    end_ = pos_ + in.remaining();
  }
  JpegBitReader(const JpegBitReader&) = delete;
  JpegBitReader& operator=(const JpegBitReader&) = delete;
  ~JpegBitReader() { in_.skip(static_cast<std::size_t>(pos_ - start_)); }

  std::uint64_t bits() const { return bits_; }  // Left aligned: the next bit is bit 63.
  int count() const { return count_; }
  void Store(std::uint64_t bits, int count) {
    bits_ = bits;
    count_ = count;
  }

  // Tops the buffer up to at least 56 bits. Far from any 0xFF byte and from the end, the next
  // eight bytes are taken in one load and as many whole bytes as fit are kept; the bits of the
  // following byte that also land in the buffer are exactly what the next refill would put
  // there, so leaving them is harmless. Otherwise bytes go one at a time.
  void Refill(std::uint64_t& bits, int& count) {
    if (end_ - pos_ >= 8) {
      std::uint64_t w;
      std::memcpy(&w, pos_, 8);
      if constexpr (std::endian::native == std::endian::little) w = __builtin_bswap64(w);
      // A byte of w is 0xFF exactly when the same byte of ~w is zero.
      constexpr std::uint64_t kOnes = 0x0101010101010101ull;
      if ((((~w) - kOnes) & w & (kOnes << 7)) == 0) {
        int n = (63 - count) >> 3;
        bits |= w >> count;
        pos_ += n;
        count += n * 8;
        return;
      }
    }
    BitState s = RefillBytes(bits, count);
    bits = s.bits;
    count = s.count;
  }

  // Symbol of the next Huffman code, or -1 when the bits match no code of the table. At least
  // 16 bits must be buffered.
  static int DecodeSymbol(const JpegHuffmanTable& t, std::uint64_t& bits, int& count) {
    std::uint16_t e = t.fast[bits >> (64 - kJpegFastBits)];
    if (e != 0) {
      int len = e >> 8;
      bits <<= len;
      count -= len;
      return e & 0xFF;
    }
    return DecodeSlow(t, bits, count);
  }

  // Symbol of a code longer than the fast table covers, having used its bits, or -1 when the
  // bits match no code.
  static int DecodeSlow(const JpegHuffmanTable& t, std::uint64_t& bits, int& count) {
    int e = LongCode(t, bits);
    if (e < 0) return -1;
    bits <<= e >> 8;
    count -= e >> 8;
    return e & 0xFF;
  }

  // The next s bits (1..16, all buffered) as a signed value with the JPEG sign convention
  // (ITU T.81 F.2.2.1).
  static int ReceiveExtend(int s, std::uint64_t& bits, int& count) {
    int v = static_cast<int>(bits >> (64 - s));
    bits <<= s;
    count -= s;
    return v < (1 << (s - 1)) ? v - (1 << s) + 1 : v;
  }

  // True once bits beyond the real data were used.
  bool Overrun() const { return padded_ > count_; }

  // Drops the buffered bits and moves past the next restart marker (ITU T.81 F.2.2.5: the coder
  // is reset at every RSTm). Bytes before it that are not a marker are passed over. Returns false
  // when no restart marker comes next.
  bool Restart();

private:
  // The slow paths take and return the bit buffer by value, so that the block decoder's copy
  // never has its address taken and can stay in registers.
  struct BitState {
    std::uint64_t bits;
    int count;
  };
  BitState RefillBytes(std::uint64_t bits, int count);
  // Length << 8 | symbol of a code longer than the fast table covers, or -1.
  static int LongCode(const JpegHuffmanTable& t, std::uint64_t bits);

  ByteReader& in_;
  const std::uint8_t* start_ = nullptr;
  const std::uint8_t* pos_ = nullptr;
  const std::uint8_t* end_ = nullptr;
  std::uint64_t bits_ = 0;
  int count_ = 0;
  int padded_ = 0;  // Zero bits appended beyond the data, counted up to a small cap.
  bool stopped_ = false;
};
