// Builds canonical Huffman decoding tables and reads the bits of a JPEG scan.
#include "gfx/image/JpegHuffman.h"

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
      int symbol = f & 0xFF;
      int size = symbol & 15;
      if (size == 0 || len + size > kJpegFastBits) {
        // End of block, sixteen zeros, or extra bits beyond the prefix: the code alone.
        t.fastAc[i] = static_cast<std::uint32_t>((symbol << 8) | len);
        continue;
      }
      int bits = (i >> (kJpegFastBits - len - size)) & ((1 << size) - 1);
      int value = bits < (1 << (size - 1)) ? bits - (1 << size) + 1 : bits;
      t.fastAc[i] = (static_cast<std::uint32_t>(value) << 16) |
                    static_cast<std::uint32_t>(symbol << 8) | kJpegAcWhole |
                    static_cast<std::uint32_t>(len + size);
    }
  }
  t.count = total;
  t.defined = true;
  return nullptr;
}

JpegBitReader::BitState JpegBitReader::RefillBytes(std::uint64_t bits, int count) {
  while (count <= 56) {
    std::uint32_t byte = 0;
    if (!stopped_) {
      if (pos_ >= end_) {
        stopped_ = true;
      } else if (*pos_ != 0xFF) {
        byte = *pos_++;
      } else {
        // 0xFF, any fill 0xFFs, then 0x00 for a data byte or a marker code (ITU T.81 F.1.2.3).
        const std::uint8_t* p = pos_ + 1;
        while (p < end_ && *p == 0xFF) ++p;
        if (p < end_ && *p == 0x00) {
          pos_ = p + 1;
          byte = 0xFF;
        } else {
          stopped_ = true;  // Leave the marker for whoever reads the segments next.
        }
      }
    }
    // Past the data only zero bits follow; the count is capped so it cannot overflow.
    if (stopped_ && padded_ < (1 << 20)) padded_ += 8;
    bits |= static_cast<std::uint64_t>(byte) << (56 - count);
    count += 8;
  }
  return {bits, count};
}

int JpegBitReader::LongCode(const JpegHuffmanTable& t, std::uint64_t bits) {
  std::uint32_t peek = static_cast<std::uint32_t>(bits >> 48);
  for (int len = kJpegFastBits + 1; len <= 16; ++len) {
    std::int32_t code = static_cast<std::int32_t>(peek >> (16 - len));
    if (code <= t.maxcode[len]) {
      std::int32_t index = code + t.valoffset[len];
      if (index < 0 || index >= t.count) return -1;
      return (len << 8) | t.symbols[index];
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
  while (end_ - pos_ >= 2) {
    if (pos_[0] != 0xFF) {
      ++pos_;
      continue;
    }
    std::uint8_t m = pos_[1];
    if (m == 0xFF || m == 0x00) {
      ++pos_;
      continue;
    }
    if (m >= 0xD0 && m <= 0xD7) {
      pos_ += 2;
      return true;
    }
    return false;  // Some other marker: the scan ends here; it is left for the segment reader.
  }
  return false;
}
