// Builds canonical Huffman decoding tables and reads the bits of a JPEG scan.
#include "gfx/JpegHuffman.h"

const char* JpegBuildHuffmanTable(const std::uint8_t counts[16], const std::uint8_t* symbols,
                                  bool isDc, JpegHuffmanTable& t) {
  int total = 0;
  for (int i = 0; i < 16; ++i) total += counts[i];
  if (total > 256) return "bad DHT counts";  // ITU T.81 B.2.4.2: at most 256 symbols.

  // Canonical codes: consecutive values within a length, doubling at each longer length.
  // ITU T.81 Annex C: the all-ones code of a length is reserved, so a code reaching it means the
  // counts overflow their lengths.
  std::uint16_t codes[256];
  std::uint8_t lengths[256];
  std::int32_t code = 0;
  int k = 0;
  for (int len = 1; len <= 16; ++len) {
    t.valoffset[len] = k - code;
    for (int i = 0; i < counts[len - 1]; ++i) {
      codes[k] = static_cast<std::uint16_t>(code);
      lengths[k] = static_cast<std::uint8_t>(len);
      ++code;
      ++k;
    }
    t.maxcode[len] = counts[len - 1] ? code - 1 : -1;
    if (code >= (1 << len)) return "bad Huffman code lengths";
    code <<= 1;
  }
  for (int i = 0; i < total; ++i) {
    // DC symbols are bit counts of a difference; more than 15 cannot be received.
    if (isDc && symbols[i] > 15) return "bad DC symbol";
    t.symbols[i] = symbols[i];
  }
  for (auto& e : t.fast) e = 0;
  for (int i = 0; i < total; ++i) {
    int len = lengths[i];
    if (len > kJpegFastBits) continue;
    int shift = kJpegFastBits - len;
    int first = codes[i] << shift;
    for (int j = 0; j < (1 << shift); ++j) {
      t.fast[first + j] = static_cast<std::uint16_t>((len << 8) | symbols[i]);
    }
  }
  for (auto& e : t.fastAc) e = 0;
  if (!isDc) {
    for (int i = 0; i < (1 << kJpegFastBits); ++i) {
      std::uint16_t f = t.fast[i];
      if (f == 0) continue;
      int len = f >> 8;
      int run = (f >> 4) & 15;
      int size = f & 15;
      if (size == 0 || len + size > kJpegFastBits) continue;  // End of block, ZRL, or too long.
      int bits = (i >> (kJpegFastBits - len - size)) & ((1 << size) - 1);
      int value = bits < (1 << (size - 1)) ? bits - (1 << size) + 1 : bits;
      t.fastAc[i] = static_cast<std::int32_t>(value * 256) | (run << 4) | (len + size);
    }
  }
  t.count = total;
  t.defined = true;
  return nullptr;
}

void JpegBitReader::Refill() {
  while (count_ <= 56) {
    std::uint32_t byte = 0;
    if (!stopped_) {
      if (in_.at_end()) {
        stopped_ = true;
      } else if (in_.peek_u8() != 0xFF) {
        byte = in_.read_u8();
      } else {
        // 0xFF, any fill 0xFFs, then 0x00 for a data byte or a marker code (ITU T.81 F.1.2.3).
        std::size_t k = 1;
        while (k < in_.remaining() && in_.peek_u8(k) == 0xFF) ++k;
        if (k < in_.remaining() && in_.peek_u8(k) == 0x00) {
          in_.skip(k + 1);
          byte = 0xFF;
        } else {
          stopped_ = true;  // Leave the marker for whoever reads the segments next.
        }
      }
    }
    // Past the data only zero bits follow; the count is capped so it cannot overflow.
    if (stopped_ && padded_ < (1 << 20)) padded_ += 8;
    bits_ |= static_cast<std::uint64_t>(byte) << (56 - count_);
    count_ += 8;
  }
}

int JpegBitReader::DecodeSlow(const JpegHuffmanTable& t) {
  if (count_ < 16) Refill();
  std::uint32_t peek = static_cast<std::uint32_t>(bits_ >> 48);
  for (int len = kJpegFastBits + 1; len <= 16; ++len) {
    std::int32_t code = static_cast<std::int32_t>(peek >> (16 - len));
    if (code <= t.maxcode[len]) {
      std::int32_t index = code + t.valoffset[len];
      if (index < 0 || index >= t.count) return -1;
      bits_ <<= len;
      count_ -= len;
      return t.symbols[index];
    }
  }
  return -1;
}

bool JpegBitReader::Restart() {
  bits_ = 0;
  count_ = 0;
  padded_ = 0;
  stopped_ = false;
  // Look for 0xFF followed by a marker code, passing over anything else.
  while (in_.remaining() >= 2) {
    if (in_.peek_u8() != 0xFF) {
      in_.skip(1);
      continue;
    }
    std::uint8_t m = in_.peek_u8(1);
    if (m == 0xFF || m == 0x00) {
      in_.skip(1);
      continue;
    }
    if (m >= 0xD0 && m <= 0xD7) {
      in_.skip(2);
      return true;
    }
    return false;  // Some other marker: the scan ends here; it is left for the segment reader.
  }
  return false;
}
