// Writes sound effects as RIFF WAVE files (PCM, 16-bit, mono).
#include "Writers.h"

namespace mk {

std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples, int rate) {
  std::vector<std::uint8_t> v;
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  PutStr(v, "RIFF");
  PutU32le(v, 36 + dataBytes);
  PutStr(v, "WAVE");
  PutStr(v, "fmt ");
  PutU32le(v, 16);
  PutU16le(v, 1);  // PCM
  PutU16le(v, 1);  // mono
  PutU32le(v, static_cast<std::uint32_t>(rate));
  PutU32le(v, static_cast<std::uint32_t>(rate) * 2);
  PutU16le(v, 2);
  PutU16le(v, 16);
  PutStr(v, "data");
  PutU32le(v, dataBytes);
  for (std::int16_t s : samples) PutU16le(v, static_cast<std::uint16_t>(s));
  return v;
}

}  // namespace mk
