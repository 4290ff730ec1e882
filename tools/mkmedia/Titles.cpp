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

const Rgb kGoldHi = rgb255(255, 236, 160), kGoldLo = rgb255(200, 146, 44);
const Rgb kInk = rgb255(28, 8, 12);

// The title scene without any buttons: cloth, lettering, frame and the fan of aces.
Image titleBackground() {
  Theme t = theme(0);
  t.cloth = rgb255(96, 12, 28);
  Image cloth = clothImage(t, 4242);
  Canvas c(800, 600);
  c.paint(cloth, 0, 0);
  cairo_t* cr = c.cr();
  // A double gold rule around the whole picture.
  cairo_rectangle(cr, 6.5, 6.5, 787, 587);
  setSource(cr, kGoldLo);
  cairo_set_line_width(cr, 2.0);
  cairo_stroke(cr);
  cairo_rectangle(cr, 11.5, 11.5, 777, 577);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  // Lettering.
  useFont(cr, Face::SerifBoldItalic, 76);
  outlinedText(cr, 400, 118, "Quenbry", kGoldHi, kGoldLo, kInk, 2.5);
  useFont(cr, Face::SerifBold, 34);
  {
    // Spaced capitals: each letter placed by hand.
    const std::string word = "SOLITAIRE";
    double total = 0;
    for (char ch : word) total += textWidth(cr, std::string(1, ch)) + 9;
    double x = 400 - (total - 9) / 2;
    for (char ch : word) {
      std::string s(1, ch);
      double w = textWidth(cr, s);
      outlinedText(cr, x + w / 2, 166, s, kGoldHi, kGoldLo, kInk, 2.0);
      x += w + 9;
    }
  }
  useFont(cr, Face::SerifItalic, 24);
  setSource(cr, rgb255(246, 226, 200));
  textCentered(cr, 400, 203, "Velvet Edition");
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, 400 + side * 95, 195);
    cairo_line_to(cr, 400 + side * 210, 195);
    setSource(cr, kGoldLo);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    suitPath(cr, side < 0 ? 3 : 2, 400 + side * 220, 195, 12);
    cairo_fill(cr);
  }
  // The showcase: four aces fanned in the lower right, the spade in front.
  const int suits[4] = {1, 0, 3, 2};
  for (int k = 0; k < 4; ++k) {
    Image face = cardFace(0, suits[k], 12);
    Canvas card(53, 83);
    card.paint(face, 0, 0);
    cairo_save(cr);
    cairo_translate(cr, 672, 560);
    cairo_rotate(cr, (k - 1.5) * 0.3);
    cairo_scale(cr, 1.55, 1.55);
    // A soft shadow under each card.
    roundedRect(cr, -26.5 + 2, -100 + 3, 53, 83, 4);
    setSource(cr, rgb255(0, 0, 0), 0.35);
    cairo_fill(cr);
    cairo_set_source_surface(cr, card.surface(), -26.5, -100);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
  }
  // A quiet plaque behind the game buttons keeps them readable on the velvet.
  roundedRect(cr, 134, 220, 306, 270, 14);
  setSource(cr, rgb255(20, 2, 8), 0.35);
  cairo_fill_preserve(cr);
  setSource(cr, kGoldLo, 0.6);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  useFont(cr, Face::SerifItalic, 15);
  setSource(cr, rgb255(230, 200, 160));
  textCentered(cr, 287, 515, "Choose a game");
  return c.opaque(rgb255(0, 0, 0));
}

void plaque(cairo_t* cr, double x, double y, double w, double h, bool hi) {
  roundedRect(cr, x, y, w, h, 9);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
  Rgb a = hi ? rgb255(176, 40, 60) : rgb255(104, 16, 34);
  Rgb b = hi ? rgb255(110, 14, 34) : rgb255(54, 6, 18);
  cairo_pattern_add_color_stop_rgb(g, 0, a.r, a.g, a.b);
  cairo_pattern_add_color_stop_rgb(g, 1, b.r, b.g, b.b);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  setSource(cr, hi ? kGoldHi : kGoldLo);
  cairo_set_line_width(cr, hi ? 2.0 : 1.5);
  cairo_stroke(cr);
  roundedRect(cr, x + 3, y + 3, w - 6, h - 6, 7);
  setSource(cr, kGoldLo, 0.45);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
}

Image crop(const Image& src, int x, int y, int w, int h) {
  Image img(w, h);
  img.blitPart(src, x, y, w, h, 0, 0);
  return img;
}

// The marker beside a highlighted game button: a gold coin with a spade, turning.
Image markerFrame(int f) {
  Canvas c(30, 30);
  cairo_t* cr = c.cr();
  const double a = f * 2 * M_PI / 10, sx = std::cos(a);
  const double w = std::max(0.12, std::fabs(sx));
  cairo_save(cr);
  cairo_translate(cr, 15, 15);
  cairo_scale(cr, w, 1.0);
  cairo_arc(cr, 0, 0, 13, 0, 2 * M_PI);
  cairo_pattern_t* g = cairo_pattern_create_linear(-13, -13, 13, 13);
  Rgb hi = sx >= 0 ? kGoldHi : rgb255(250, 120, 130), lo = sx >= 0 ? kGoldLo : rgb255(150, 20, 40);
  cairo_pattern_add_color_stop_rgb(g, 0, hi.r, hi.g, hi.b);
  cairo_pattern_add_color_stop_rgb(g, 1, lo.r, lo.g, lo.b);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  setSource(cr, kInk);
  cairo_set_line_width(cr, 1.2 / w);
  cairo_stroke(cr);
  cairo_arc(cr, 0, 0, 10, 0, 2 * M_PI);
  setSource(cr, kInk, 0.5);
  cairo_set_line_width(cr, 0.8 / w);
  cairo_stroke(cr);
  suitPath(cr, sx >= 0 ? 2 : 3, 0, 0, 14);
  setSource(cr, sx >= 0 ? kInk : kGoldHi);
  cairo_fill(cr);
  cairo_restore(cr);
  return c.keyed(rgb255(60, 8, 20), 0.45);
}

const char* const kButtonGames[5] = {"Auld Lang Syne", "Block Solitaire", "Klondike", "Gate",
                                     "Quadrille"};

Image symButtons(const Image& bg) {
  Image sheet(500, 480, kTransparent);
  for (int i = 0; i < 5; ++i)
    for (int hi = 0; hi < 2; ++hi) {
      Image under = crop(bg, 180, 230 + 50 * i, 250, 50);
      Canvas c(250, 50);
      c.paint(under, 0, 0);
      cairo_t* cr = c.cr();
      plaque(cr, 6.5, 5.5, 237, 39, hi);
      useFont(cr, Face::SerifBold, 20);
      outlinedText(cr, 125, 32, kButtonGames[i], hi ? rgb255(255, 250, 220) : kGoldHi,
                   hi ? kGoldHi : kGoldLo, kInk, 1.5);
      sheet.blit(c.opaque(rgb255(0, 0, 0)), 250 * hi, 50 * i);
    }
  sheet.blit(crop(bg, 548, 388, 250, 200), 0, 250);
  for (int f = 0; f < 10; ++f) sheet.blit(markerFrame(f), 30 * f, 450);
  return sheet;
}

// A corner button: icon over a caption; looks 0 normal, 1 hover, 2 pressed or disabled.
Image cornerButton(const Image& bg, int sx, int sy, bool exit, int look) {
  Image under = crop(bg, sx, sy, 84, 54);
  Canvas c(84, 54);
  c.paint(under, 0, 0);
  cairo_t* cr = c.cr();
  const double off = look == 2 ? 1 : 0;
  plaque(cr, 3.5 + off, 3.5 + off, 77, 47, look == 1);
  const Rgb ink = look == 1 ? rgb255(255, 250, 220) : kGoldHi;
  setSource(cr, ink);
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
  useFont(cr, Face::SerifBold, 13);
  outlinedText(cr, cx, 44 + off, exit ? "Exit" : "Player", ink, look == 1 ? kGoldHi : kGoldLo, kInk,
               1.2);
  return c.opaque(rgb255(0, 0, 0));
}

Image titleButtons(const Image& bg) {
  Image img(252, 108, kTransparent);
  for (int look = 0; look < 3; ++look) {
    img.blit(cornerButton(bg, 696, 15, true, look), 84 * look, 0);
    img.blit(cornerButton(bg, 20, 15, false, look), 84 * look, 54);
  }
  return img;
}

// Drop button of the combo box (closed at columns 48..64, open at 67..83) and spare up and down
// arrow buttons in the columns before them.
Image upDown() {
  Canvas c(85, 33);
  cairo_t* cr = c.cr();
  auto button = [&](double x, double y, double w, double h, bool pressed, int dir) {
    cairo_rectangle(cr, x, y, w, h);
    setSource(cr, rgb255(200, 200, 200));
    cairo_fill(cr);
    const Rgb lt = pressed ? rgb255(84, 84, 84) : rgb255(255, 255, 255);
    const Rgb dk = pressed ? rgb255(255, 255, 255) : rgb255(84, 84, 84);
    cairo_rectangle(cr, x, y, w, 1);
    cairo_rectangle(cr, x, y, 1, h);
    setSource(cr, lt);
    cairo_fill(cr);
    cairo_rectangle(cr, x, y + h - 1, w, 1);
    cairo_rectangle(cr, x + w - 1, y, 1, h);
    setSource(cr, dk);
    cairo_fill(cr);
    const double cx = x + w / 2 + (pressed ? 1 : 0), cy = y + h / 2 + (pressed ? 1 : 0);
    cairo_move_to(cr, cx - 4, cy - dir * 2);
    cairo_line_to(cr, cx + 4, cy - dir * 2);
    cairo_line_to(cr, cx, cy + dir * 2.5);
    cairo_close_path(cr);
    setSource(cr, rgb255(0, 0, 0));
    cairo_fill(cr);
  };
  button(0, 0, 17, 16, false, -1);
  button(0, 16, 17, 16, false, 1);
  button(24, 0, 17, 16, true, -1);
  button(24, 16, 17, 16, true, 1);
  button(48, 0, 17, 21, false, 1);
  button(67, 0, 17, 21, true, 1);
  return c.keyed(rgb255(200, 200, 200), 0.5);
}

// A 9 x 4 arrow sprite as colour-table runs; the first row written is the bottom one.
std::vector<uint8_t> arrowSprite(bool up, bool pressed) {
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
  std::vector<uint8_t> runs;
  for (int row = 3; row >= 0; --row) {
    int x = 0;
    while (x < 9) {
      int colour = px[row][x], n = 0;
      while (x < 9 && px[row][x] == colour) ++x, ++n;
      runs.push_back(uint8_t(colour));
      runs.push_back(uint8_t(n));
    }
  }
  return runs;
}

}  // namespace

void makeTitles(Output& out) {
  Image bg = titleBackground();
  out.jpeg("artwork/title.jpg", bg, 92);
  out.bmp("artwork/sym_btns.bmp", symButtons(bg));
  out.bmp("artwork/titlebtn.bmp", titleButtons(bg));
  out.bmp("artwork/updown.bmp", upDown());
  out.bytes("icon06w.spr", arrowSprite(true, false));
  out.bytes("icon07w.spr", arrowSprite(true, true));
  out.bytes("icon08w.spr", arrowSprite(false, false));
  out.bytes("icon09w.spr", arrowSprite(false, true));
}

}  // namespace mk
