// Draws the full-screen pictures shown on their own: the maker's logo, the win and lose
// screens and the upgrade screen with its two buttons.
#include <cmath>
#include <string>

#include "Cards.h"
#include "Generators.h"
#include "Themes.h"

namespace mk {

namespace {

const Rgb kGoldHi = rgb255(255, 236, 160), kGoldLo = rgb255(200, 146, 44);
const Rgb kInk = rgb255(20, 8, 12);

void drawCard(cairo_t* cr, const Image& face, double x, double y, double angle, double s) {
  Canvas card(face.w, face.h);
  card.paint(face, 0, 0);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  cairo_scale(cr, s, s);
  roundedRect(cr, -26.5 + 2, -41.5 + 3, 53, 83, 4);
  setSource(cr, rgb255(0, 0, 0), 0.3);
  cairo_fill(cr);
  cairo_set_source_surface(cr, card.surface(), -26.5, -41.5);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_restore(cr);
}

Image logo() {
  Canvas c(800, 600);
  cairo_t* cr = c.cr();
  cairo_pattern_t* g = cairo_pattern_create_radial(400, 290, 20, 400, 300, 520);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.16, 0.05, 0.08);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.0, 0.0, 0.0);
  cairo_set_source(cr, g);
  cairo_paint(cr);
  cairo_pattern_destroy(g);
  // The emblem: a gold ring holding the four suits around a large Q.
  cairo_arc(cr, 400, 250, 92, 0, 2 * M_PI);
  setSource(cr, kGoldLo);
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
  cairo_arc(cr, 400, 250, 82, 0, 2 * M_PI);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  for (int k = 0; k < 4; ++k) {
    double a = -M_PI / 2 + k * M_PI / 2;
    suitPath(cr, k, 400 + 87 * std::cos(a), 250 + 87 * std::sin(a), 16);
    setSource(cr, k % 2 ? rgb255(210, 40, 50) : rgb255(250, 240, 220));
    cairo_fill(cr);
  }
  useFont(cr, Face::SerifBoldItalic, 120);
  outlinedText(cr, 400, 292, "Q", kGoldHi, kGoldLo, kInk, 2.5);
  useFont(cr, Face::SerifBold, 40);
  outlinedText(cr, 400, 420, "QUENBRY SOFTWARE", kGoldHi, kGoldLo, kInk, 2.0);
  useFont(cr, Face::SerifItalic, 18);
  setSource(cr, rgb255(200, 180, 160));
  textCentered(cr, 400, 456, "presents");
  return c.opaque(rgb255(0, 0, 0));
}

Image winScreen() {
  Theme t = theme(5);
  t.cloth = rgb255(20, 70, 40);
  t.velvet = false;
  Canvas c(800, 600);
  c.paint(clothImage(t, 777), 0, 0);
  cairo_t* cr = c.cr();
  // Rays of light behind the lettering.
  for (int k = 0; k < 24; ++k) {
    double a0 = k * 2 * M_PI / 24, a1 = a0 + M_PI / 48;
    cairo_move_to(cr, 400, 250);
    cairo_arc(cr, 400, 250, 700, a0, a1);
    cairo_close_path(cr);
  }
  setSource(cr, rgb255(255, 230, 140), 0.07);
  cairo_fill(cr);
  // The four foundations completed: each King on top, the rest cascading down the table.
  Rng rng(2024);
  const int suits[4] = {2, 3, 0, 1};
  for (int k = 0; k < 26; ++k) {
    int suit = suits[k % 4], rank = int(rng.next() % 13);
    double x = 40 + rng.uni() * 720, y = 330 + rng.uni() * 240;
    drawCard(cr, cardFace(0, suit, rank), x, y, (rng.uni() - 0.5) * 1.2, 1.0);
  }
  for (int k = 0; k < 4; ++k) drawCard(cr, cardFace(0, suits[k], 11), 220 + k * 120, 440, 0, 1.2);
  // Confetti.
  for (int k = 0; k < 220; ++k) {
    double x = rng.uni() * 800, y = rng.uni() * 600;
    const Rgb colours[5] = {rgb255(250, 210, 80), rgb255(230, 60, 70), rgb255(90, 170, 250),
                            rgb255(250, 250, 250), rgb255(120, 220, 120)};
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, rng.uni() * M_PI);
    cairo_rectangle(cr, -3, -1.5, 6, 3);
    setSource(cr, colours[k % 5], 0.9);
    cairo_fill(cr);
    cairo_restore(cr);
  }
  useFont(cr, Face::SerifBoldItalic, 96);
  outlinedText(cr, 400, 210, "You Win!", kGoldHi, kGoldLo, kInk, 3.0);
  useFont(cr, Face::SerifItalic, 26);
  setSource(cr, rgb255(255, 246, 220));
  textCentered(cr, 400, 262, "Every card is home. Well played!");
  return c.opaque(rgb255(0, 0, 0));
}

Image loseScreen() {
  Theme t = theme(2);
  t.cloth = rgb255(34, 42, 70);
  Canvas c(800, 600);
  c.paint(clothImage(t, 555), 0, 0);
  cairo_t* cr = c.cr();
  // A tidy stack of face-down cards and one card turned up: the deal that got away.
  for (int k = 0; k < 6; ++k) drawCard(cr, cardBack(2), 300 - k * 2, 400 - k, 0, 1.4);
  drawCard(cr, cardFace(0, 3, 0), 470, 395, 0.12, 1.4);
  useFont(cr, Face::SerifBold, 70);
  outlinedText(cr, 400, 190, "Game Over", rgb255(236, 236, 246), rgb255(170, 180, 210), kInk, 2.5);
  useFont(cr, Face::SerifItalic, 26);
  setSource(cr, rgb255(220, 224, 240));
  textCentered(cr, 400, 245, "No moves left this time.");
  useFont(cr, Face::SerifItalic, 20);
  setSource(cr, rgb255(200, 170, 110));
  textCentered(cr, 400, 540, "Shuffle up and deal again!");
  return c.opaque(rgb255(0, 0, 0));
}

Image upgradeBackground() {
  Theme t = theme(2);
  Canvas c(800, 600);
  c.paint(clothImage(t, 909), 0, 0);
  cairo_t* cr = c.cr();
  roundedRect(cr, 60, 40, 680, 520, 16);
  setSource(cr, rgb255(6, 10, 30), 0.55);
  cairo_fill_preserve(cr);
  setSource(cr, kGoldLo);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  useFont(cr, Face::SerifBoldItalic, 48);
  outlinedText(cr, 400, 110, "Quenbry Solitaire", kGoldHi, kGoldLo, kInk, 2.0);
  useFont(cr, Face::SerifItalic, 24);
  setSource(cr, rgb255(240, 232, 214));
  textCentered(cr, 400, 148, "Velvet Edition");
  static const char* lines[] = {"Five classic patience games, each with its own rule settings:",
                                "Klondike, Gate, Quadrille, Auld Lang Syne and Block Solitaire.",
                                "",
                                "Four card faces and twenty-one card backs to choose from,",
                                "six tablecloths, high-score tables for every player,",
                                "unlimited undo and music for every mood.",
                                "",
                                "The complete player's manual, with every rule and tip,",
                                "opens in your web browser."};
  useFont(cr, Face::Serif, 19);
  setSource(cr, rgb255(230, 226, 240));
  double y = 210;
  for (const char* l : lines) {
    textCentered(cr, 400, y, l);
    y += 28;
  }
  for (int k = 0; k < 4; ++k)
    drawCard(cr, cardFace(2, k, 12), 150 + k * 22, 500, -0.3 + k * 0.2, 1.0);
  return c.opaque(rgb255(0, 0, 0));
}

// The web and close buttons, each in three looks, baked over the picture under them.
Image upgradeButtons(const Image& bg) {
  Image img(273, 117, kTransparent);
  struct B {
    int sx, sy, row;
    const char* text;
  };
  const B buttons[2] = {{356, 472, 39, "Manual"}, {596, 505, 78, "Close"}};
  for (const B& b : buttons)
    for (int look = 0; look < 3; ++look) {
      // Columns: hover at 0, pressed (and disabled) at 91, normal at 182.
      const int col = look == 0 ? 182 : (look == 1 ? 0 : 91);
      Image under(91, 39);
      under.blitPart(bg, b.sx, b.sy, 91, 39, 0, 0);
      Canvas c(91, 39);
      c.paint(under, 0, 0);
      cairo_t* cr = c.cr();
      const double off = look == 2 ? 1 : 0;
      roundedRect(cr, 2.5 + off, 2.5 + off, 85, 33, 8);
      cairo_pattern_t* g = cairo_pattern_create_linear(0, 2, 0, 36);
      Rgb a = look == 1 ? rgb255(70, 90, 170) : rgb255(40, 56, 120);
      Rgb d = look == 1 ? rgb255(30, 40, 100) : rgb255(14, 22, 60);
      cairo_pattern_add_color_stop_rgb(g, 0, a.r, a.g, a.b);
      cairo_pattern_add_color_stop_rgb(g, 1, d.r, d.g, d.b);
      cairo_set_source(cr, g);
      cairo_fill_preserve(cr);
      cairo_pattern_destroy(g);
      setSource(cr, look == 1 ? kGoldHi : kGoldLo);
      cairo_set_line_width(cr, 1.5);
      cairo_stroke(cr);
      useFont(cr, Face::SerifBold, 17);
      setSource(cr, look == 1 ? rgb255(255, 255, 255) : kGoldHi);
      textCentered(cr, 45.5 + off, 25 + off, b.text);
      img.blit(c.opaque(rgb255(0, 0, 0)), col, b.row);
    }
  return img;
}

}  // namespace

void makeScreens(Output& out) {
  out.jpeg("artwork/logo.jpg", logo(), 92);
  out.jpeg("artwork/winscreen.jpg", winScreen(), 90);
  out.jpeg("artwork/losescreen.jpg", loseScreen(), 90);
  Image upg = upgradeBackground();
  out.jpeg("artwork/upgd_bak.jpg", upg, 92);
  out.bmp("artwork/upgd_btn.bmp", upgradeButtons(upg));
}

}  // namespace mk
