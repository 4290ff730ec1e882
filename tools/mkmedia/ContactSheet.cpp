// Lays every generated picture out on one PNG so the whole set can be reviewed at a glance.
#include <algorithm>
#include <fstream>
#include <iterator>

#include "Themes.h"

#include "Generators.h"

namespace mk {

namespace {

const Image* Find(const Output& out, const std::string& name) {
  for (const auto& e : out.sheet)
    if (e.name == name) return &e.img;
  return nullptr;
}

// Copies a rectangle of `src` onto `dst` skipping transparent pixels, as the game's keyed copy
// does.
void KeyedCopy(Image& dst, const Image& src, int sx, int sy, int w, int h, int dx, int dy) {
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      if (sx + i >= src.w || sy + j >= src.h) continue;
      if (!src.IsOpaque(sx + i, sy + j)) continue;
      int x = dx + i, y = dy + j;
      if (x >= 0 && y >= 0 && x < dst.w && y < dst.h) dst.At(x, y) = src.At(sx + i, sy + j);
    }
}

// Draws text with a generated FGF font the way the game does: baseline on y, glyph cells
// hanging `descent` rows below it. Returns the width drawn.
struct FgfView {
  std::vector<std::uint8_t> data;
  int a = 0, b = 0;
  bool Load(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    data.assign(std::istreambuf_iterator<char>(f), {});
    if (data.size() < 2) return false;
    a = data[0] & 0x7F, b = data[1];
    return true;
  }
  int Width(int c) const { return data[2 + (c / 64) * (128 + 64 * a * b) + c % 64]; }
  int Height(int c) const { return data[2 + (c / 64) * (128 + 64 * a * b) + 64 + c % 64]; }
  const std::uint8_t* Bits(int c) const {
    return &data[2 + (c / 64) * (128 + 64 * a * b) + 128 +
                 static_cast<std::size_t>(c % 64) * a * b];
  }
  int Descent() const {
    int h = Height('A'), rb = (Width('A') + 7) / 8, n = 0;
    for (int y = h - 1; y >= 0; --y) {
      bool blank = true;
      for (int i = 0; i < rb; ++i) blank = blank && Bits('A')[y * rb + i] == 0;
      if (!blank) break;
      ++n;
    }
    return n;
  }
  int Measure(const std::string& s) const {
    int w = 0;
    for (unsigned char c : s) w += Width(c);
    return w;
  }
  void Draw(Image& img, int x, int y, const std::string& s, Rgb colour, int justify = -1) const {
    if (data.empty()) return;
    if (justify == 0) x -= (Measure(s) - 1) / 2;
    const int bottom = y + Descent();
    for (unsigned char c : s) {
      const int w = Width(c), h = Height(c), rb = (w + 7) / 8;
      for (int row = 0; row < h; ++row)
        for (int col = 0; col < w; ++col)
          if (Bits(c)[row * rb + col / 8] & (0x80 >> (col % 8))) {
            int px = x + col, py = bottom - (h - 1) + row;
            if (px >= 0 && py >= 0 && px < img.w && py < img.h) img.At(px, py) = Pack(colour);
          }
      x += w;
    }
  }
};

// A mock-up of a game screen in one theme, put together from the generated pieces the way the
// game cuts them, so the themes can be judged in place.
Image Scene(const Output& out, int t) {
  const std::string n = std::to_string(t + 1);
  const Image* back = Find(out, "artwork/backdrop" + n + ".jpg");
  if (!back) return {};
  Image s = *back;
  if (const Image* titles = Find(out, MediaPath(GetTheme(t).game->titlesFile))) {
    const int i = 12, w = GameTitleWidth(i);
    KeyedCopy(s, *titles, 0, kGameTitleRowHeight * (i - 1), w + 1, kGameTitleRowHeight, 400 - w / 2,
              68 - 33);
  }
  if (const Image* menu = Find(out, "artwork/menu" + n + ".bmp")) {
    const int rows[4] = {0, 48, 24, 72};
    for (int k = 0; k < 4; ++k)
      s.BlitPart(*menu, k == 1 ? 97 : 0, rows[k], 96, 23, 54 + 101 * k, 2);
  }
  const Image* dlg = Find(out, "artwork/dialog" + n + ".bmp");
  auto frame = [&](int x, int y, int w, int h) {
    s.BlitPart(*dlg, 0, 0, w, h, x, y);
    s.BlitPart(*dlg, 792, 0, 8, h - 6, x + w - 8, y);
    s.BlitPart(*dlg, 0, 592, w - 8, 8, x, y + h - 8);
    s.BlitPart(*dlg, 791, 592, 9, 8, x + w - 9, y + h - 8);
  };
  if (dlg) frame(620, 0, 130, 50);
  const Image* deck = Find(out, "artwork/deck1.bmp");
  const Image* backs = Find(out, "artwork/backs.bmp");
  const Image* ph = Find(out, "artwork/placeholder" + n + ".bmp");
  if (deck && backs && ph) {
    KeyedCopy(s, *backs, 54 * 2 + 1, 0, 53, 83, 30, 100);
    KeyedCopy(s, *ph, 0, 0, 53, 83, 230, 100);
    KeyedCopy(s, *ph, 107, 0, 53, 83, 290, 100);
    KeyedCopy(s, *deck, 1, 0, 53, 83, 350, 100);
    KeyedCopy(s, *deck, 54 * 5 + 1, 84, 53, 83, 410, 100);
    for (int col = 0; col < 7; ++col) {
      for (int k = 0; k < col; ++k)
        KeyedCopy(s, *backs, 54 * 2 + 1, 0, 53, 83, 30 + col * 70, 200 + k * 5);
      const int c = (col * 3 + 7) % 13, r = col % 4;
      KeyedCopy(s, *deck, 54 * c + 1, 84 * r, 53, 83, 30 + col * 70, 200 + col * 5);
      if (col > 3)
        KeyedCopy(s, *deck, 54 * ((c + 12) % 13) + 1, 84 * ((r + 1) % 4), 53, 83, 30 + col * 70,
                  220 + col * 5);
    }
  }
  if (const Image* cols = Find(out, "artwork/menus.jpg")) {
    const int h = 4 + 6 * 21 + 4;
    s.BlitPart(*cols, 200 * t, 0, 199, h - 4, 155, 31);
    s.BlitPart(*cols, 200 * t, 477, 199, 4, 155, 31 + h - 4);
    if (const Image* checks = Find(out, "artwork/checks.bmp")) {
      const int row[6] = {0, 13, 0, 26, 39, 0};
      KeyedCopy(s, *checks, 0, row[t], 15, 13, 155 + 175, 31 + 4 + 3 * 21 + 13 - 12);
    }
  }
  const Theme& th = GetTheme(t);
  FgfView menuFont, dlgFont, smallFont;
  menuFont.Load(out.dir / "windb_10.fgf");
  dlgFont.Load(out.dir / "systm12.fgf");
  smallFont.Load(out.dir / "beng8pt.FGF");
  if (!menuFont.data.empty()) {
    static const char* kItems[6] = {"Card Front...", "Card Back...",   "Music...",
                                    "SFX",           "Auto Game Over", "Game Settings..."};
    // The second item is lit, on the bar the game draws under it.
    Image bar(191, 21, Pack(th.bar));
    s.Blit(bar, 155 + 4, 31 + 4 + 21);
    for (int k = 0; k < 6; ++k)
      menuFont.Draw(s, 165, 31 + 4 + k * 21 + 15, kItems[k], k == 1 ? th.barText : th.strong);
  }
  if (!dlgFont.data.empty()) {
    dlgFont.Draw(s, 685, 20, "Score", th.strong, 0);
    dlgFont.Draw(s, 685, 35, "1234", th.strong, 0);
  }
  if (dlg) {
    frame(200, 300, 400, 250);
    if (!dlgFont.data.empty()) {
      dlgFont.Draw(s, 400, 300 + 32, "Klondike Settings", th.strong, 0);
      dlgFont.Draw(s, 230, 300 + 70, "Cards dealt from the stock: 3", th.strong);
      dlgFont.Draw(s, 230, 300 + 90, "Only a King may fill an empty column.", th.strong);
      smallFont.Draw(s, 230, 300 + 120, "Rules view text in the small font: Recycles 2", th.strong);
      dlgFont.Draw(s, 200 + 60 + 48, 300 + 200 + 19, "OK", th.strong, 0);
      dlgFont.Draw(s, 200 + 240 + 48, 300 + 200 + 19, "Cancel", th.light, 0);
    }
    KeyedCopy(s, *dlg, 288, 600, 313, 24, 200 + 200 - 154, 300 + 38 - 23);
    for (int b = 0; b < 2; ++b) {
      const int bx = 200 + (b ? 240 : 60), by = 300 + 200, w = 100, h = 30, px = b * 206;
      s.BlitPart(*dlg, px, 628, w - 8, h - 8, bx, by);
      s.BlitPart(*dlg, px + 198, 628, 8, h - 8, bx + w - 8, by);
      s.BlitPart(*dlg, px, 726, w - 8, 9, bx, by + h - 9);
      s.BlitPart(*dlg, px + 198, 726, 8, 9, bx + w - 8, by + h - 9);
    }
  }
  return s;
}

}  // namespace

void WriteContactSheet(const Output& outIn, const std::filesystem::path& png) {
  Output out = outIn;
  for (int t = 0; t < 6; ++t) {
    Image s = Scene(outIn, t);
    if (!s.w) continue;
    out.sheet.push_back({"mock-up: theme " + std::to_string(t), s});
    if (!outIn.previewDir.empty()) {
      Canvas c(s.w, s.h);
      c.Paint(s, 0, 0);
      auto p = outIn.previewDir / ("mockup" + std::to_string(t) + ".png");
      cairo_surface_write_to_png(c.Surface(), p.c_str());
    }
  }
  const int sheetW = 1640, pad = 14, label = 16;
  struct Place {
    int x, y;
    double s;
  };
  std::vector<Place> places;
  int x = pad, y = pad, rowH = 0;
  for (const auto& e : out.sheet) {
    // Full-screen pictures are shown at half size; everything else at full size.
    double s = (e.img.w > 600 || e.img.h > 500) ? 0.5 : 1.0;
    int w = static_cast<int>(e.img.w * s), h = static_cast<int>(e.img.h * s) + label;
    w = std::max(w, 120);
    if (x + w > sheetW - pad) {
      x = pad;
      y += rowH + pad;
      rowH = 0;
    }
    places.push_back({x, y, s});
    x += w + pad;
    rowH = std::max(rowH, h);
  }
  const int sheetH = y + rowH + pad;
  Canvas c(sheetW, sheetH);
  cairo_t* cr = c.Cr();
  SetSource(cr, Rgb255(48, 48, 52));
  cairo_paint(cr);
  UseFont(cr, Face::Sans, 11, true);
  for (std::size_t i = 0; i < out.sheet.size(); ++i) {
    const auto& e = out.sheet[i];
    const Place& p = places[i];
    SetSource(cr, Rgb255(220, 220, 220));
    cairo_move_to(cr, p.x, p.y + 11);
    cairo_show_text(cr, e.name.c_str());
    // Transparent pixels show a felt green, as the table would.
    cairo_rectangle(cr, p.x, p.y + label, e.img.w * p.s, e.img.h * p.s);
    SetSource(cr, Rgb255(30, 96, 56));
    cairo_fill(cr);
    Canvas pic(e.img.w, e.img.h);
    pic.Paint(e.img, 0, 0);
    cairo_save(cr);
    cairo_translate(cr, p.x, p.y + label);
    cairo_scale(cr, p.s, p.s);
    cairo_set_source_surface(cr, pic.Surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
  }
  cairo_surface_write_to_png(c.Surface(), png.c_str());
}

}  // namespace mk
