// Writes keyed pictures as 24-bit BMP files, the form the game's BMP reader takes for artwork.
#include "Writers.h"

namespace mk {

void putU16le(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(uint8_t(x));
  v.push_back(uint8_t(x >> 8));
}
void putU32le(std::vector<uint8_t>& v, uint32_t x) {
  putU16le(v, x & 0xFFFF);
  putU16le(v, x >> 16);
}
void putU16be(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(uint8_t(x >> 8));
  v.push_back(uint8_t(x));
}
void putU32be(std::vector<uint8_t>& v, uint32_t x) {
  putU16be(v, x >> 16);
  putU16be(v, x & 0xFFFF);
}
void putStr(std::vector<uint8_t>& v, const char* s) {
  while (*s) v.push_back(uint8_t(*s++));
}

std::vector<uint8_t> encodeBmp(const Image& img) {
  const uint32_t rowBytes = (uint32_t(img.w) * 3 + 3) & ~3u;
  const uint32_t dataSize = rowBytes * uint32_t(img.h);
  std::vector<uint8_t> v;
  v.reserve(54 + dataSize);
  putStr(v, "BM");
  putU32le(v, 54 + dataSize);
  putU32le(v, 0);
  putU32le(v, 54);
  putU32le(v, 40);
  putU32le(v, uint32_t(img.w));
  putU32le(v, uint32_t(img.h));
  putU16le(v, 1);
  putU16le(v, 24);
  putU32le(v, 0);
  putU32le(v, dataSize);
  putU32le(v, 2835);
  putU32le(v, 2835);
  putU32le(v, 0);
  putU32le(v, 0);
  for (int y = img.h - 1; y >= 0; --y) {
    size_t start = v.size();
    for (int x = 0; x < img.w; ++x) {
      uint32_t p = img.at(x, y);
      int r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
      if ((p >> 24) < 128) {
        r = 255, g = 0, b = 255;
      } else if (r >= 248 && b >= 248 && g < 8) {
        // The game keys on whatever maps to magenta at 16 bits, so opaque paint must stay clear
        // of that whole neighbourhood.
        g = 8;
      }
      v.push_back(uint8_t(b));
      v.push_back(uint8_t(g));
      v.push_back(uint8_t(r));
    }
    while (v.size() - start < rowBytes) v.push_back(0);
  }
  return v;
}

}  // namespace mk
