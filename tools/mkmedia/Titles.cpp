// Draws the title screen: its picture, the sheet of game buttons with the animated marker, the
// two corner buttons, and the small widget pictures (drop button and spin-box arrows).
#include <cmath>
#include <string>

#include "Cards.h"
#include "Generators.h"
#include "Themes.h"
#include "Writers.h"

namespace mk {

namespace {

const Rgb kGoldHi = Rgb255(255, 236, 160), kGoldLo = Rgb255(200, 146, 44);
const Rgb kInk = Rgb255(28, 8, 12);

// The title scene without any buttons: cloth, lettering, frame and the fan of aces.
Image TitleBackground() {
  Theme t = GetTheme(0);
  t.cloth = Rgb255(96, 12, 28);
  Image cloth = ClothImage(t, 4242);
  Canvas c(800, 600);
  c.Paint(cloth, 0, 0);
  cairo_t* cr = c.Cr();
  // A double gold rule around the whole picture.
  cairo_rectangle(cr, 6.5, 6.5, 787, 587);
  SetSource(cr, kGoldLo);
  cairo_set_line_width(cr, 2.0);
  cairo_stroke(cr);
  cairo_rectangle(cr, 11.5, 11.5, 777, 577);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  // Lettering.
  UseFont(cr, Face::SerifBoldItalic, 76);
  OutlinedText(cr, 400, 118, "Quenbry", kGoldHi, kGoldLo, kInk, 2.5);
  UseFont(cr, Face::SerifBold, 34);
  {
    // Spaced capitals: each letter placed by hand.
    const std::string word = "SOLITAIRE";
    double total = 0;
    for (char ch : word) total += TextWidth(cr, std::string(1, ch)) + 9;
    double x = 400 - (total - 9) / 2;
    for (char ch : word) {
      std::string s(1, ch);
      double w = TextWidth(cr, s);
      OutlinedText(cr, x + w / 2, 166, s, kGoldHi, kGoldLo, kInk, 2.0);
      x += w + 9;
    }
  }
  UseFont(cr, Face::SerifItalic, 24);
  SetSource(cr, Rgb255(246, 226, 200));
  TextCentered(cr, 400, 203, "Velvet Edition");
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, 400 + side * 95, 195);
    cairo_line_to(cr, 400 + side * 210, 195);
    SetSource(cr, kGoldLo);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    SuitPath(cr, side < 0 ? 3 : 2, 400 + side * 220, 195, 12);
    cairo_fill(cr);
  }
  // The showcase: four aces fanned in the lower right, the spade in front.
  const int suits[4] = {1, 0, 3, 2};
  for (int k = 0; k < 4; ++k) {
    Image face = DrawCardFace(0, suits[k], 12);
    Canvas card(53, 83);
    card.Paint(face, 0, 0);
    cairo_save(cr);
    cairo_translate(cr, 672, 560);
    cairo_rotate(cr, (k - 1.5) * 0.3);
    cairo_scale(cr, 1.55, 1.55);
    // A soft shadow under each card.
    RoundedRect(cr, -26.5 + 2, -100 + 3, 53, 83, 4);
    SetSource(cr, Rgb255(0, 0, 0), 0.35);
    cairo_fill(cr);
    cairo_set_source_surface(cr, card.Surface(), -26.5, -100);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
  }
  // A quiet plaque behind the game buttons keeps them readable on the velvet.
  RoundedRect(cr, 134, 220, 306, 270, 14);
  SetSource(cr, Rgb255(20, 2, 8), 0.35);
  cairo_fill_preserve(cr);
  SetSource(cr, kGoldLo, 0.6);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  UseFont(cr, Face::SerifItalic, 15);
  SetSource(cr, Rgb255(230, 200, 160));
  TextCentered(cr, 287, 515, "Choose a game");
  return c.Opaque(Rgb255(0, 0, 0));
}

void DrawPlaque(cairo_t* cr, double x, double y, double w, double h, bool hi) {
  RoundedRect(cr, x, y, w, h, 9);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
  Rgb a = hi ? Rgb255(176, 40, 60) : Rgb255(104, 16, 34);
  Rgb b = hi ? Rgb255(110, 14, 34) : Rgb255(54, 6, 18);
  cairo_pattern_add_color_stop_rgb(g, 0, a.r, a.g, a.b);
  cairo_pattern_add_color_stop_rgb(g, 1, b.r, b.g, b.b);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  SetSource(cr, hi ? kGoldHi : kGoldLo);
  cairo_set_line_width(cr, hi ? 2.0 : 1.5);
  cairo_stroke(cr);
  RoundedRect(cr, x + 3, y + 3, w - 6, h - 6, 7);
  SetSource(cr, kGoldLo, 0.45);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
}

Image Crop(const Image& src, int x, int y, int w, int h) {
  Image img(w, h);
  img.BlitPart(src, x, y, w, h, 0, 0);
  return img;
}

// The marker beside a highlighted game button: a gold coin with a spade, turning.
Image MarkerFrame(int f) {
  Canvas c(30, 30);
  cairo_t* cr = c.Cr();
  const double a = f * 2 * M_PI / 10, sx = std::cos(a);
  const double w = std::max(0.12, std::fabs(sx));
  cairo_save(cr);
  cairo_translate(cr, 15, 15);
  cairo_scale(cr, w, 1.0);
  cairo_arc(cr, 0, 0, 13, 0, 2 * M_PI);
  cairo_pattern_t* g = cairo_pattern_create_linear(-13, -13, 13, 13);
  Rgb hi = sx >= 0 ? kGoldHi : Rgb255(250, 120, 130), lo = sx >= 0 ? kGoldLo : Rgb255(150, 20, 40);
  cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
  cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  SetSource(cr, kInk);
  cairo_set_line_width(cr, 1.2 / w);
  cairo_stroke(cr);
  cairo_arc(cr, 0, 0, 10, 0, 2 * M_PI);
  SetSource(cr, kInk, 0.5);
  cairo_set_line_width(cr, 0.8 / w);
  cairo_stroke(cr);
  SuitPath(cr, sx >= 0 ? 2 : 3, 0, 0, 14);
  SetSource(cr, sx >= 0 ? kInk : kGoldHi);
  cairo_fill(cr);
  cairo_restore(cr);
  return c.Keyed(Rgb255(60, 8, 20), 0.45);
}

const char* const kButtonGames[5] = {"Auld Lang Syne", "Block Solitaire", "Klondike", "Gate",
                                     "Quadrille"};

Image SymButtons(const Image& bg) {
  Image sheet(500, 480, kTransparent);
  for (int i = 0; i < 5; ++i)
    for (int hi = 0; hi < 2; ++hi) {
      Image under = Crop(bg, 180, 230 + 50 * i, 250, 50);
      Canvas c(250, 50);
      c.Paint(under, 0, 0);
      cairo_t* cr = c.Cr();
      DrawPlaque(cr, 6.5, 5.5, 237, 39, hi);
      UseFont(cr, Face::SerifBold, 20);
      OutlinedText(cr, 125, 32, kButtonGames[i], hi ? Rgb255(255, 250, 220) : kGoldHi,
                   hi ? kGoldHi : kGoldLo, kInk, 1.5);
      sheet.Blit(c.Opaque(Rgb255(0, 0, 0)), 250 * hi, 50 * i);
    }
  sheet.Blit(Crop(bg, 548, 388, 250, 200), 0, 250);
  for (int f = 0; f < 10; ++f) sheet.Blit(MarkerFrame(f), 30 * f, 450);
  return sheet;
}

// A corner button: icon over a caption; looks 0 normal, 1 hover, 2 pressed or disabled.
Image CornerButton(const Image& bg, int sx, int sy, bool exit, int look) {
  Image under = Crop(bg, sx, sy, 84, 54);
  Canvas c(84, 54);
  c.Paint(under, 0, 0);
  cairo_t* cr = c.Cr();
  const double off = look == 2 ? 1 : 0;
  DrawPlaque(cr, 3.5 + off, 3.5 + off, 77, 47, look == 1);
  const Rgb ink = look == 1 ? Rgb255(255, 250, 220) : kGoldHi;
  SetSource(cr, ink);
  cairo_set_line_width(cr, 2.0);
  const double cx = 42 + off, cy = 21 + off;
  if (exit) {
    // A power sign: an open ring with a bar.
    cairo_arc(cr, cx, cy, 8, -M_PI / 2 + 0.7, 1.5 * M_PI - 0.7);
    cairo_stroke(cr);
    cairo_move_to(cr, cx, cy - 11);
    cairo_line_to(cr, cx, cy - 2);
    cairo_stroke(cr);
  } else {
    // A player: head and shoulders.
    cairo_arc(cr, cx, cy - 5, 4.5, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy + 11, 9, M_PI, 2 * M_PI);
    cairo_fill(cr);
  }
  UseFont(cr, Face::SerifBold, 13);
  OutlinedText(cr, cx, 44 + off, exit ? "Exit" : "Player", ink, look == 1 ? kGoldHi : kGoldLo, kInk,
               1.2);
  return c.Opaque(Rgb255(0, 0, 0));
}

Image TitleButtons(const Image& bg) {
  Image img(252, 108, kTransparent);
  for (int look = 0; look < 3; ++look) {
    img.Blit(CornerButton(bg, 696, 15, true, look), 84 * look, 0);
    img.Blit(CornerButton(bg, 20, 15, false, look), 84 * look, 54);
  }
  return img;
}

// Drop button of the combo box (closed at columns 48..64, open at 67..83) and spare up and down
// arrow buttons in the columns before them.
Image UpDown() {
  Canvas c(85, 33);
  cairo_t* cr = c.Cr();
  auto button = [&](double x, double y, double w, double h, bool pressed, int dir) {
    cairo_rectangle(cr, x, y, w, h);
    SetSource(cr, Rgb255(200, 200, 200));
    cairo_fill(cr);
    const Rgb lt = pressed ? Rgb255(84, 84, 84) : Rgb255(255, 255, 255);
    const Rgb dk = pressed ? Rgb255(255, 255, 255) : Rgb255(84, 84, 84);
    cairo_rectangle(cr, x, y, w, 1);
    cairo_rectangle(cr, x, y, 1, h);
    SetSource(cr, lt);
    cairo_fill(cr);
    cairo_rectangle(cr, x, y + h - 1, w, 1);
    cairo_rectangle(cr, x + w - 1, y, 1, h);
    SetSource(cr, dk);
    cairo_fill(cr);
    const double cx = x + w / 2 + (pressed ? 1 : 0), cy = y + h / 2 + (pressed ? 1 : 0);
    cairo_move_to(cr, cx - 4, cy - dir * 2);
    cairo_line_to(cr, cx + 4, cy - dir * 2);
    cairo_line_to(cr, cx, cy + dir * 2.5);
    cairo_close_path(cr);
    SetSource(cr, Rgb255(0, 0, 0));
    cairo_fill(cr);
  };
  button(0, 0, 17, 16, false, -1);
  button(0, 16, 17, 16, false, 1);
  button(24, 0, 17, 16, true, -1);
  button(24, 16, 17, 16, true, 1);
  button(48, 0, 17, 21, false, 1);
  button(67, 0, 17, 21, true, 1);
  return c.Keyed(Rgb255(200, 200, 200), 0.5);
}

// A 9 x 4 arrow sprite as colour-table runs; the first row written is the bottom one.
std::vector<std::uint8_t> ArrowSprite(bool up, bool pressed) {
  const int bg = 17, ink = 0;  // (170, 170, 170) matches the bevel face; (0, 0, 0)
  int px[4][9];
  for (int row = 0; row < 4; ++row) {
    // Rows from the top: the tip row is 1 wide, then 3, 5, 7.
    int topRow = up ? row : 3 - row;
    int half = topRow;
    for (int x = 0; x < 9; ++x) {
      int cx = 4 + (pressed ? 1 : 0);
      px[row][x] = (std::abs(x - cx) <= half && x - cx < 4) ? ink : bg;
    }
  }
  std::vector<std::uint8_t> runs;
  for (int row = 3; row >= 0; --row) {
    int x = 0;
    while (x < 9) {
      int colour = px[row][x], n = 0;
      while (x < 9 && px[row][x] == colour) ++x, ++n;
      runs.push_back(static_cast<std::uint8_t>(colour));
      runs.push_back(static_cast<std::uint8_t>(n));
    }
  }
  return runs;
}

}  // namespace

void MakeTitles(Output& out) {
  Image bg = TitleBackground();
  out.WriteJpeg("artwork/title.jpg", bg, 92);
  out.WriteBmp("artwork/sym_btns.bmp", SymButtons(bg));
  out.WriteBmp("artwork/titlebtn.bmp", TitleButtons(bg));
  out.WriteBmp("artwork/updown.bmp", UpDown());
  out.WriteBytes("icon06w.spr", ArrowSprite(true, false));
  out.WriteBytes("icon07w.spr", ArrowSprite(true, true));
  out.WriteBytes("icon08w.spr", ArrowSprite(false, false));
  out.WriteBytes("icon09w.spr", ArrowSprite(false, true));
}

}  // namespace mk
