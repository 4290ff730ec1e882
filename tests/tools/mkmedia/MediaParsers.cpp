// Independent readers of BMP, JPEG, FGF, WAV and MIDI files for the media tests.
#include "MediaParsers.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

namespace mt {

std::vector<uint8_t> readFile(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

std::filesystem::path mediaDir() {
  const char* d = std::getenv("QS_MEDIA_DIR");
  return d ? d : "media";
}

bool isMagenta(uint32_t p) {
  return p == 0xFF00FF;
}
bool keysAsMagenta(uint32_t p) {
  const int r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
  return (r >> 3) == 31 && (b >> 3) == 31 && (g >> 3) == 0;
}

static uint32_t le16(const std::vector<uint8_t>& d, size_t o) {
  return d[o] | d[o + 1] << 8;
}
static uint32_t le32(const std::vector<uint8_t>& d, size_t o) {
  return le16(d, o) | le16(d, o + 2) << 16;
}
static uint32_t be16(const std::vector<uint8_t>& d, size_t o) {
  return d[o] << 8 | d[o + 1];
}
static uint32_t be32(const std::vector<uint8_t>& d, size_t o) {
  return be16(d, o) << 16 | be16(d, o + 2);
}

bool readBmp(const std::filesystem::path& p, Picture& out) {
  auto d = readFile(p);
  if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') return false;
  const uint32_t offset = le32(d, 10), info = le32(d, 14);
  if (info < 40) return false;
  out.w = int(le32(d, 18));
  out.h = int(le32(d, 22));
  out.bits = int(le16(d, 28));
  out.compression = int(le32(d, 30));
  if (out.w <= 0 || out.h <= 0 || out.bits != 24 || out.compression != 0) return false;
  const size_t row = (size_t(out.w) * 3 + 3) & ~size_t(3);
  if (offset + row * out.h > d.size()) return false;
  out.px.assign(size_t(out.w) * out.h, 0);
  for (int y = 0; y < out.h; ++y) {
    const uint8_t* r = &d[offset + row * size_t(out.h - 1 - y)];
    for (int x = 0; x < out.w; ++x)
      out.px[size_t(y) * out.w + x] = uint32_t(r[3 * x + 2]) << 16 | r[3 * x + 1] << 8 | r[3 * x];
  }
  return true;
}

bool readJpeg(const std::filesystem::path& p, Picture& out, bool& baseline) {
  auto d = readFile(p);
  if (d.size() < 4 || d[0] != 0xFF || d[1] != 0xD8) return false;
  // Look for the frame marker the game's reader understands (SOF0).
  baseline = false;
  for (size_t i = 2; i + 3 < d.size();) {
    if (d[i] != 0xFF) return false;
    const uint8_t m = d[i + 1];
    if (m == 0xC0) baseline = true;
    if (m >= 0xC1 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC) baseline = false;
    if (m == 0xDA) break;
    i += 2 + be16(d, i + 2);
  }
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, d.data(), static_cast<unsigned long>(d.size()));
  if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) return false;
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  out.w = int(cinfo.output_width);
  out.h = int(cinfo.output_height);
  out.bits = 24;
  out.px.assign(size_t(out.w) * out.h, 0);
  std::vector<uint8_t> row(size_t(out.w) * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    int y = int(cinfo.output_scanline);
    JSAMPROW rp = row.data();
    jpeg_read_scanlines(&cinfo, &rp, 1);
    for (int x = 0; x < out.w; ++x)
      out.px[size_t(y) * out.w + x] =
          uint32_t(row[3 * x]) << 16 | row[3 * x + 1] << 8 | row[3 * x + 2];
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

bool Font::pixel(int c, int x, int y) const {
  const int rb = (width[c] + 7) / 8;
  return glyph[c][size_t(y) * rb + x / 8] & (0x80 >> (x % 8));
}

int Font::descent() const {
  int n = 0;
  for (int y = height['A'] - 1; y >= 0; --y) {
    bool blank = true;
    for (int x = 0; x < width['A']; ++x) blank = blank && !pixel('A', x, y);
    if (!blank) break;
    ++n;
  }
  return n;
}

int Font::textWidth(const std::string& s) const {
  int w = 0;
  for (unsigned char c : s) w += width[c];
  return w;
}

bool readFgf(const std::filesystem::path& p, Font& f, std::string& why) {
  auto d = readFile(p);
  if (d.size() < 2) return why = "too short", false;
  if (!(d[0] & 0x80)) return why = "not a 256-character font", false;
  f.a = d[0] & 0x7F;
  f.b = d[1];
  const size_t g = size_t(f.a) * f.b;
  if (d.size() != 2 + 4 * (128 + 64 * g)) return why = "size does not match the header", false;
  f.glyph.assign(256, {});
  for (int block = 0; block < 4; ++block) {
    const size_t base = 2 + block * (128 + 64 * g);
    for (int i = 0; i < 64; ++i) {
      const int c = block * 64 + i;
      f.width[c] = d[base + i];
      f.height[c] = d[base + 64 + i];
      f.glyph[c].assign(d.begin() + long(base + 128 + i * g),
                        d.begin() + long(base + 128 + (i + 1) * g));
      if (size_t((f.width[c] + 7) / 8) * f.height[c] > g)
        return why = "glyph larger than its slot", false;
    }
  }
  return true;
}

bool readWav(const std::filesystem::path& p, Wave& w) {
  auto d = readFile(p);
  if (d.size() < 12 || std::string(d.begin(), d.begin() + 4) != "RIFF" ||
      std::string(d.begin() + 8, d.begin() + 12) != "WAVE")
    return false;
  bool fmt = false;
  for (size_t i = 12; i + 8 <= d.size();) {
    std::string id(d.begin() + long(i), d.begin() + long(i) + 4);
    const uint32_t len = le32(d, i + 4);
    if (i + 8 + len > d.size()) return false;
    if (id == "fmt ") {
      if (len < 16) return false;
      w.format = int(le16(d, i + 8));
      w.channels = int(le16(d, i + 10));
      w.rate = int(le32(d, i + 12));
      w.bits = int(le16(d, i + 22));
      fmt = true;
    } else if (id == "data" && fmt) {
      for (size_t k = 0; k + 1 < len; k += 2) w.samples.push_back(int16_t(le16(d, i + 8 + k)));
      return true;
    }
    i += 8 + len + (len & 1);
  }
  return false;
}

static bool varLen(const std::vector<uint8_t>& d, size_t& i, size_t end, uint32_t& v) {
  v = 0;
  for (int k = 0; k < 4; ++k) {
    if (i >= end) return false;
    const uint8_t b = d[i++];
    v = v << 7 | (b & 0x7F);
    if (!(b & 0x80)) return true;
  }
  return false;
}

bool readSmf(const std::filesystem::path& p, Midi& m, std::string& why) {
  auto d = readFile(p);
  if (d.size() < 14 || std::string(d.begin(), d.begin() + 4) != "MThd" || be32(d, 4) != 6)
    return why = "no MThd", false;
  m.format = int(be16(d, 8));
  m.tracks = int(be16(d, 10));
  m.division = int(be16(d, 12));
  if (m.division <= 0 || m.division & 0x8000) return why = "not a ticks-per-beat division", false;
  // Tempo changes (tick, microseconds per beat) gathered over all tracks, then the song length.
  std::map<uint64_t, uint32_t> tempos;
  uint64_t lastTick = 0;
  size_t pos = 14;
  for (int t = 0; t < m.tracks; ++t) {
    if (pos + 8 > d.size() ||
        std::string(d.begin() + long(pos), d.begin() + long(pos) + 4) != "MTrk")
      return why = "missing MTrk", false;
    const size_t end = pos + 8 + be32(d, pos + 4);
    if (end > d.size()) return why = "track runs past the file", false;
    size_t i = pos + 8;
    uint64_t tick = 0;
    uint8_t status = 0;
    bool ended = false;
    std::map<int, int> open;  // channel*128+key -> count
    while (i < end) {
      uint32_t delta;
      if (!varLen(d, i, end, delta)) return why = "bad delta", false;
      tick += delta;
      if (i >= end) return why = "event cut", false;
      uint8_t b = d[i];
      if (b == 0xFF) {
        if (i + 2 > end) return why = "meta cut", false;
        const uint8_t type = d[i + 1];
        i += 2;
        uint32_t len;
        if (!varLen(d, i, end, len) || i + len > end) return why = "meta length", false;
        if (type == 0x51 && len == 3) {
          tempos[tick] = uint32_t(d[i]) << 16 | d[i + 1] << 8 | d[i + 2];
          m.hasTempo = true;
        }
        if (type == 0x2F) ended = true;
        i += len;
        continue;
      }
      if (b == 0xF0 || b == 0xF7) {
        ++i;
        uint32_t len;
        if (!varLen(d, i, end, len)) return why = "sysex", false;
        i += len;
        continue;
      }
      if (b & 0x80) status = b, ++i;
      if (!status) return why = "running status without status", false;
      const int kind = status >> 4, ch = status & 15;
      const int n = (kind == 0xC || kind == 0xD) ? 1 : 2;
      if (i + n > end) return why = "channel event cut", false;
      const int k1 = d[i], k2 = n > 1 ? d[i + 1] : 0;
      i += n;
      if (kind == 0x9 && k2 > 0) {
        ++m.noteOns;
        ++m.notesPerChannel[size_t(ch)];
        ++open[ch * 128 + k1];
      } else if (kind == 0x8 || (kind == 0x9 && k2 == 0)) {
        if (open[ch * 128 + k1] > 0)
          --open[ch * 128 + k1];
        else
          ++m.unmatchedOffs;
      }
    }
    if (!ended) return why = "track without end", false;
    for (auto& [k, c] : open) m.danglingOns += c;
    lastTick = std::max(lastTick, tick);
    pos = end;
  }
  // Integrate time over the tempo map (120 beats a minute until the first tempo).
  double seconds = 0;
  uint64_t prev = 0;
  uint32_t us = 500000;
  for (auto& [tick, value] : tempos) {
    if (tick > lastTick) break;
    seconds += double(tick - prev) * us / 1e6 / m.division;
    prev = tick;
    us = value;
  }
  seconds += double(lastTick - prev) * us / 1e6 / m.division;
  m.seconds = seconds;
  return true;
}

}  // namespace mt
