// Builds FGF font images in memory from glyphs drawn as text, so tests can make any font they need.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Glyph rows are written top row first, '#' for a set pixel and anything else for a clear one.
using GlyphRows = std::vector<std::string>;

class FgfBuilder {
public:
  // large: the 256-character layout; else the 96-character one (codes 32..127).
  // a and b give the glyph slot size a x b bytes (a below 128).
  FgfBuilder(bool large, int a, int b) : large_(large), a_(a), b_(b) {}

  // Width is the longest row, height the row count; both may be overridden with Metrics.
  FgfBuilder& Glyph(int code, const GlyphRows& rows) {
    Entry& e = entries_.at(static_cast<std::size_t>(code));
    e.rows = rows;
    e.height = static_cast<int>(rows.size());
    e.width = 0;
    for (const std::string& row : rows) e.width = std::max(e.width, static_cast<int>(row.size()));
    return *this;
  }

  FgfBuilder& Metrics(int code, int width, int height) {
    Entry& e = entries_.at(static_cast<std::size_t>(code));
    e.width = width;
    e.height = height;
    return *this;
  }

  // Fills a glyph's whole slot with one byte value (after its rows, which still come first).
  FgfBuilder& FillSlot(int code, std::uint8_t value) {
    entries_.at(static_cast<std::size_t>(code)).fill = value;
    return *this;
  }

  int SlotBytes() const { return a_ * b_; }

  std::vector<std::uint8_t> Bytes() const {
    std::vector<std::uint8_t> out;
    out.push_back(static_cast<std::uint8_t>((large_ ? 0x80 : 0) | a_));
    out.push_back(static_cast<std::uint8_t>(b_));
    if (large_) {
      for (int first = 0; first < 256; first += 64) AppendBlock(out, first, 64);
    } else {
      AppendBlock(out, 32, 96);
    }
    return out;
  }

private:
  struct Entry {
    GlyphRows rows;
    int width = 0;
    int height = 0;
    std::uint8_t fill = 0;
  };

  void AppendBlock(std::vector<std::uint8_t>& out, int first, int count) const {
    for (int c = first; c < first + count; ++c) out.push_back(Get(c).width & 0xFF);
    for (int c = first; c < first + count; ++c) out.push_back(Get(c).height & 0xFF);
    for (int c = first; c < first + count; ++c) {
      std::vector<std::uint8_t> slot(static_cast<std::size_t>(SlotBytes()), Get(c).fill);
      // Packed at the declared width, so a glyph taller than its slot simply loses its bottom.
      const int rowBytes = (Get(c).width + 7) / 8;
      for (std::size_t r = 0; r < Get(c).rows.size(); ++r) {
        const std::string& row = Get(c).rows[r];
        for (std::size_t col = 0; col < row.size(); ++col) {
          const std::size_t at = r * rowBytes + col / 8;
          if (at >= slot.size()) continue;
          if (row[col] == '#')
            slot[at] |= static_cast<std::uint8_t>(0x80 >> (col % 8));
          else
            slot[at] &= static_cast<std::uint8_t>(~(0x80 >> (col % 8)));
        }
      }
      out.insert(out.end(), slot.begin(), slot.end());
    }
  }

  const Entry& Get(int code) const { return entries_[static_cast<std::size_t>(code)]; }

  bool large_;
  int a_;
  int b_;
  std::array<Entry, 256> entries_{};
};
