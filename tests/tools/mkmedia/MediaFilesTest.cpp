// Checks every generated media file against what the game's readers rely on: names, sizes,
// cell layouts, transparency, font structure, sound and song headers and the rules text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>

#include "MediaParsers.h"
#include "tests/support/RequireMedia.h"

namespace {

using mt::Picture;

std::filesystem::path media(const std::string& rel) {
  return mt::mediaDir() / rel;
}

Picture bmp(const std::string& rel) {
  Picture p;
  EXPECT_TRUE(mt::readBmp(media(rel), p)) << rel << " is not a 24-bit uncompressed BMP";
  return p;
}

Picture jpeg(const std::string& rel) {
  Picture p;
  bool baseline = false;
  EXPECT_TRUE(mt::readJpeg(media(rel), p, baseline)) << rel;
  EXPECT_TRUE(baseline) << rel << " must be a baseline JPEG";
  return p;
}

// Relative luminance and contrast ratio as used for legibility of text on a background.
double luminance(uint32_t p) {
  auto lin = [](double c) {
    c /= 255;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * lin((p >> 16) & 255) + 0.7152 * lin((p >> 8) & 255) + 0.0722 * lin(p & 255);
}
double contrast(uint32_t a, uint32_t b) {
  double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
uint32_t average(const Picture& p, int x0, int y0, int w, int h) {
  double r = 0, g = 0, b = 0;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) {
      uint32_t v = p.at(x, y);
      r += (v >> 16) & 255, g += (v >> 8) & 255, b += v & 255;
    }
  const double n = double(w) * h;
  return uint32_t(r / n) << 16 | uint32_t(g / n) << 8 | uint32_t(b / n);
}

// The theme text colours the game uses: strong (normal text) and light (hover, highlight).
const uint32_t kStrong[6] = {0xDCB44F, 0x000000, 0xEBBE42, 0x000000, 0x000000, 0xDCB44F};
const uint32_t kLight[6] = {0xFFDC80, 0x625D4A, 0xFFFFFF, 0x625D4A, 0x625D4A, 0xFFDC80};

// Every size is checked before a pixel is read: the game's readers take these bounds on trust.
constexpr int kNoLimit = 1 << 20;
testing::AssertionResult sized(const Picture& p, int minW, int maxW, int minH, int maxH) {
  if (p.w >= minW && p.w <= maxW && p.h >= minH && p.h <= maxH) return testing::AssertionSuccess();
  return testing::AssertionFailure() << p.w << " x " << p.h << " is not within " << minW << "-"
                                     << maxW << " x " << minH << "-" << maxH;
}

// A 53 x 83 card image at (x, y): transparent outside its rounded corners, solid inside, and
// no colour inside that a 16-bit display would take for the transparent key.
void expectCard(const Picture& p, int x, int y, const std::string& what) {
  EXPECT_TRUE(mt::isMagenta(p.at(x, y))) << what << ": top-left corner should be transparent";
  EXPECT_TRUE(mt::isMagenta(p.at(x + 52, y + 82))) << what << ": bottom-right corner";
  int bad = 0;
  for (int j = 0; j < 83; ++j)
    for (int i = 0; i < 53; ++i) {
      const bool nearCorner = (i < 3 || i > 49) && (j < 3 || j > 79);
      if (nearCorner) continue;
      if (mt::keysAsMagenta(p.at(x + i, y + j))) ++bad;
    }
  EXPECT_EQ(bad, 0) << what << ": transparent pixels inside the card";
}

TEST(MediaFiles, DeckStripsHoldFiftyTwoDifferentCardsInTheirCells) {
  for (const char* d : {"deck1", "deck1_lg", "deck2", "deck2_lg"}) {
    const Picture face = bmp(std::string("artwork/") + d + ".bmp");
    const Picture dark = bmp(std::string("artwork/") + d + "_dark.bmp");
    ASSERT_TRUE(sized(face, 702, 702, 336, 336)) << d;
    ASSERT_TRUE(sized(dark, 702, 702, 336, 336)) << d;
    double faceLum = 0, darkLum = 0;
    // Every card is its own picture: a copy-paste slip would repeat a cell.
    std::set<std::vector<uint32_t>> cells;
    for (int row = 0; row < 4; ++row)
      for (int col = 0; col < 13; ++col) {
        const int x = 54 * col + 1, y = 84 * row;
        const std::string what =
            std::string(d) + " cell " + std::to_string(col) + "," + std::to_string(row);
        expectCard(face, x, y, what);
        expectCard(dark, x, y, what + " dark");
        // The cell's unused column and row stay transparent.
        for (int j = 0; j < 84; ++j) EXPECT_TRUE(mt::isMagenta(face.at(54 * col, y + j))) << what;
        for (int i = 0; i < 54; ++i)
          EXPECT_TRUE(mt::isMagenta(face.at(54 * col + i, y + 83))) << what;
        faceLum += luminance(average(face, x + 5, y + 5, 43, 73));
        darkLum += luminance(average(dark, x + 5, y + 5, 43, 73));
        // The dark twin keys exactly the same pixels.
        std::vector<uint32_t> cell;
        for (int j = 0; j < 83; ++j)
          for (int i = 0; i < 53; ++i) {
            ASSERT_EQ(mt::isMagenta(face.at(x + i, y + j)), mt::isMagenta(dark.at(x + i, y + j)))
                << what;
            cell.push_back(face.at(x + i, y + j));
          }
        EXPECT_TRUE(cells.insert(cell).second) << what << " repeats another card";
      }
    EXPECT_LT(darkLum, faceLum * 0.6) << d << ": highlighted cards must look clearly darker";
  }
}

TEST(MediaFiles, BacksAndMarkers) {
  const Picture backs = bmp("artwork/backs.bmp");
  ASSERT_TRUE(sized(backs, 54 * 21, 1136, 83, kNoLimit));
  for (int i = 0; i < 21; ++i) expectCard(backs, 54 * i + 1, 0, "back " + std::to_string(i));
  for (int t = 1; t <= 6; ++t) {
    const Picture m = bmp("artwork/placeholder" + std::to_string(t) + ".bmp");
    ASSERT_TRUE(sized(m, 160, 164, 83, kNoLimit)) << t;
    for (int x0 : {0, 54, 107}) {
      int opaque = 0, clear = 0;
      for (int j = 0; j < 83; ++j)
        for (int i = 0; i < 53; ++i) (mt::isMagenta(m.at(x0 + i, j)) ? clear : opaque)++;
      // A marker is an outline with a sign: mostly see-through, but clearly drawn.
      EXPECT_GT(opaque, 150) << t << " marker at " << x0;
      EXPECT_GT(clear, 53 * 83 / 2) << t << " marker at " << x0;
    }
  }
}

TEST(MediaFiles, ThemePicturesKeepTextReadable) {
  const Picture columns = jpeg("artwork/menus.jpg");
  ASSERT_TRUE(sized(columns, 1200, 1216, 481, 482));
  for (int t = 0; t < 6; ++t) {
    const std::string n = std::to_string(t + 1);
    EXPECT_TRUE(sized(jpeg("artwork/backdrop" + n + ".jpg"), 800, 800, 600, 600)) << n;
    const Picture skin = bmp("artwork/dialog" + n + ".bmp");
    ASSERT_TRUE(sized(skin, 800, 804, 735, 741)) << n;
    // Body and button faces are solid; the title plate is keyed around its shape.
    for (int y = 0; y < 600; y += 7)
      for (int x = 0; x < 800; x += 7) ASSERT_FALSE(mt::keysAsMagenta(skin.at(x, y))) << n;
    for (int y = 628; y < 735; ++y)
      for (int x = 0; x < 412; ++x) ASSERT_FALSE(mt::keysAsMagenta(skin.at(x, y))) << n;
    EXPECT_TRUE(mt::isMagenta(skin.at(288, 600)));
    EXPECT_FALSE(mt::keysAsMagenta(skin.at(288 + 156, 612)));
    const uint32_t body = average(skin, 20, 50, 760, 500);
    EXPECT_GE(contrast(body, kStrong[t]), 4.5) << "dialog text on theme " << t;
    const uint32_t plate = average(skin, 288 + 40, 604, 230, 16);
    EXPECT_GE(contrast(plate, kStrong[t]), 4.5) << "dialog title on theme " << t;
    for (int pressed = 0; pressed < 2; ++pressed) {
      const uint32_t face = average(skin, pressed * 206 + 10, 640, 180, 60);
      EXPECT_GE(contrast(face, kStrong[t]), 4.5) << "button caption, theme " << t;
      EXPECT_GE(contrast(face, kLight[t]), 3.0) << "hovered caption, theme " << t;
    }
    const uint32_t column = average(columns, 200 * t + 10, 10, 180, 460);
    EXPECT_GE(contrast(column, kStrong[t]), 4.5) << "menu text, theme " << t;
    EXPECT_GE(contrast(column, kLight[t]), 3.0) << "highlighted menu text, theme " << t;
    EXPECT_TRUE(sized(bmp("artwork/menu" + n + ".bmp"), 193, 804, 95, 901)) << n;
  }
  const Picture checks = bmp("artwork/checks.bmp");
  ASSERT_TRUE(sized(checks, 15, kNoLimit, 52, kNoLimit));
  for (int k = 0; k < 4; ++k) {
    int ink = 0;
    for (int y = 13 * k; y < 13 * k + 13; ++y)
      for (int x = 0; x < 15; ++x) ink += !mt::isMagenta(checks.at(x, y));
    EXPECT_GT(ink, 12) << "check mark " << k;
    EXPECT_LT(ink, 15 * 13 / 2) << "check mark " << k;
  }
}

TEST(MediaFiles, InGameTitlesHaveTheirExactWidths) {
  const int widths[20] = {306, 237, 392, 395, 338, 283, 444, 368, 356, 218,
                          216, 287, 347, 400, 276, 306, 403, 310, 248, 378};
  for (const char* f : {"1_3_6", "2", "4", "5"}) {
    const Picture p = bmp(std::string("artwork/ingame_title") + f + ".bmp");
    ASSERT_TRUE(sized(p, 445, 448, 680, kNoLimit)) << f;
    for (int i = 0; i < 20; ++i) {
      int left = p.w, right = -1;
      for (int y = 34 * i; y < 34 * i + 34; ++y)
        for (int x = 0; x < p.w; ++x)
          if (!mt::isMagenta(p.at(x, y))) left = std::min(left, x), right = std::max(right, x);
      EXPECT_EQ(left, 0) << f << " title " << i + 1;
      EXPECT_EQ(right, widths[i]) << f << " title " << i + 1;
    }
  }
}

TEST(MediaFiles, TitleScreenPictures) {
  for (const char* n :
       {"title", "logo", "winscreen", "losescreen", "losescreen_ended", "upgd_bak"}) {
    EXPECT_TRUE(sized(jpeg(std::string("artwork/") + n + ".jpg"), 800, 800, 600, 600)) << n;
  }
  const Picture sheet = bmp("artwork/sym_btns.bmp");
  // Highlighted buttons end at column 499; the 497-wide buffer rounds up to 500 columns.
  ASSERT_TRUE(sized(sheet, 500, 500, 480, 501));
  // The buttons and the sheet picture are solid; each marker frame is keyed around its shape.
  for (int y = 0; y < 450; y += 3)
    for (int x = 0; x < (y < 250 ? 500 : 250); x += 3)
      ASSERT_FALSE(mt::keysAsMagenta(sheet.at(x, y))) << x << "," << y;
  for (int f = 0; f < 10; ++f) {
    EXPECT_TRUE(mt::isMagenta(sheet.at(30 * f, 450))) << "frame " << f;
    int ink = 0;
    for (int y = 450; y < 480; ++y)
      for (int x = 30 * f; x < 30 * f + 30; ++x) ink += !mt::isMagenta(sheet.at(x, y));
    EXPECT_GT(ink, 30) << "frame " << f;
  }
  EXPECT_TRUE(sized(bmp("artwork/titlebtn.bmp"), 252, 256, 108, 111));
  EXPECT_TRUE(sized(bmp("artwork/upgd_btn.bmp"), 273, 276, 117, 213));
  const Picture arrows = bmp("artwork/updown.bmp");
  ASSERT_TRUE(sized(arrows, 85, 85, 33, 33));
  for (int x0 : {48, 67}) EXPECT_FALSE(mt::isMagenta(arrows.at(x0 + 8, 10))) << x0;
}

TEST(MediaFiles, ArrowSpritesAreNineByFour) {
  for (int i = 6; i <= 9; ++i) {
    const std::string n = "icon0" + std::to_string(i) + "w.spr";
    const auto d = mt::readFile(media(n));
    ASSERT_EQ(d.size() % 2, 0u) << n;
    int pixels = 0, ink = 0;
    for (size_t k = 0; k < d.size(); k += 2) {
      pixels += d[k + 1];
      if (d[k] == 0) ink += d[k + 1];
    }
    EXPECT_EQ(pixels, 9 * 4) << n;
    EXPECT_EQ(ink, 1 + 3 + 5 + 7) << n << ": a solid triangle";
  }
}

TEST(MediaFiles, FontsAreCompleteAndShareOneCell) {
  for (const char* n : {"windb_10.fgf", "systm12.fgf", "systm12b.fgf", "beng8pt.FGF"}) {
    mt::Font f;
    std::string why;
    ASSERT_TRUE(mt::readFgf(media(n), f, why)) << n << ": " << why;
    const int cell = f.height['A'];
    EXPECT_GE(cell, 10) << n;
    EXPECT_LE(cell, 17) << n;
    const int descent = f.descent();
    EXPECT_GE(descent, 2) << n;
    for (int c = 0; c < 256; ++c) {
      const bool printable = (c >= 0x20 && c < 0x7F) || c >= 0xA0;
      if (!printable) continue;
      EXPECT_GT(f.width[c], 0) << n << " code " << c;
      EXPECT_EQ(f.height[c], cell) << n << " code " << c;
      if (c == 0x20 || c == 0xA0 || c == 0xAD) continue;
      int ink = 0;
      for (int y = 0; y < f.height[c]; ++y)
        for (int x = 0; x < f.width[c]; ++x) ink += f.pixel(c, x, y);
      EXPECT_GT(ink, 0) << n << " code " << c << " has no glyph";
    }
    // Descenders hang below the baseline, into the rows under "A".
    for (char c : std::string("gjpqy")) {
      int below = 0;
      for (int y = cell - descent; y < cell; ++y)
        for (int x = 0; x < f.width[int(c)]; ++x) below += f.pixel(c, x, y);
      EXPECT_GT(below, 0) << n << " '" << c << "'";
    }
  }
}

TEST(MediaFiles, SoundEffectsAreShortCleanPcm) {
  for (const char* s :
       {"button", "deal", "flip", "foundation", "tableau", "undo", "shuffle", "invalid"}) {
    mt::Wave w;
    ASSERT_TRUE(mt::readWav(media(std::string("SFX/") + s + ".wav"), w)) << s;
    EXPECT_EQ(w.format, 1) << s;
    EXPECT_EQ(w.channels, 1) << s;
    EXPECT_EQ(w.rate, 22050) << s;
    EXPECT_EQ(w.bits, 16) << s;
    const double ms = w.samples.size() * 1000.0 / 22050;
    EXPECT_GE(ms, 40) << s;
    EXPECT_LE(ms, std::string(s) == "shuffle" ? 400 : 160) << s;
    int peak = 0;
    for (int16_t v : w.samples) peak = std::max(peak, std::abs(int(v)));
    EXPECT_GT(peak, 6000) << s << " is nearly silent";
    EXPECT_LT(peak, 32000) << s << " clips";
    EXPECT_LT(std::abs(int(w.samples.back())), 200) << s << " ends with a click";
    // The opening deal waits for its sound 28 times: within two of the device's 512-frame
    // blocks, or the deal outlasts its time.
    if (std::string(s) == "deal") {
      EXPECT_LE(w.samples.size(), 1024u);
    }
  }
}

TEST(MediaFiles, SongsArePlayableGeneralMidi) {
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
    mt::Midi m;
    std::string why;
    ASSERT_TRUE(mt::readSmf(media(std::string("music/") + s.name + ".MID"), m, why))
        << s.name << ": " << why;
    EXPECT_EQ(m.format, 1) << s.name;
    EXPECT_TRUE(m.hasTempo) << s.name;
    EXPECT_EQ(m.unmatchedOffs, 0) << s.name;
    EXPECT_EQ(m.danglingOns, 0) << s.name << ": notes left sounding";
    EXPECT_GE(m.seconds, s.minSec) << s.name;
    EXPECT_LE(m.seconds, s.maxSec) << s.name;
    // Melody, harmony and bass at least: three voiced channels.
    int voices = 0;
    for (int ch = 0; ch < 16; ++ch) voices += m.notesPerChannel[size_t(ch)] > 0;
    EXPECT_GE(voices, 3) << s.name;
    if (s.drums) {
      EXPECT_GT(m.notesPerChannel[9], 100) << s.name;
    }
  }
}

TEST(MediaFiles, HelpTextFitsTheRuleHelpViewer) {
  mt::Font font;
  std::string why;
  ASSERT_TRUE(mt::readFgf(media("systm12.fgf"), font, why)) << why;
  std::ifstream f(media("HELP.TXT"));
  ASSERT_TRUE(f);
  std::map<std::string, int> pagesOf;
  std::string line, section;
  int rows = 0;
  auto closePage = [&] {
    if (!section.empty()) {
      EXPECT_LE(rows, 24) << section << " page " << pagesOf[section];
    }
    rows = 0;
  };
  while (std::getline(f, line)) {
    ASSERT_LT(line.size(), 99u) << line;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') {
      closePage();
      section = line.substr(1, line.find(']') - 1);
      pagesOf[section] = 1;
      continue;
    }
    ASSERT_FALSE(section.empty()) << "text before the first section";
    if (line.rfind("<BR>", 0) == 0) {
      closePage();
      ++pagesOf[section];
      continue;
    }
    if (!line.empty() && line[0] == '+') {
      // Labels sit in the left column, from x 30 up to the text column at x 220.
      EXPECT_LE(font.textWidth(line.substr(1)), 180) << line;
      continue;
    }
    ++rows;
    // Text lines start at x 220 in a 700-pixel dialog, inside its 8-pixel border and a margin of 4.
    EXPECT_LE(font.textWidth(line), 700 - 8 - 220 - 4) << line;
  }
  closePage();
  for (const char* g : {"Klondike", "Gate", "Quadrille", "Auld Lang Syne", "Block Solitaire"}) {
    ASSERT_TRUE(pagesOf.count(g)) << g;
    EXPECT_LE(pagesOf[g], 20) << g;
  }
}

TEST(MediaFiles, GeneratorIsDeterministic) {
  const char* tool = std::getenv("QS_MKMEDIA");
  if (!tool) QS_SKIP_MISSING("QS_MKMEDIA not set");
  const auto dir = std::filesystem::temp_directory_path() / "qs-media-determinism";
  std::filesystem::remove_all(dir);
  const std::string cmd = std::string(tool) + " --out " + dir.string() + " > /dev/null";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  int compared = 0;
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir)) {
    if (!e.is_regular_file()) continue;
    const auto rel = std::filesystem::relative(e.path(), dir);
    EXPECT_EQ(mt::readFile(e.path()), mt::readFile(mt::mediaDir() / rel)) << rel;
    ++compared;
  }
  EXPECT_GE(compared, 70);
  std::filesystem::remove_all(dir);
}

}  // namespace
