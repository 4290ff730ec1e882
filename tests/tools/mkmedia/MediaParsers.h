// Small independent readers for the generated media files, used only by the media tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace mt {

std::vector<uint8_t> readFile(const std::filesystem::path& p);
std::filesystem::path mediaDir();

struct Picture {
  int w = 0, h = 0;
  int bits = 0, compression = -1;
  std::vector<uint32_t> px;  // 0xRRGGBB, top row first
  uint32_t at(int x, int y) const { return px[size_t(y) * w + x]; }
};
bool isMagenta(uint32_t p);
// True when a 16-bit display would key this colour as magenta (565 or 555).
bool keysAsMagenta(uint32_t p);

// 24-bit or palette BMP; false when the header is not one the game reads.
bool readBmp(const std::filesystem::path& p, Picture& out);
// Decodes with libjpeg; `baseline` tells whether the frame is a baseline (SOF0) frame.
bool readJpeg(const std::filesystem::path& p, Picture& out, bool& baseline);

struct Font {
  int a = 0, b = 0;
  int width[256] = {}, height[256] = {};
  std::vector<std::vector<uint8_t>> glyph;  // a*b bytes each
  bool pixel(int c, int x, int y) const;    // y from the top of the glyph
  int descent() const;
  int textWidth(const std::string& s) const;
};
bool readFgf(const std::filesystem::path& p, Font& out, std::string& why);

struct Wave {
  int format = 0, channels = 0, rate = 0, bits = 0;
  std::vector<int16_t> samples;
};
bool readWav(const std::filesystem::path& p, Wave& out);

struct Midi {
  int format = -1, tracks = 0, division = 0;
  double seconds = 0;
  int noteOns = 0, unmatchedOffs = 0, danglingOns = 0;
  bool hasTempo = false;
  std::vector<int> notesPerChannel = std::vector<int>(16, 0);
};
bool readSmf(const std::filesystem::path& p, Midi& out, std::string& why);

}  // namespace mt
