// Writes sound effects as RIFF WAVE files (PCM, 16-bit, mono).
#include "Writers.h"

namespace mk {

std::vector<uint8_t> encodeWav(const std::vector<int16_t>& samples, int rate) {
  std::vector<uint8_t> v;
  const uint32_t dataBytes = uint32_t(samples.size() * 2);
  putStr(v, "RIFF");
  putU32le(v, 36 + dataBytes);
  putStr(v, "WAVE");
  putStr(v, "fmt ");
  putU32le(v, 16);
  putU16le(v, 1);  // PCM
  putU16le(v, 1);  // mono
  putU32le(v, uint32_t(rate));
  putU32le(v, uint32_t(rate) * 2);
  putU16le(v, 2);
  putU16le(v, 16);
  putStr(v, "data");
  putU32le(v, dataBytes);
  for (int16_t s : samples) putU16le(v, uint16_t(s));
  return v;
}

}  // namespace mk
