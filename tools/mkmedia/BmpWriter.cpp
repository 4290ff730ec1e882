// Writes keyed pictures as 24-bit BMP files, the form the game's BMP reader takes for artwork.
#include "Writers.h"

namespace mk {

void PutU16le(std::vector<std::uint8_t>& v, std::uint32_t x) {
  v.push_back(static_cast<std::uint8_t>(x));
  v.push_back(static_cast<std::uint8_t>(x >> 8));
}
void PutU32le(std::vector<std::uint8_t>& v, std::uint32_t x) {
  PutU16le(v, x & 0xFFFF);
  PutU16le(v, x >> 16);
}
void PutU16be(std::vector<std::uint8_t>& v, std::uint32_t x) {
  v.push_back(static_cast<std::uint8_t>(x >> 8));
  v.push_back(static_cast<std::uint8_t>(x));
}
void PutU32be(std::vector<std::uint8_t>& v, std::uint32_t x) {
  PutU16be(v, x >> 16);
  PutU16be(v, x & 0xFFFF);
}
void PutStr(std::vector<std::uint8_t>& v, const char* s) {
  while (*s) v.push_back(static_cast<std::uint8_t>(*s++));
}

std::vector<std::uint8_t> EncodeBmp(const Image& img) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(img.w) * 3 + 3) & ~3u;
  const std::uint32_t dataSize = rowBytes * static_cast<std::uint32_t>(img.h);
  std::vector<std::uint8_t> v;
  v.reserve(54 + dataSize);
  PutStr(v, "BM");
  PutU32le(v, 54 + dataSize);
  PutU32le(v, 0);
  PutU32le(v, 54);
  PutU32le(v, 40);
  PutU32le(v, static_cast<std::uint32_t>(img.w));
  PutU32le(v, static_cast<std::uint32_t>(img.h));
  PutU16le(v, 1);
  PutU16le(v, 24);
  PutU32le(v, 0);
  PutU32le(v, dataSize);
  PutU32le(v, 2835);
  PutU32le(v, 2835);
  PutU32le(v, 0);
  PutU32le(v, 0);
  for (int y = img.h - 1; y >= 0; --y) {
    std::size_t start = v.size();
    for (int x = 0; x < img.w; ++x) {
      std::uint32_t p = img.At(x, y);
      int r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
      if ((p >> 24) < 128) {
        r = 255, g = 0, b = 255;
      } else if (r >= 248 && b >= 248 && g < 8) {
        // The game keys on whatever maps to magenta at 16 bits, so opaque paint must stay clear
        // of that whole neighbourhood.
        g = 8;
      }
      v.push_back(static_cast<std::uint8_t>(b));
      v.push_back(static_cast<std::uint8_t>(g));
      v.push_back(static_cast<std::uint8_t>(r));
    }
    while (v.size() - start < rowBytes) v.push_back(0);
  }
  return v;
}

}  // namespace mk
