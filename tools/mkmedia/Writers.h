// Encoders for the file formats the game reads: BMP, JPEG, FGF, WAV and Standard MIDI Files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Common.h"

namespace mk {

// 24-bit uncompressed BMP, bottom-up rows; transparent pixels become exact magenta and opaque
// pixels that would read as magenta on a 16-bit display are nudged off it.
std::vector<std::uint8_t> EncodeBmp(const Image& img);

// Baseline JPEG (no progressive mode, 1x1 sampling so lettering stays sharp).
std::vector<std::uint8_t> EncodeJpeg(const Image& img, int quality);

// RIFF WAVE, PCM 16-bit mono.
std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples, int rate);

// Little helpers shared by the binary writers.
void PutU16le(std::vector<std::uint8_t>& v, std::uint32_t x);
void PutU32le(std::vector<std::uint8_t>& v, std::uint32_t x);
void PutU16be(std::vector<std::uint8_t>& v, std::uint32_t x);
void PutU32be(std::vector<std::uint8_t>& v, std::uint32_t x);
void PutStr(std::vector<std::uint8_t>& v, const char* s);

}  // namespace mk
