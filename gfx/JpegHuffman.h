// Huffman tables and the entropy-coded bit stream of the baseline JPEG decoder.
#pragma once

#include <cstdint>

#include "gfx/ByteReader.h"

// Codes up to this many bits are decoded with one table lookup.
constexpr int kJpegFastBits = 9;

struct JpegHuffmanTable {
  bool defined = false;
  // (code length << 8) | symbol for every 9-bit prefix that starts with a code of at most 9
  // bits; 0 where the code is longer.
  std::uint16_t fast[1 << kJpegFastBits] = {};
  // Largest code of each length 1..16 (-1 when there is none), and the offset that turns a code
  // of that length into an index of symbols.
  std::int32_t maxcode[17] = {};
  std::int32_t valoffset[17] = {};
  std::uint8_t symbols[256] = {};
  int count = 0;
  // For AC tables: a 9-bit prefix holding a whole short code AND its extra bits decodes in one
  // step: value << 8 | run << 4 | bits used; 0 when the pair does not fit in 9 bits.
  std::int32_t fastAc[1 << kJpegFastBits] = {};
};

// Builds a table from the 16 code counts and the symbols of a DHT entry. Returns null on success
// or a short reason when the counts do not describe a valid code.
const char* JpegBuildHuffmanTable(const std::uint8_t counts[16], const std::uint8_t* symbols,
                                  bool isDc, JpegHuffmanTable& table);

// Reads the entropy-coded data of a scan. Stuffed 0xFF 0x00 pairs become 0xFF; at a marker (or
// the end of the data) it stops consuming and feeds zero bits, counting them, so a damaged or
// cut-off scan is noticed without ever reading past the end.
class JpegBitReader {
public:
  explicit JpegBitReader(ByteReader& in) : in_(in) {}

  // Makes sure at least 32 bits are buffered: one code and its extra bits.
  void Ensure32() {
    if (count_ < 32) Refill();
  }

  // The next AC coefficient when its code and extra bits fit the fast table: returns true with
  // run and value, having used the bits. Call after Ensure32.
  bool DecodeFastAc(const JpegHuffmanTable& t, int& run, int& value) {
    std::int32_t e = t.fastAc[bits_ >> (64 - kJpegFastBits)];
    if (e == 0) return false;
    int len = e & 15;
    bits_ <<= len;
    count_ -= len;
    run = (e >> 4) & 15;
    value = e >> 8;
    return true;
  }

  // Symbol of the next Huffman code, or -1 when the bits match no code of the table.
  int DecodeSymbol(const JpegHuffmanTable& t) {
    if (count_ < 16) Refill();
    std::uint32_t peek = static_cast<std::uint32_t>(bits_ >> (64 - kJpegFastBits));
    std::uint16_t e = t.fast[peek];
    if (e != 0) {
      int len = e >> 8;
      bits_ <<= len;
      count_ -= len;
      return e & 0xFF;
    }
    return DecodeSlow(t);
  }

  // The next s bits (1..16) as a signed value with the JPEG sign convention (ITU T.81 F.2.2.1).
  int ReceiveExtend(int s) {
    if (count_ < s) Refill();
    int v = static_cast<int>(bits_ >> (64 - s));
    bits_ <<= s;
    count_ -= s;
    return v < (1 << (s - 1)) ? v - (1 << s) + 1 : v;
  }

  // True once bits beyond the real data were used.
  bool Overrun() const { return padded_ > count_; }

  // Drops the buffered bits and moves past the next restart marker (ITU T.81 F.2.2.5: the coder
  // is reset at every RSTm). Bytes before it that are not a marker are passed over. Returns false
  // when no restart marker comes next.
  bool Restart();

private:
  void Refill();
  int DecodeSlow(const JpegHuffmanTable& t);

  ByteReader& in_;
  std::uint64_t bits_ = 0;  // Left aligned: the next bit is bit 63.
  int count_ = 0;
  int padded_ = 0;  // Zero bits appended beyond the data, counted up to a small cap.
  bool stopped_ = false;
};
