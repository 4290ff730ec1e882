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
  // large: the 256-character layout, else the 96-character one (codes 32..127); glyph slots
  // are a x b bytes (a below 128).
  FgfBuilder(bool large, int a, int b) : large_(large), a_(a), b_(b) {}

  // Width is the longest row, height the row count; Metrics may override both.
  FgfBuilder& Glyph(int code, const GlyphRows& rows) {
    Entry& e = entries_.at(static_cast<std::size_t>(code));
    e.rows = rows;
    e.height = static_cast<int>(rows.size());
    e.width = 0;
    for (const std::string& row : rows) e.width = std::max(e.width, static_cast<int>(row.size()));
    return *this;
  }
  FgfBuilder& Metrics(int code, int width, int height) {
    entries_.at(static_cast<std::size_t>(code)).width = width;
    entries_.at(static_cast<std::size_t>(code)).height = height;
    return *this;
  }
  // Fills a glyph's whole slot with one byte value (its rows, if any, are written over it).
  FgfBuilder& FillSlot(int code, std::uint8_t value) {
    entries_.at(static_cast<std::size_t>(code)).fill = value;
    return *this;
  }

  std::vector<std::uint8_t> Bytes() const {
    std::vector<std::uint8_t> out = {static_cast<std::uint8_t>((large_ ? 0x80 : 0) | a_),
                                     static_cast<std::uint8_t>(b_)};
    for (int first = large_ ? 0 : 32; first < (large_ ? 256 : 128); first += large_ ? 64 : 96) {
      const int last = first + (large_ ? 64 : 96);
      for (int c = first; c < last; ++c) out.push_back(entries_[c].width & 0xFF);
      for (int c = first; c < last; ++c) out.push_back(entries_[c].height & 0xFF);
      for (int c = first; c < last; ++c) {
        const Entry& e = entries_[c];
        std::vector<std::uint8_t> slot(static_cast<std::size_t>(a_ * b_), e.fill);
        // Packed at the declared width, so a glyph taller than its slot loses its bottom.
        const std::size_t rowBytes = static_cast<std::size_t>(e.width + 7) / 8;
        for (std::size_t r = 0; r < e.rows.size(); ++r) {
          for (std::size_t col = 0; col < e.rows[r].size(); ++col) {
            const std::size_t at = r * rowBytes + col / 8;
            const auto bit = static_cast<std::uint8_t>(0x80 >> (col % 8));
            if (at < slot.size())
              slot[at] = e.rows[r][col] == '#' ? slot[at] | bit : slot[at] & ~bit;
          }
        }
        out.insert(out.end(), slot.begin(), slot.end());
      }
    }
    return out;
  }

private:
  struct Entry {
    GlyphRows rows;
    int width = 0, height = 0;
    std::uint8_t fill = 0;
  };
  bool large_;
  int a_, b_;
  std::array<Entry, 256> entries_{};
};
