// Draws the themed pictures: backdrops, dialog skins, menu pieces, menu columns, check marks,
// empty-pile markers and the in-game title strips.
#include "Themes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <string>

#include "Cards.h"
#include "Generators.h"
#include "engine/GameList.h"

namespace mk {

namespace {

// What the game does not fix: each theme's cloth, panels and trim. The three dark velvets share
// the gold title strip.
struct Look {
  const char* name;
  Rgb cloth;
  bool velvet;
  bool darkPanel;
  Rgb panel;
  Rgb trim;
  StripInk strip;
};

const StripInk kGoldStrip = {Rgb255(255, 232, 150), Rgb255(214, 160, 52), Rgb255(30, 14, 10),
                             Rgb255(226, 184, 84), Rgb255(40, 20, 28)};

Rgb FromGame(const ThemeRgb& c) {
  return Rgb255(c.r, c.g, c.b);
}

}  // namespace

const Theme& GetTheme(int i) {
  static const Look kLooks[kThemeCount] = {
      {"Burgundy velvet", Rgb255(112, 16, 34), true, true, Rgb255(52, 12, 22), Rgb255(206, 160, 72),
       kGoldStrip},
      {"Card-room green felt",
       Rgb255(24, 106, 60),
       false,
       false,
       Rgb255(240, 234, 214),
       Rgb255(30, 92, 54),
       {Rgb255(255, 252, 236), Rgb255(226, 214, 176), Rgb255(10, 44, 24), Rgb255(236, 222, 176),
        Rgb255(24, 106, 60)}},
      {"Midnight blue velvet", Rgb255(20, 36, 96), true, true, Rgb255(14, 22, 54),
       Rgb255(196, 160, 80), kGoldStrip},
      {"Ocean teal felt",
       Rgb255(14, 96, 106),
       false,
       false,
       Rgb255(222, 236, 232),
       Rgb255(18, 86, 94),
       {Rgb255(255, 255, 255), Rgb255(190, 226, 226), Rgb255(6, 40, 46), Rgb255(200, 232, 230),
        Rgb255(14, 96, 106)}},
      {"Amethyst velvet",
       Rgb255(80, 36, 112),
       true,
       false,
       Rgb255(234, 226, 240),
       Rgb255(92, 56, 128),
       {Rgb255(255, 240, 255), Rgb255(226, 196, 240), Rgb255(36, 12, 56), Rgb255(232, 206, 246),
        Rgb255(80, 36, 112)}},
      {"Onyx velvet", Rgb255(34, 32, 36), true, true, Rgb255(26, 24, 24), Rgb255(200, 158, 70),
       kGoldStrip},
  };
  static const std::array<Theme, kThemeCount> kThemes = [] {
    std::array<Theme, kThemeCount> all{};
    for (int k = 0; k < kThemeCount; ++k) {
      const Look& l = kLooks[k];
      const ::Theme& game = ThemeFor(k);
      all[static_cast<std::size_t>(k)] = {l.name,
                                          l.cloth,
                                          l.velvet,
                                          l.darkPanel,
                                          l.panel,
                                          l.trim,
                                          l.strip,
                                          FromGame(game.strong),
                                          FromGame(game.light),
                                          FromGame(game.highlightBar),
                                          FromGame(game.highlightText),
                                          &game};
    }
    return all;
  }();
  return kThemes[static_cast<std::size_t>(ValidBackgroundIndex(i))];
}

std::string MediaPath(const char* gameName) {
  std::string path = gameName;
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

static double Smoothstep(double e0, double e1, double v) {
  double t = std::clamp((v - e0) / (e1 - e0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

Image ClothImage(const Theme& t, std::uint32_t seed) {
  Image img(800, 600);
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) {
      double nx = (x - 400) / 470.0, ny = (y - 300) / 380.0;
      double r = std::sqrt(nx * nx + ny * ny);
      // A soft pool of light over the middle of the table, falling off into the corners.
      double light = 1.08 - 0.55 * Smoothstep(0.25, 1.25, r);
      double shade;
      if (t.velvet) {
        // Crushed velvet: broad soft folds whose slopes catch the light, over a fine pile.
        double f = Fbm(x / 220.0, y / 170.0, seed, 4);
        double f2 = Fbm(x / 220.0 + 0.015, y / 170.0 + 0.02, seed, 4);
        double sheen = std::clamp((f2 - f) * 9.0, -1.0, 1.0);
        double pile = HashNoise(x, y, seed + 5) * 0.03 + Fbm(x / 2.5, y / 2.5, seed + 9, 2) * 0.045;
        shade = 1.0 + 0.14 * f + 0.13 * sheen + pile;
      } else {
        // Felt: short random fibres and a faint mottling, no folds.
        double mott = Fbm(x / 90.0, y / 90.0, seed, 3) * 0.06;
        double fib =
            Fbm(x / 1.7, y / 5.0, seed + 3, 2) * 0.05 + Fbm(x / 5.0, y / 1.7, seed + 4, 2) * 0.05;
        double grain = HashNoise(x, y, seed + 7) * 0.03;
        shade = 1.0 + mott + fib + grain;
      }
      Rgb c = Scale(t.cloth, shade * light);
      img.At(x, y) = Pack(c);
    }
  return img;
}

void OutlinedText(cairo_t* cr, double cx, double baseline, const std::string& text, Rgb top,
                  Rgb bottom, Rgb outline, double outlineWidth) {
  double ext[4];
  InkExtents(cr, text, ext);
  TextPathCentered(cr, cx, baseline, text);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetSource(cr, outline);
  cairo_set_line_width(cr, outlineWidth * 2);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* g =
      cairo_pattern_create_linear(0, baseline + ext[1], 0, baseline + ext[1] + ext[3]);
  cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(g, 1, bottom.r, bottom.g, bottom.b);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

namespace {

Rgb Lighten(Rgb c, double t) {
  return Mix(c, Rgb255(255, 255, 255), t);
}
Rgb Darken(Rgb c, double t) {
  return Scale(c, 1 - t);
}

// A subtle texture for dialog bodies and menu columns: velvet pile on dark panels, laid paper
// on light ones.
Rgb PanelPixel(const Theme& t, int x, int y, std::uint32_t seed) {
  if (t.darkPanel) {
    double f = Fbm(x / 60.0, y / 60.0, seed, 3);
    return Scale(t.panel, 1.0 + 0.12 * f + 0.04 * HashNoise(x, y, seed + 1));
  }
  double f = Fbm(x / 80.0, y / 80.0, seed, 3);
  double laid = (y % 4 == 0) ? -0.008 : 0.0;
  return Scale(t.panel, 1.0 + 0.025 * f + 0.012 * HashNoise(x, y, seed + 1) + laid);
}

void DrawBevelFrame(cairo_t* cr, const Theme& t, double w, double h) {
  // Outer border 8 pixels: dark line, trim band with a highlight, dark inner line.
  const Rgb trim = t.trim;
  cairo_set_line_width(cr, 1.0);
  cairo_rectangle(cr, 0.5, 0.5, w - 1, h - 1);
  SetSource(cr, Darken(trim, 0.65));
  cairo_stroke(cr);
  cairo_rectangle(cr, 1, 1, w - 2, h - 2);
  cairo_rectangle(cr, 7, 7, w - 14, h - 14);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
  Rgb a = Lighten(trim, 0.25), b = Darken(trim, 0.25);
  cairo_pattern_add_color_stop_rgb(g, 0, a.r, a.g, a.b);
  cairo_pattern_add_color_stop_rgb(g, 1, b.r, b.g, b.b);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  cairo_rectangle(cr, 2.5, 2.5, w - 5, h - 5);
  SetSource(cr, Lighten(trim, 0.5), 0.7);
  cairo_stroke(cr);
  cairo_rectangle(cr, 7.5, 7.5, w - 15, h - 15);
  SetSource(cr, Darken(trim, 0.6));
  cairo_stroke(cr);
}

// Dialog skin: body with frame, title plate and the two button faces.
Image DialogSkin(const Theme& t, int index) {
  Image body(800, 735);
  for (int y = 0; y < 735; ++y)
    for (int x = 0; x < 800; ++x) body.At(x, y) = Pack(PanelPixel(t, x, y, 100 + index));
  Canvas c(800, 735);
  c.Paint(body, 0, 0);
  cairo_t* cr = c.Cr();
  // A faint inner rule a few pixels inside the frame.
  cairo_rectangle(cr, 12.5, 12.5, 800 - 25, 600 - 25);
  SetSource(cr, t.trim, t.darkPanel ? 0.35 : 0.3);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, 800, 600);
  cairo_clip(cr);
  DrawBevelFrame(cr, t, 800, 600);
  cairo_restore(cr);
  Image img = c.Opaque(t.panel);

  // Title plate, 313 x 24, keyed: a ribbon with notched ends.
  {
    Canvas p(313, 24);
    cairo_t* pc = p.Cr();
    cairo_move_to(pc, 8, 1);
    cairo_line_to(pc, 305, 1);
    cairo_line_to(pc, 312, 12);
    cairo_line_to(pc, 305, 23);
    cairo_line_to(pc, 8, 23);
    cairo_line_to(pc, 1, 12);
    cairo_close_path(pc);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 24);
    Rgb a = t.darkPanel ? Darken(t.panel, 0.45) : Lighten(t.panel, 0.6);
    Rgb b = t.darkPanel ? Lighten(t.panel, 0.06) : Darken(t.panel, 0.06);
    cairo_pattern_add_color_stop_rgb(g, 0, a.r, a.g, a.b);
    cairo_pattern_add_color_stop_rgb(g, 1, b.r, b.g, b.b);
    cairo_set_source(pc, g);
    cairo_fill_preserve(pc);
    cairo_pattern_destroy(g);
    SetSource(pc, t.trim);
    cairo_set_line_width(pc, 1.5);
    cairo_stroke(pc);
    for (int side = 0; side < 2; ++side) {
      double x = side ? 296 : 17;
      cairo_move_to(pc, x, 8);
      cairo_line_to(pc, x + 4, 12);
      cairo_line_to(pc, x, 16);
      cairo_line_to(pc, x - 4, 12);
      cairo_close_path(pc);
      SetSource(pc, t.trim);
      cairo_fill(pc);
    }
    Image plate = p.Keyed(t.panel, 0.5);
    img.Blit(plate, 288, 600);
  }

  // Button faces: unpressed at columns 0..205, pressed at 206..411, rows 628..734. The middle
  // rows are flat so that any button height cut from them joins without a seam.
  for (int pressed = 0; pressed < 2; ++pressed) {
    Canvas b(206, 107);
    cairo_t* bc = b.Cr();
    SetSource(bc, t.panel);
    cairo_paint(bc);
    Rgb face = t.darkPanel ? Lighten(t.panel, 0.12) : Darken(t.panel, 0.04);
    if (pressed) face = t.darkPanel ? Darken(face, 0.25) : Darken(face, 0.1);
    RoundedRect(bc, 0.5, 0.5, 205, 106, 3.5);
    SetSource(bc, face);
    cairo_fill(bc);
    // Top sheen and bottom shade stay within the first 10 and last 9 rows.
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 12);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, pressed ? 0.0 : 0.22);
    cairo_pattern_add_color_stop_rgba(g, 1, 1, 1, 1, 0.0);
    RoundedRect(bc, 1, 1, 204, 11, 3);
    cairo_set_source(bc, g);
    cairo_fill(bc);
    cairo_pattern_destroy(g);
    g = cairo_pattern_create_linear(0, 98, 0, 107);
    cairo_pattern_add_color_stop_rgba(g, 0, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(g, 1, 0, 0, 0, pressed ? 0.05 : 0.25);
    cairo_rectangle(bc, 1, 98, 204, 8);
    cairo_set_source(bc, g);
    cairo_fill(bc);
    cairo_pattern_destroy(g);
    RoundedRect(bc, 0.5, 0.5, 205, 106, 3.5);
    SetSource(bc, t.darkPanel ? t.trim : Darken(t.trim, 0.1));
    cairo_set_line_width(bc, 1.0);
    cairo_stroke(bc);
    RoundedRect(bc, 2.5, 2.5, 201, 102, 2);
    SetSource(bc, pressed ? Rgb255(0, 0, 0) : Rgb255(255, 255, 255), pressed ? 0.25 : 0.18);
    cairo_stroke(bc);
    img.Blit(b.Opaque(t.panel), pressed * 206, 628);
  }
  return img;
}

// Menu title pieces, 96 x 23 each: Game, View, Options, Help from rows 0, 24, 48, 72; the
// normal look at column 0 and the highlighted look at column 97.
Image MenuPieces(const Theme& t) {
  static const char* kTitles[4] = {"Game", "View", "Options", "Help"};
  Canvas c(193, 96);
  cairo_t* cr = c.Cr();
  SetSource(cr, Darken(t.cloth, 0.3));
  cairo_paint(cr);
  for (int row = 0; row < 4; ++row)
    for (int hi = 0; hi < 2; ++hi) {
      const double x = hi * 97, y = row * 24;
      // The open title wears the same bar as a highlighted item below it, so it reads as the
      // menu in use rather than a greyed-out one.
      const Rgb face = hi ? t.bar : t.panel;
      RoundedRect(cr, x + 0.5, y + 0.5, 95, 22, 4);
      cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + 23);
      Rgb a = Lighten(face, 0.12), b = Darken(face, 0.08);
      cairo_pattern_add_color_stop_rgb(g, 0, a.r, a.g, a.b);
      cairo_pattern_add_color_stop_rgb(g, 1, b.r, b.g, b.b);
      cairo_set_source(cr, g);
      cairo_fill_preserve(cr);
      cairo_pattern_destroy(g);
      SetSource(cr, t.trim);
      cairo_set_line_width(cr, 1.0);
      cairo_stroke(cr);
      UseFont(cr, Face::SansBold, 13, true);
      Rgb ink = hi ? t.barText : t.strong;
      SetSource(cr, ink);
      const std::string s = kTitles[row];
      double w = TextWidth(cr, s);
      double tx = std::round(x + 48 - w / 2);
      cairo_move_to(cr, tx, y + 16);
      cairo_show_text(cr, s.c_str());
      // The mnemonic letter is underlined, as the menu keys expect.
      double fw = TextWidth(cr, s.substr(0, 1));
      cairo_rectangle(cr, tx, y + 18, std::round(fw), 1);
      cairo_fill(cr);
    }
  return c.Opaque(t.panel);
}

// One theme's menu column, 200 x 481: top piece rows 0..3, body, bottom piece rows 477..480.
Image MenuColumn(const Theme& t, int index) {
  Image body(200, 481);
  for (int y = 0; y < 481; ++y)
    for (int x = 0; x < 200; ++x) body.At(x, y) = Pack(PanelPixel(t, x, y, 300 + index));
  Canvas c(200, 481);
  c.Paint(body, 0, 0);
  cairo_t* cr = c.Cr();
  cairo_set_line_width(cr, 1.0);
  // Side rails run the full height so any panel height cut from the body keeps them.
  cairo_rectangle(cr, 0, 0, 2, 481);
  cairo_rectangle(cr, 197, 0, 2, 481);
  SetSource(cr, t.trim);
  cairo_fill(cr);
  cairo_rectangle(cr, 2, 0, 1, 481);
  SetSource(cr, Darken(t.trim, 0.5), 0.6);
  cairo_fill(cr);
  // Top and bottom pieces: a trim band with a highlight line.
  for (int piece = 0; piece < 2; ++piece) {
    double y = piece ? 477 : 0;
    cairo_rectangle(cr, 0, y, 199, 4);
    SetSource(cr, t.trim);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, y + (piece ? 3 : 0), 199, 1);
    SetSource(cr, Darken(t.trim, 0.55));
    cairo_fill(cr);
    cairo_rectangle(cr, 1, y + 1, 197, 1);
    SetSource(cr, Lighten(t.trim, 0.35));
    cairo_fill(cr);
  }
  cairo_rectangle(cr, 199, 0, 1, 481);
  SetSource(cr, Darken(t.panel, 0.3));
  cairo_fill(cr);
  return c.Opaque(t.panel);
}

Image CheckMark(const Theme& t) {
  Canvas c(15, 13);
  cairo_t* cr = c.Cr();
  cairo_move_to(cr, 2, 7);
  cairo_line_to(cr, 5.5, 10.5);
  cairo_line_to(cr, 13, 2.5);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, 2.6);
  SetSource(cr, t.darkPanel ? Rgb255(236, 196, 90) : Darken(t.trim, 0.35));
  cairo_stroke(cr);
  return c.Keyed(t.panel, 0.45);
}

// Empty-pile markers: a plain slot, an exhausted stock and a stock that can be turned again.
Image Placeholders(const Theme& t) {
  Canvas c(160, 84);
  cairo_t* cr = c.Cr();
  const Rgb line = Lighten(t.cloth, 0.38);
  for (int m = 0; m < 3; ++m) {
    const double x = m == 0 ? 0 : (m == 1 ? 54 : 107);
    RoundedRect(cr, x + 1, 1, 51, 81, 4);
    SetSource(cr, line);
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
    const double cx = x + 26.5, cy = 41.5;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    if (m == 0) {
      // Four tiny suit signs in a diamond hint at where a pile belongs.
      for (int s = 0; s < 4; ++s) {
        double dx = (s == 1) - (s == 3), dy = (s == 2) - (s == 0);
        SuitPath(cr, s, cx + dx * 8, cy + dy * 10, 8);
        SetSource(cr, line, 0.9);
        cairo_fill(cr);
      }
    } else if (m == 1) {
      // No more turns: a crossed circle.
      cairo_arc(cr, cx, cy, 12, 0, 2 * M_PI);
      cairo_move_to(cr, cx - 8.5, cy + 8.5);
      cairo_line_to(cr, cx + 8.5, cy - 8.5);
      SetSource(cr, line);
      cairo_set_line_width(cr, 3.0);
      cairo_stroke(cr);
    } else {
      // Turn the waste again: a circular arrow.
      cairo_arc(cr, cx, cy, 12, -M_PI * 0.35, M_PI * 1.45);
      SetSource(cr, line);
      cairo_set_line_width(cr, 3.0);
      cairo_stroke(cr);
      double a = -M_PI * 0.35;
      double ex = cx + 12 * std::cos(a), ey = cy + 12 * std::sin(a);
      cairo_move_to(cr, ex + 6, ey - 2);
      cairo_line_to(cr, ex - 2.5, ey - 5.5);
      cairo_line_to(cr, ex + 0.5, ey + 5.5);
      cairo_close_path(cr);
      cairo_fill(cr);
    }
  }
  return c.Keyed(t.cloth, 0.45);
}

}  // namespace

namespace {

// One title strip: title i fills columns 0..w exactly (its ornaments touch both ends).
Image TitleStrip(const StripInk& ink) {
  const Rgb top = ink.top, bottom = ink.bottom, outline = ink.outline, ornament = ink.ornament;
  Canvas c(447, kGameTitleRowHeight * kGameTitleCount);
  cairo_t* cr = c.Cr();
  for (int i = 0; i < kGameTitleCount; ++i) {
    const double w = GameTitleWidth(i + 1);
    const double y0 = static_cast<double>(kGameTitleRowHeight) * i,
                 mid = y0 + kGameTitleRowHeight / 2.0;
    const std::string s = GameListTitle(i + 1);
    UseFont(cr, Face::SerifBold, 25);
    double ext[4];
    InkExtents(cr, s, ext);
    double textW = ext[2] + 4;
    const double minSide = 34;
    double sx = 1.0;
    if (textW + 2 * minSide > w + 1) sx = (w + 1 - 2 * minSide) / textW;
    cairo_save(cr);
    cairo_translate(cr, (w + 1) / 2.0, 0);
    cairo_scale(cr, sx, 1.0);
    OutlinedText(cr, 0, mid + 8.5, s, top, bottom, outline, 1.6);
    cairo_restore(cr);
    const double half = textW * sx / 2;
    // Ornaments: a double rule from the lettering to a diamond at each end.
    for (int side = -1; side <= 1; side += 2) {
      const double cx = (w + 1) / 2.0;
      double inner = cx + side * (half + 6), outer = side < 0 ? 7.5 : w + 1 - 7.5;
      for (int k = 0; k < 2; ++k) {
        double yy = mid - 2 + k * 4;
        cairo_move_to(cr, inner, yy);
        cairo_line_to(cr, outer, yy);
      }
      SetSource(cr, outline);
      cairo_set_line_width(cr, 3.2);
      cairo_stroke_preserve(cr);
      SetSource(cr, ornament);
      cairo_set_line_width(cr, 1.4);
      cairo_stroke(cr);
      double ex = side < 0 ? 0 : w + 1;
      cairo_move_to(cr, ex, mid);
      cairo_line_to(cr, ex - side * 7.5, mid - 7);
      cairo_line_to(cr, ex - side * 15, mid);
      cairo_line_to(cr, ex - side * 7.5, mid + 7);
      cairo_close_path(cr);
      SetSource(cr, ornament);
      cairo_fill_preserve(cr);
      SetSource(cr, outline);
      cairo_set_line_width(cr, 1.0);
      cairo_stroke(cr);
    }
  }
  Image img = c.Keyed(ink.matte, 0.5);
  // Columns past w stay transparent so the copy of exactly w + 1 columns is the whole title.
  for (int i = 0; i < kGameTitleCount; ++i)
    for (int y = kGameTitleRowHeight * i; y < kGameTitleRowHeight * (i + 1); ++y)
      for (int x = GameTitleWidth(i + 1) + 1; x < img.w; ++x) img.At(x, y) = kTransparent;
  return img;
}

}  // namespace

void MakeThemes(Output& out) {
  for (int i = 0; i < kThemeCount; ++i) {
    const Theme& t = GetTheme(i);
    const std::string n = std::to_string(i + 1);
    out.WriteJpeg("artwork/backdrop" + n + ".jpg", ClothImage(t, 1000 + i * 17), 90);
    out.WriteBmp("artwork/dialog" + n + ".bmp", DialogSkin(t, i));
    out.WriteBmp("artwork/menu" + n + ".bmp", MenuPieces(t));
    out.WriteBmp("artwork/placeholder" + n + ".bmp", Placeholders(t));
  }
  // All six menu columns side by side, one per theme.
  Image columns(1200, 481);
  for (int i = 0; i < kThemeCount; ++i) columns.Blit(MenuColumn(GetTheme(i), i), 200 * i, 0);
  out.WriteJpeg("artwork/menus.jpg", columns, 94);
  // Check marks and title strips are shared between kThemes as the game's table says; a shared
  // one is drawn in the colours of the first theme that uses it.
  constexpr int kCheckRows = 13;
  int checkHeight = 0;
  for (int i = 0; i < kThemeCount; ++i)
    checkHeight = std::max(checkHeight, GetTheme(i).game->checkRow + kCheckRows);
  Image checks(15, checkHeight, kTransparent);
  std::set<int> checkRowsDrawn;
  std::set<std::string> stripsDrawn;
  for (int i = 0; i < kThemeCount; ++i) {
    const Theme& t = GetTheme(i);
    if (checkRowsDrawn.insert(t.game->checkRow).second)
      checks.Blit(CheckMark(t), 0, t.game->checkRow);
    const std::string strip = MediaPath(t.game->titlesFile);
    if (stripsDrawn.insert(strip).second) out.WriteBmp(strip, TitleStrip(t.strip));
  }
  out.WriteBmp("artwork/checks.bmp", checks);
}

}  // namespace mk
