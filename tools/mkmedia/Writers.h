// Encoders for the file formats the game reads: BMP, JPEG, FGF, WAV and Standard MIDI Files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Common.h"

namespace mk {

// 24-bit uncompressed BMP, bottom-up rows; transparent pixels become exact magenta and opaque
// pixels that would read as magenta on a 16-bit display are nudged off it.
std::vector<uint8_t> encodeBmp(const Image& img);

// Baseline JPEG (no progressive mode, 1x1 sampling so lettering stays sharp).
std::vector<uint8_t> encodeJpeg(const Image& img, int quality);

// RIFF WAVE, PCM 16-bit mono.
std::vector<uint8_t> encodeWav(const std::vector<int16_t>& samples, int rate);

// Little helpers shared by the binary writers.
void putU16le(std::vector<uint8_t>& v, uint32_t x);
void putU32le(std::vector<uint8_t>& v, uint32_t x);
void putU16be(std::vector<uint8_t>& v, uint32_t x);
void putU32be(std::vector<uint8_t>& v, uint32_t x);
void putStr(std::vector<uint8_t>& v, const char* s);

}  // namespace mk
