// WAVE files built byte by byte for the audio tests, including broken and lying ones.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wave_test {

inline void Put(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

inline void PutId(std::vector<std::uint8_t>& out, const char* id) {
  out.insert(out.end(), id, id + 4);
}

struct WaveSpec {
  std::uint16_t formatTag = 1, channels = 1, bits = 16;
  std::uint32_t rate = 22050;
  std::uint16_t blockAlign = 0;  // 0: channels * bits / 8
  std::vector<std::uint8_t> samples;
  std::int64_t claimedDataSize = -1, claimedRiffSize = -1;  // -1: the true size
  // Chunks placed between "fmt " and "data", each as id + payload.
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> between;
  std::uint32_t fmtSize = 16;  // the payload is padded or cut to it
};

inline std::vector<std::uint8_t> MakeWave(const WaveSpec& spec) {
  const auto align = spec.blockAlign != 0
                         ? spec.blockAlign
                         : static_cast<std::uint16_t>(spec.channels * spec.bits / 8);
  std::vector<std::uint8_t> fmt;
  for (const auto& [value, bytes] : {std::pair<std::uint32_t, int>{spec.formatTag, 2},
                                     {spec.channels, 2},
                                     {spec.rate, 4},
                                     {spec.rate * align, 4},
                                     {align, 2},
                                     {spec.bits, 2}})
    Put(fmt, value, bytes);
  fmt.resize(spec.fmtSize + (spec.fmtSize & 1u), 0);
  std::vector<std::uint8_t> body;
  PutId(body, "WAVE");
  PutId(body, "fmt ");
  Put(body, spec.fmtSize, 4);
  body.insert(body.end(), fmt.begin(), fmt.end());
  for (const auto& [id, payload] : spec.between) {
    PutId(body, id.c_str());
    Put(body, static_cast<std::uint32_t>(payload.size()), 4);
    body.insert(body.end(), payload.begin(), payload.end());
    if (payload.size() & 1u) body.push_back(0);
  }
  PutId(body, "data");
  Put(body,
      static_cast<std::uint32_t>(spec.claimedDataSize >= 0 ? spec.claimedDataSize
                                                           : std::int64_t(spec.samples.size())),
      4);
  body.insert(body.end(), spec.samples.begin(), spec.samples.end());
  std::vector<std::uint8_t> out;
  PutId(out, "RIFF");
  Put(out,
      static_cast<std::uint32_t>(spec.claimedRiffSize >= 0 ? spec.claimedRiffSize
                                                           : std::int64_t(body.size())),
      4);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

// A rising pattern that never repeats the silence byte run.
inline std::vector<std::uint8_t> Pattern(std::size_t bytes) {
  std::vector<std::uint8_t> out(bytes);
  for (std::size_t i = 0; i < bytes; ++i) out[i] = static_cast<std::uint8_t>(1 + i % 251);
  return out;
}

// A 16-bit mono square wave of +-8000 (20-frame halves), loud enough to find in a mix.
inline WaveSpec Tone16(std::uint32_t rate, std::uint32_t ms) {
  WaveSpec spec;
  spec.rate = rate;
  const std::size_t frames = static_cast<std::size_t>(rate) * ms / 1000;
  for (std::size_t i = 0; i < frames; ++i) Put(spec.samples, (i / 20) % 2 == 0 ? 8000 : 0xE0C0, 2);
  return spec;
}

}  // namespace wave_test
