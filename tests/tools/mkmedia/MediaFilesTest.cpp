// Every generated media file read back through the game's own readers and checked for what the
// game relies on; the songs, which only the synthesiser reads, through a small reader here.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "audio/WaveFile.h"
#include "gfx/art/Themes.h"
#include "gfx/font/FgfFont.h"
#include "gfx/image/BmpReader.h"
#include "gfx/image/JpegReader.h"
#include "tests/support/HeadlessGfx.h"
#include "tests/support/RequireMedia.h"

namespace {

namespace fs = std::filesystem;

fs::path Media(const std::string& rel) {
  const char* dir = std::getenv("QS_MEDIA_DIR");
  return fs::path(dir != nullptr ? dir : "media") / rel;
}

std::vector<std::uint8_t> Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

struct Picture {
  int w = 0, h = 0;
  std::vector<std::uint32_t> px;  // 0xRRGGBB, top row first
  std::uint32_t at(int x, int y) const { return px[static_cast<std::size_t>(y * w + x)]; }
};

bool IsMagenta(std::uint32_t p) {
  return p == 0xFF00FF;
}
// True when a 16-bit display (565 or 555) would key this colour as magenta.
bool KeysAsMagenta(std::uint32_t p) {
  return (p >> 19) == 31 && ((p >> 11) & 31) == 0 && ((p >> 3) & 31) == 31;
}

class MediaFiles : public testing::Test {
protected:
  // A BMP or baseline JPEG as the game's reader draws it into a 32-bit buffer of its own size.
  static Picture Load(const std::string& rel) {
    const std::vector<std::uint8_t> d = Bytes(Media("artwork/" + rel));
    const bool jpeg = rel.ends_with(".jpg");
    Picture p;
    GfxJPEGHeader header;
    if (jpeg && GfxReadJPEGHeader(d.data(), d.size(), &header) == kJpegHeaderOk)
      p.w = header.width, p.h = header.height;
    else if (jpeg || !GfxBMPSize(d.data(), d.size(), &p.w, &p.h))
      ADD_FAILURE() << rel << ": header not readable";
    const int buffer = GfxAllocBuffer(p.w, p.h);
    GfxOpenBuffer(buffer);
    std::vector<std::uint8_t> work(jpeg ? static_cast<std::size_t>(GfxJPEGBufferSize(&header)) : 0);
    GfxSetJPEGBuffer(work.data(), work.size());
    EXPECT_EQ(jpeg ? GfxShowJPEG(d.data(), d.size(), 0) : GfxShowBMP(d.data(), d.size(), 0), 0)
        << rel;
    GfxSetJPEGBuffer(nullptr, 0);
    const GfxBufferView view = GfxGetBufferView(buffer);
    for (int y = 0; y < p.h && view.pixels != nullptr; ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(view.pixels + y * view.bytesPerRow);
      for (int x = 0; x < p.w; ++x) p.px.push_back(row[x] & 0xFFFFFF);
    }
    GfxCloseBuffer();
    GfxFreeBuffer(buffer);
    return p;
  }

  HeadlessGfx gfx_;
};

// Relative luminance and contrast ratio as used for legibility of text on a background.
double Luminance(std::uint32_t p) {
  const auto lin = [](std::uint32_t channel) {
    const double c = (channel & 255) / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * lin(p >> 16) + 0.7152 * lin(p >> 8) + 0.0722 * lin(p);
}
double Contrast(std::uint32_t a, ThemeRgb b) {
  const double la = Luminance(a), lb = Luminance(std::uint32_t(b.r << 16 | b.g << 8 | b.b));
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
std::uint32_t Average(const Picture& p, int x0, int y0, int w, int h) {
  double sum[3] = {};
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x)
      for (int c = 0; c < 3; ++c) sum[c] += (p.at(x, y) >> (16 - 8 * c)) & 255;
  const double n = double(w) * h;
  return std::uint32_t(sum[0] / n) << 16 | std::uint32_t(sum[1] / n) << 8 |
         std::uint32_t(sum[2] / n);
}
// Pixels of a rectangle that are not the transparent key, and that a 16-bit display would key.
int Ink(const Picture& p, int x0, int y0, int w, int h) {
  int ink = 0;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) ink += !IsMagenta(p.at(x, y));
  return ink;
}
int Keyed(const Picture& p, int x0, int y0, int w, int h, int step = 1) {
  int keyed = 0;
  for (int y = y0; y < y0 + h; y += step)
    for (int x = x0; x < x0 + w; x += step) keyed += KeysAsMagenta(p.at(x, y));
  return keyed;
}

// Every size is checked before a pixel is read: the game takes these bounds on trust.
constexpr int kNoLimit = 1 << 20;
testing::AssertionResult Sized(const Picture& p, int minW, int maxW, int minH, int maxH) {
  if (p.w >= minW && p.w <= maxW && p.h >= minH && p.h <= maxH) return testing::AssertionSuccess();
  return testing::AssertionFailure() << p.w << " x " << p.h << " is not within " << minW << "-"
                                     << maxW << " x " << minH << "-" << maxH;
}

// A 53 x 83 card at (x, y): transparent at its rounded corners, and nothing inside that a 16-bit
// display would key.
void ExpectCard(const Picture& p, int x, int y, const std::string& what) {
  EXPECT_TRUE(IsMagenta(p.at(x, y)) && IsMagenta(p.at(x + 52, y + 82))) << what << ": corners";
  EXPECT_EQ(Keyed(p, x + 3, y, 47, 83) + Keyed(p, x, y + 3, 3, 77) + Keyed(p, x + 50, y + 3, 3, 77),
            0)
      << what << ": transparent pixels inside the card";
}

TEST_F(MediaFiles, DeckStripsHoldFiftyTwoDifferentCardsInTheirCells) {
  for (const std::string d : {"deck1", "deck1_lg", "deck2", "deck2_lg"}) {
    const Picture face = Load(d + ".bmp"), dark = Load(d + "_dark.bmp");
    ASSERT_TRUE(Sized(face, 702, 702, 336, 336)) << d;
    ASSERT_TRUE(Sized(dark, 702, 702, 336, 336)) << d;
    double faceLum = 0, darkLum = 0;
    std::set<std::vector<std::uint32_t>> cells;  // a copy-paste slip would repeat a cell
    for (int row = 0; row < 4; ++row)
      for (int col = 0; col < 13; ++col) {
        const int x = 54 * col + 1, y = 84 * row;
        const std::string what = d + " cell " + std::to_string(col) + "," + std::to_string(row);
        ExpectCard(face, x, y, what);
        ExpectCard(dark, x, y, what + " dark");
        // The cell's unused column and row stay transparent.
        EXPECT_EQ(Ink(face, x - 1, y, 1, 84) + Ink(face, x - 1, y + 83, 54, 1), 0) << what;
        faceLum += Luminance(Average(face, x + 5, y + 5, 43, 73));
        darkLum += Luminance(Average(dark, x + 5, y + 5, 43, 73));
        std::vector<std::uint32_t> cell;
        for (int j = 0; j < 83; ++j)
          for (int i = 0; i < 53; ++i) {
            ASSERT_EQ(IsMagenta(face.at(x + i, y + j)), IsMagenta(dark.at(x + i, y + j)))
                << what << ": the dark twin keys other pixels";
            cell.push_back(face.at(x + i, y + j));
          }
        EXPECT_TRUE(cells.insert(cell).second) << what << " repeats another card";
      }
    EXPECT_LT(darkLum, faceLum * 0.6) << d << ": highlighted cards must look clearly darker";
  }
}

TEST_F(MediaFiles, BacksAndMarkers) {
  const Picture backs = Load("backs.bmp");
  ASSERT_TRUE(Sized(backs, 54 * 21, 1136, 83, kNoLimit));
  for (int i = 0; i < 21; ++i) ExpectCard(backs, 54 * i + 1, 0, "back " + std::to_string(i));
  for (int t = 1; t <= 6; ++t) {
    const Picture m = Load("placeholder" + std::to_string(t) + ".bmp");
    ASSERT_TRUE(Sized(m, 160, 164, 83, kNoLimit)) << t;
    for (int x0 : {0, 54, 107}) {
      // A marker is an outline with a sign: mostly see-through, but clearly drawn.
      EXPECT_GT(Ink(m, x0, 0, 53, 83), 150) << t << " marker at " << x0;
      EXPECT_LT(Ink(m, x0, 0, 53, 83), 53 * 83 - 53 * 83 / 2) << t << " marker at " << x0;
    }
  }
}

TEST_F(MediaFiles, ThemePicturesKeepTextReadable) {
  const Picture columns = Load("menus.jpg");
  ASSERT_TRUE(Sized(columns, 1200, 1216, 481, 482));
  for (int t = 0; t < kThemeCount; ++t) {
    const std::string n = std::to_string(t + 1);
    const Theme& theme = ThemeFor(t);
    EXPECT_TRUE(Sized(Load("backdrop" + n + ".jpg"), 800, 800, 600, 600)) << n;
    EXPECT_TRUE(Sized(Load("menu" + n + ".bmp"), 193, 804, 95, 901)) << n;
    const Picture skin = Load("dialog" + n + ".bmp");
    ASSERT_TRUE(Sized(skin, 800, 804, 735, 741)) << n;
    // Body and button faces are solid; the title plate is keyed around its shape.
    EXPECT_EQ(Keyed(skin, 0, 0, 800, 600, 7) + Keyed(skin, 0, 628, 412, 107), 0) << n;
    EXPECT_TRUE(IsMagenta(skin.at(288, 600)));
    EXPECT_FALSE(KeysAsMagenta(skin.at(288 + 156, 612)));
    EXPECT_GE(Contrast(Average(skin, 20, 50, 760, 500), theme.strong), 4.5) << "dialog text " << n;
    EXPECT_GE(Contrast(Average(skin, 328, 604, 230, 16), theme.strong), 4.5) << "title " << n;
    for (int pressed = 0; pressed < 2; ++pressed) {
      const std::uint32_t face = Average(skin, pressed * 206 + 10, 640, 180, 60);
      EXPECT_GE(Contrast(face, theme.strong), 4.5) << "button caption, theme " << n;
      EXPECT_GE(Contrast(face, theme.light), 3.0) << "hovered caption, theme " << n;
    }
    const std::uint32_t column = Average(columns, 200 * t + 10, 10, 180, 460);
    EXPECT_GE(Contrast(column, theme.strong), 4.5) << "menu text, theme " << n;
    EXPECT_GE(Contrast(column, theme.light), 3.0) << "highlighted menu text, theme " << n;
  }
  const Picture checks = Load("checks.bmp");
  ASSERT_TRUE(Sized(checks, 15, kNoLimit, 52, kNoLimit));
  for (int k = 0; k < 4; ++k) {
    EXPECT_GT(Ink(checks, 0, 13 * k, 15, 13), 12) << "check mark " << k;
    EXPECT_LT(Ink(checks, 0, 13 * k, 15, 13), 15 * 13 / 2) << "check mark " << k;
  }
}

TEST_F(MediaFiles, InGameTitlesHaveTheirExactWidths) {
  for (const std::string f : {"1_3_6", "2", "4", "5"}) {
    const Picture p = Load("ingame_title" + f + ".bmp");
    ASSERT_TRUE(Sized(p, 445, 448, 680, kNoLimit)) << f;
    for (int i = 0; i < kGameTitleCount; ++i) {
      int left = p.w, right = -1;
      for (int y = 34 * i; y < 34 * i + 34; ++y)
        for (int x = 0; x < p.w; ++x)
          if (!IsMagenta(p.at(x, y))) left = std::min(left, x), right = std::max(right, x);
      EXPECT_EQ(left, 0) << f << " title " << i + 1;
      EXPECT_EQ(right, GameTitleWidth(i + 1)) << f << " title " << i + 1;
    }
  }
}

TEST_F(MediaFiles, TitleScreenPictures) {
  for (const std::string n :
       {"title", "logo", "winscreen", "losescreen", "losescreen_ended", "upgd_bak"}) {
    EXPECT_TRUE(Sized(Load(n + ".jpg"), 800, 800, 600, 600)) << n;
  }
  const Picture sheet = Load("sym_btns.bmp");
  // Highlighted buttons end at column 499; the 497-wide buffer rounds up to 500 columns.
  ASSERT_TRUE(Sized(sheet, 500, 500, 480, 501));
  // The buttons and the sheet picture are solid; each marker frame is keyed around its shape.
  EXPECT_EQ(Keyed(sheet, 0, 0, 500, 250, 3) + Keyed(sheet, 0, 252, 250, 198, 3), 0);
  for (int f = 0; f < 10; ++f) {
    EXPECT_TRUE(IsMagenta(sheet.at(30 * f, 450))) << "frame " << f;
    EXPECT_GT(Ink(sheet, 30 * f, 450, 30, 30), 30) << "frame " << f;
  }
  EXPECT_TRUE(Sized(Load("titlebtn.bmp"), 252, 256, 108, 111));
  EXPECT_TRUE(Sized(Load("upgd_btn.bmp"), 273, 276, 117, 213));
  const Picture arrows = Load("updown.bmp");
  ASSERT_TRUE(Sized(arrows, 85, 85, 33, 33));
  for (int x0 : {48, 67}) EXPECT_FALSE(IsMagenta(arrows.at(x0 + 8, 10))) << x0;
}

TEST_F(MediaFiles, ArrowSpritesAreNineByFour) {
  for (int i = 6; i <= 9; ++i) {
    const std::string n = "icon0" + std::to_string(i) + "w.spr";
    const auto d = Bytes(Media(n));  // (colour, run length) pairs
    ASSERT_EQ(d.size() % 2, 0u) << n;
    int pixels = 0, ink = 0;
    for (std::size_t k = 0; k < d.size(); k += 2) {
      pixels += d[k + 1];
      if (d[k] == 0) ink += d[k + 1];
    }
    EXPECT_EQ(pixels, 9 * 4) << n;
    EXPECT_EQ(ink, 1 + 3 + 5 + 7) << n << ": a solid triangle";
  }
}

std::unique_ptr<FgfFont> Font(const std::string& name) {
  const std::vector<std::uint8_t> d = Bytes(Media(name));
  EXPECT_TRUE(d.size() >= 2 && d.size() == FgfRequiredSize(d[0], d[1])) << name;
  auto font = ReadFgf(d.data(), d.size());
  EXPECT_TRUE(font && font->codeCount == 256) << name << " is not a 256-character font";
  return font;
}

// Ink of a glyph's rows [top, bottom) counted from its top.
int GlyphInk(const FgfFont& f, int c, int top, int bottom) {
  const FgfGlyph g = f.Glyph(c);
  int ink = 0;
  for (int y = top; y < bottom; ++y) {
    const int row = g.height - 1 - y - g.blankBottom;
    for (int x = 0; x < g.width && g.rows != nullptr && row >= 0; ++x)
      ink += (g.rows[row * g.rowBytes + x / 8] >> (7 - x % 8)) & 1;
  }
  return ink;
}

TEST_F(MediaFiles, FontsAreCompleteAndShareOneCell) {
  for (const char* n : {"windb_10.fgf", "systm12.fgf", "systm12b.fgf", "beng8pt.FGF"}) {
    const auto f = Font(n);
    ASSERT_TRUE(f);
    const int cell = f->heights['A'];
    EXPECT_TRUE(cell >= 10 && cell <= 17) << n << ": cell " << cell;
    EXPECT_GE(f->descent, 2) << n;
    for (int c = 0x20; c < 256; ++c) {
      if (c >= 0x7F && c < 0xA0) continue;  // not printable
      EXPECT_GT(f->widths[c], 0) << n << " code " << c;
      EXPECT_EQ(f->heights[c], cell) << n << " code " << c;
      EXPECT_EQ(f->storedRows[c], cell) << n << " code " << c << " is larger than its slot";
      const bool blank = c == 0x20 || c == 0xA0 || c == 0xAD;
      EXPECT_TRUE(blank || GlyphInk(*f, c, 0, cell) > 0) << n << " code " << c << " has no glyph";
    }
    // Descenders hang below the baseline, into the rows under "A".
    for (char c : std::string("gjpqy"))
      EXPECT_GT(GlyphInk(*f, c, cell - f->descent, cell), 0) << n << " '" << c << "'";
  }
}

TEST_F(MediaFiles, SoundEffectsAreShortCleanPcm) {
  for (const std::string s :
       {"button", "deal", "flip", "foundation", "tableau", "undo", "shuffle", "invalid"}) {
    WaveFile w;
    ASSERT_EQ(w.Open(Media("SFX/" + s + ".wav").c_str()), kWaveOk) << s;
    const WaveFormat& format = w.Format();
    EXPECT_EQ(format.formatTag, kWaveFormatPcm) << s;
    EXPECT_EQ(format.channels, 1) << s;
    EXPECT_EQ(format.samplesPerSec, 22050u) << s;
    EXPECT_EQ(format.bitsPerSample, 16) << s;
    std::vector<std::int16_t> samples(w.DataSize() / 2);
    ASSERT_EQ(w.Read(samples.size() * 2, reinterpret_cast<std::uint8_t*>(samples.data())),
              samples.size() * 2);
    ASSERT_FALSE(samples.empty()) << s;
    const double ms = samples.size() * 1000.0 / 22050;
    EXPECT_GE(ms, 40) << s;
    EXPECT_LE(ms, s == "shuffle" ? 400 : 160) << s;
    int peak = 0;
    for (std::int16_t v : samples) peak = std::max(peak, std::abs(int(v)));
    EXPECT_GT(peak, 6000) << s << " is nearly silent";
    EXPECT_LT(peak, 32000) << s << " clips";
    EXPECT_LT(std::abs(int(samples.back())), 200) << s << " ends with a click";
    // The opening deal waits for its sound 28 times: within two of the device's 512-frame
    // blocks, or the deal outlasts its time.
    EXPECT_TRUE(s != "deal" || samples.size() <= 1024u) << samples.size();
  }
}

struct Midi {
  int format = -1;
  double seconds = 0;
  bool hasTempo = false;
  int unmatchedOffs = 0, danglingOns = 0;
  int notesPerChannel[16] = {};
};

// A Standard MIDI File as the generator writes it (no running status, no system exclusive):
// header, note balance and length over the tempo map. Returns "" when it reads.
std::string ReadSmf(const std::vector<std::uint8_t>& d, Midi& m) {
  const auto be = [&d](std::size_t at, int n) {
    std::uint32_t v = 0;
    for (int k = 0; k < n; ++k) v = v << 8 | d[at + std::size_t(k)];
    return v;
  };
  const auto tag = [&d](std::size_t at) {
    return std::string(d.begin() + long(at), d.begin() + long(at) + 4);
  };
  if (d.size() < 14 || tag(0) != "MThd" || be(4, 4) != 6) return "no MThd";
  m.format = int(be(8, 2));
  const int tracks = int(be(10, 2)), division = int(be(12, 2));
  if (division <= 0 || division & 0x8000) return "not a ticks-per-beat division";
  std::map<std::uint64_t, std::uint32_t> tempos;  // tick -> microseconds per beat
  std::uint64_t lastTick = 0;
  for (std::size_t t = 0, pos = 14, end = 0; t < std::size_t(tracks); ++t, pos = end) {
    if (pos + 8 > d.size() || tag(pos) != "MTrk") return "missing MTrk";
    end = pos + 8 + be(pos + 4, 4);
    if (end > d.size()) return "track runs past the file";
    std::size_t i = pos + 8;
    const auto varLen = [&](std::uint32_t& v) {
      v = 0;
      for (int k = 0; k < 4 && i < end; ++k)
        if (v = v << 7 | (d[i] & 0x7F); !(d[i++] & 0x80)) return true;
      return false;
    };
    std::uint64_t tick = 0;
    bool ended = false;
    std::map<int, int> open;  // channel * 128 + key -> notes sounding
    for (std::uint32_t delta = 0, len = 0; i < end && !ended;) {
      if (!varLen(delta) || i + 2 >= end) return "event cut";
      tick += delta;
      const int status = d[i], kind = status >> 4, key = (status & 15) * 128 + d[i + 1];
      if (status == 0xFF) {
        const int type = d[i + 1];
        i += 2;
        if (!varLen(len) || i + len > end) return "meta length";
        if (type == 0x51 && len == 3) tempos[tick] = be(i, 3), m.hasTempo = true;
        ended = type == 0x2F;
        i += len;
      } else if (kind >= 0x8 && kind <= 0xE) {
        const bool on = kind == 0x9 && d[i + 2] > 0;
        if (on) ++m.notesPerChannel[status & 15], ++open[key];
        if (!on && (kind == 0x8 || kind == 0x9)) open[key] > 0 ? --open[key] : ++m.unmatchedOffs;
        i += kind == 0xC || kind == 0xD ? 2 : 3;
      } else {
        return "running status or system exclusive";
      }
    }
    if (!ended || i != end) return "track without end";
    for (const auto& [k, count] : open) m.danglingOns += count;
    lastTick = std::max(lastTick, tick);
  }
  std::uint64_t prev = 0;
  std::uint32_t us = 500000;  // 120 beats a minute until the first tempo
  for (const auto& [tick, value] : tempos) {
    m.seconds += double(std::min(tick, lastTick) - prev) * us / 1e6 / division;
    prev = std::min(tick, lastTick), us = value;
  }
  m.seconds += double(lastTick - prev) * us / 1e6 / division;
  return "";
}

TEST_F(MediaFiles, SongsArePlayableGeneralMidi) {
  struct Song {
    const char* name;
    double minSec, maxSec;
    bool drums;  // the quick songs and the rock song have a drummer
  };
  const Song songs[] = {
      {"MAIN", 45, 180, false}, {"SONG1", 60, 180, true}, {"SONG2", 60, 180, false},
      {"SONG3", 60, 180, true}, {"SONG4", 60, 180, true}, {"SONG5", 60, 180, false},
      {"SONG6", 60, 180, true}, {"WIN", 4, 20, false},    {"LOSE", 4, 20, false}};
  for (const Song& s : songs) {
    Midi m;
    ASSERT_EQ(ReadSmf(Bytes(Media(std::string("music/") + s.name + ".MID")), m), "") << s.name;
    EXPECT_EQ(m.format, 1) << s.name;
    EXPECT_TRUE(m.hasTempo) << s.name;
    EXPECT_EQ(m.unmatchedOffs, 0) << s.name;
    EXPECT_EQ(m.danglingOns, 0) << s.name << ": notes left sounding";
    EXPECT_TRUE(m.seconds >= s.minSec && m.seconds <= s.maxSec) << s.name << ": " << m.seconds;
    // Melody, harmony and bass at least: three voiced channels.
    EXPECT_GE(std::count_if(std::begin(m.notesPerChannel), std::end(m.notesPerChannel),
                            [](int notes) { return notes > 0; }),
              3)
        << s.name;
    EXPECT_TRUE(!s.drums || m.notesPerChannel[9] > 100) << s.name << ": drums";
  }
}

TEST_F(MediaFiles, HelpTextFitsTheRuleHelpViewer) {
  const auto font = Font("systm12.fgf");
  ASSERT_TRUE(font);
  const auto width = [&font](const std::string& text) {
    int w = 0;
    for (unsigned char c : text) w += font->widths[c];
    return w;
  };
  std::ifstream f(Media("HELP.TXT"));
  ASSERT_TRUE(f);
  std::map<std::string, int> pagesOf;
  std::string line, section;
  int rows = 0;
  const auto closePage = [&] {
    EXPECT_TRUE(section.empty() || rows <= 24) << section << " page " << pagesOf[section];
    rows = 0;
  };
  while (std::getline(f, line)) {
    ASSERT_LT(line.size(), 99u) << line;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("[")) {
      closePage();
      section = line.substr(1, line.find(']') - 1);
      pagesOf[section] = 1;
    } else if (section.empty()) {
      FAIL() << "text before the first section";
    } else if (line.starts_with("<BR>")) {
      closePage();
      ++pagesOf[section];
    } else if (line.starts_with("+")) {
      // Labels sit in the left column, from x 30 up to the text column at x 220.
      EXPECT_LE(width(line.substr(1)), 180) << line;
    } else {
      ++rows;
      // Text starts at x 220 in a 700-pixel dialog, inside its 8-pixel border and a margin of 4.
      EXPECT_LE(width(line), 700 - 8 - 220 - 4) << line;
    }
  }
  closePage();
  for (const char* g : {"Klondike", "Gate", "Quadrille", "Auld Lang Syne", "Block Solitaire"}) {
    EXPECT_TRUE(pagesOf.count(g) && pagesOf[g] <= 20) << g;
  }
}

TEST_F(MediaFiles, GeneratorIsDeterministic) {
  const char* tool = std::getenv("QS_MKMEDIA");
  if (!tool) QS_SKIP_MISSING("QS_MKMEDIA not set");
  // Per process: builds of other work trees may run this test at the same time.
  const fs::path dir =
      fs::temp_directory_path() / ("qs-media-determinism-" + std::to_string(getpid()));
  fs::remove_all(dir);
  ASSERT_EQ(std::system((std::string(tool) + " --out " + dir.string() + " > /dev/null").c_str()),
            0);
  int compared = 0;
  for (const auto& e : fs::recursive_directory_iterator(dir)) {
    if (!e.is_regular_file()) continue;
    const fs::path rel = fs::relative(e.path(), dir);
    EXPECT_EQ(Bytes(e.path()), Bytes(Media(rel.string()))) << rel;
    ++compared;
  }
  EXPECT_GE(compared, 70);
  fs::remove_all(dir);
}

}  // namespace
