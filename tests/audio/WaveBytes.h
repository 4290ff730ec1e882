// Builds WAVE files byte by byte for the audio tests, including the broken and lying ones a
// reader must survive.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wave_test {

inline void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFFu);
  Put16(out, v >> 16);
}

inline void PutId(std::vector<std::uint8_t>& out, const char* id) {
  out.insert(out.end(), id, id + 4);
}

struct WaveSpec {
  std::uint16_t formatTag = 1;
  std::uint16_t channels = 1;
  std::uint32_t rate = 22050;
  std::uint16_t bits = 16;
  // 0: channels * bits / 8.
  std::uint16_t blockAlign = 0;
  // The sample bytes actually stored.
  std::vector<std::uint8_t> samples;
  // The data size the header claims; -1: the true size.
  std::int64_t claimedDataSize = -1;
  // The RIFF size the header claims; -1: the true size.
  std::int64_t claimedRiffSize = -1;
  // Chunks placed between "fmt " and "data", each as id + payload.
  std::vector<std::pair<std::string, std::vector<std::uint8_t>>> between;
  // The fmt chunk's declared length (16 for PCM); the payload is padded or cut to it.
  std::uint32_t fmtSize = 16;
};

inline std::uint16_t BlockAlignOf(const WaveSpec& spec) {
  return spec.blockAlign != 0 ? spec.blockAlign
                              : static_cast<std::uint16_t>(spec.channels * spec.bits / 8);
}

inline std::vector<std::uint8_t> MakeWave(const WaveSpec& spec) {
  std::vector<std::uint8_t> fmt;
  Put16(fmt, spec.formatTag);
  Put16(fmt, spec.channels);
  Put32(fmt, spec.rate);
  Put32(fmt, spec.rate * BlockAlignOf(spec));
  Put16(fmt, BlockAlignOf(spec));
  Put16(fmt, spec.bits);
  fmt.resize(spec.fmtSize, 0);

  std::vector<std::uint8_t> body;
  PutId(body, "WAVE");
  PutId(body, "fmt ");
  Put32(body, spec.fmtSize);
  body.insert(body.end(), fmt.begin(), fmt.end());
  if (spec.fmtSize & 1u) body.push_back(0);
  for (const auto& [id, payload] : spec.between) {
    PutId(body, id.c_str());
    Put32(body, static_cast<std::uint32_t>(payload.size()));
    body.insert(body.end(), payload.begin(), payload.end());
    if (payload.size() & 1u) body.push_back(0);
  }
  PutId(body, "data");
  Put32(body, spec.claimedDataSize >= 0 ? static_cast<std::uint32_t>(spec.claimedDataSize)
                                        : static_cast<std::uint32_t>(spec.samples.size()));
  body.insert(body.end(), spec.samples.begin(), spec.samples.end());

  std::vector<std::uint8_t> out;
  PutId(out, "RIFF");
  Put32(out, spec.claimedRiffSize >= 0 ? static_cast<std::uint32_t>(spec.claimedRiffSize)
                                       : static_cast<std::uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

// `bytes` of a recognisable rising pattern that never repeats the silence byte run.
inline std::vector<std::uint8_t> Pattern(std::size_t bytes) {
  std::vector<std::uint8_t> out(bytes);
  for (std::size_t i = 0; i < bytes; ++i) out[i] = static_cast<std::uint8_t>(1 + i % 251);
  return out;
}

// A 16-bit mono tone of `ms` milliseconds at `rate`, loud enough to find in a mix.
inline WaveSpec Tone16(std::uint32_t rate, std::uint32_t ms) {
  WaveSpec spec;
  spec.rate = rate;
  const std::size_t frames = static_cast<std::size_t>(rate) * ms / 1000;
  for (std::size_t i = 0; i < frames; ++i) {
    const std::int16_t v = (i / 20) % 2 == 0 ? 8000 : -8000;
    Put16(spec.samples, static_cast<std::uint16_t>(v));
  }
  return spec;
}

}  // namespace wave_test
