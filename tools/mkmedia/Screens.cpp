// Draws the full-screen pictures shown on their own: the maker's logo, the win and lose
// screens and the upgrade screen with its two buttons.
#include <cmath>
#include <string>

#include "Cards.h"
#include "Generators.h"
#include "Themes.h"

namespace mk {

namespace {

const Rgb kGoldHi = Rgb255(255, 236, 160), kGoldLo = Rgb255(200, 146, 44);
const Rgb kInk = Rgb255(20, 8, 12);

void DrawCard(cairo_t* cr, const Image& face, double x, double y, double angle, double s) {
  Canvas card(face.w, face.h);
  card.Paint(face, 0, 0);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  cairo_scale(cr, s, s);
  RoundedRect(cr, -26.5 + 2, -41.5 + 3, 53, 83, 4);
  SetSource(cr, Rgb255(0, 0, 0), 0.3);
  cairo_fill(cr);
  cairo_set_source_surface(cr, card.Surface(), -26.5, -41.5);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_restore(cr);
}

Image Logo() {
  Canvas c(800, 600);
  cairo_t* cr = c.Cr();
  cairo_pattern_t* g = cairo_pattern_create_radial(400, 290, 20, 400, 300, 520);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.16, 0.05, 0.08);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.0, 0.0, 0.0);
  cairo_set_source(cr, g);
  cairo_paint(cr);
  cairo_pattern_destroy(g);
  // The emblem: a gold ring holding the four suits around a large Q.
  cairo_arc(cr, 400, 250, 92, 0, 2 * M_PI);
  SetSource(cr, kGoldLo);
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
  cairo_arc(cr, 400, 250, 82, 0, 2 * M_PI);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  for (int k = 0; k < 4; ++k) {
    double a = -M_PI / 2 + k * M_PI / 2;
    SuitPath(cr, k, 400 + 87 * std::cos(a), 250 + 87 * std::sin(a), 16);
    SetSource(cr, k % 2 ? Rgb255(210, 40, 50) : Rgb255(250, 240, 220));
    cairo_fill(cr);
  }
  UseFont(cr, Face::SerifBoldItalic, 120);
  OutlinedText(cr, 400, 292, "Q", kGoldHi, kGoldLo, kInk, 2.5);
  UseFont(cr, Face::SerifBold, 40);
  OutlinedText(cr, 400, 420, "QUENBRY SOFTWARE", kGoldHi, kGoldLo, kInk, 2.0);
  UseFont(cr, Face::SerifItalic, 18);
  SetSource(cr, Rgb255(200, 180, 160));
  TextCentered(cr, 400, 456, "presents");
  return c.Opaque(Rgb255(0, 0, 0));
}

Image WinScreen() {
  Theme t = GetTheme(5);
  t.cloth = Rgb255(20, 70, 40);
  t.velvet = false;
  Canvas c(800, 600);
  c.Paint(ClothImage(t, 777), 0, 0);
  cairo_t* cr = c.Cr();
  // Rays of light behind the lettering.
  for (int k = 0; k < 24; ++k) {
    double a0 = k * 2 * M_PI / 24, a1 = a0 + M_PI / 48;
    cairo_move_to(cr, 400, 250);
    cairo_arc(cr, 400, 250, 700, a0, a1);
    cairo_close_path(cr);
  }
  SetSource(cr, Rgb255(255, 230, 140), 0.07);
  cairo_fill(cr);
  // The four foundations completed: each King on top, the rest cascading down the table.
  Rng rng(2024);
  const int suits[4] = {2, 3, 0, 1};
  for (int k = 0; k < 26; ++k) {
    int suit = suits[k % 4], rank = static_cast<int>(rng.Next() % 13);
    double x = 40 + rng.Uni() * 720, y = 330 + rng.Uni() * 240;
    DrawCard(cr, DrawCardFace(0, suit, rank), x, y, (rng.Uni() - 0.5) * 1.2, 1.0);
  }
  for (int k = 0; k < 4; ++k)
    DrawCard(cr, DrawCardFace(0, suits[k], 11), 220 + k * 120, 440, 0, 1.2);
  // Confetti.
  for (int k = 0; k < 220; ++k) {
    double x = rng.Uni() * 800, y = rng.Uni() * 600;
    const Rgb colours[5] = {Rgb255(250, 210, 80), Rgb255(230, 60, 70), Rgb255(90, 170, 250),
                            Rgb255(250, 250, 250), Rgb255(120, 220, 120)};
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, rng.Uni() * M_PI);
    cairo_rectangle(cr, -3, -1.5, 6, 3);
    SetSource(cr, colours[k % 5], 0.9);
    cairo_fill(cr);
    cairo_restore(cr);
  }
  UseFont(cr, Face::SerifBoldItalic, 96);
  OutlinedText(cr, 400, 210, "You Win!", kGoldHi, kGoldLo, kInk, 3.0);
  UseFont(cr, Face::SerifItalic, 26);
  SetSource(cr, Rgb255(255, 246, 220));
  TextCentered(cr, 400, 262, "Every card is home. Well played!");
  return c.Opaque(Rgb255(0, 0, 0));
}

// The game shows the first after a deal with no move left and the second after End Game, so the
// line under the heading is true either way.
Image LoseScreen(const char* why) {
  Theme t = GetTheme(2);
  t.cloth = Rgb255(34, 42, 70);
  Canvas c(800, 600);
  c.Paint(ClothImage(t, 555), 0, 0);
  cairo_t* cr = c.Cr();
  // A tidy stack of face-down cards and one card turned up: the deal that got away.
  for (int k = 0; k < 6; ++k) DrawCard(cr, DrawCardBack(2), 300 - k * 2, 400 - k, 0, 1.4);
  DrawCard(cr, DrawCardFace(0, 3, 0), 470, 395, 0.12, 1.4);
  UseFont(cr, Face::SerifBold, 70);
  OutlinedText(cr, 400, 190, "Game Over", Rgb255(236, 236, 246), Rgb255(170, 180, 210), kInk, 2.5);
  UseFont(cr, Face::SerifItalic, 26);
  SetSource(cr, Rgb255(220, 224, 240));
  TextCentered(cr, 400, 245, why);
  UseFont(cr, Face::SerifItalic, 20);
  SetSource(cr, Rgb255(200, 170, 110));
  TextCentered(cr, 400, 540, "Shuffle up and deal again!");
  return c.Opaque(Rgb255(0, 0, 0));
}

Image UpgradeBackground() {
  Theme t = GetTheme(2);
  Canvas c(800, 600);
  c.Paint(ClothImage(t, 909), 0, 0);
  cairo_t* cr = c.Cr();
  RoundedRect(cr, 60, 40, 680, 520, 16);
  SetSource(cr, Rgb255(6, 10, 30), 0.55);
  cairo_fill_preserve(cr);
  SetSource(cr, kGoldLo);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  UseFont(cr, Face::SerifBoldItalic, 48);
  OutlinedText(cr, 400, 110, "Quenbry Solitaire", kGoldHi, kGoldLo, kInk, 2.0);
  UseFont(cr, Face::SerifItalic, 24);
  SetSource(cr, Rgb255(240, 232, 214));
  TextCentered(cr, 400, 148, "Velvet Edition");
  static const char* kLines[] = {"Five classic patience games, each with its own rule settings:",
                                 "Klondike, Gate, Quadrille, Auld Lang Syne and Block Solitaire.",
                                 "",
                                 "Four card faces and twenty-one card backs to choose from,",
                                 "six tablecloths, high-score tables for every player,",
                                 "unlimited undo and music for every mood.",
                                 "",
                                 "The complete player's manual, with every rule and tip,",
                                 "opens in your web browser."};
  UseFont(cr, Face::Serif, 19);
  SetSource(cr, Rgb255(230, 226, 240));
  double y = 210;
  for (const char* l : kLines) {
    TextCentered(cr, 400, y, l);
    y += 28;
  }
  for (int k = 0; k < 4; ++k)
    DrawCard(cr, DrawCardFace(2, k, 12), 150 + k * 22, 500, -0.3 + k * 0.2, 1.0);
  return c.Opaque(Rgb255(0, 0, 0));
}

// The web and close buttons, each in three looks, baked over the picture under them.
Image UpgradeButtons(const Image& bg) {
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
      under.BlitPart(bg, b.sx, b.sy, 91, 39, 0, 0);
      Canvas c(91, 39);
      c.Paint(under, 0, 0);
      cairo_t* cr = c.Cr();
      const double off = look == 2 ? 1 : 0;
      RoundedRect(cr, 2.5 + off, 2.5 + off, 85, 33, 8);
      cairo_pattern_t* g = cairo_pattern_create_linear(0, 2, 0, 36);
      Rgb a = look == 1 ? Rgb255(70, 90, 170) : Rgb255(40, 56, 120);
      Rgb d = look == 1 ? Rgb255(30, 40, 100) : Rgb255(14, 22, 60);
      cairo_pattern_add_color_stop_rgb(g, 0, a.r, a.g, a.b);
      cairo_pattern_add_color_stop_rgb(g, 1, d.r, d.g, d.b);
      cairo_set_source(cr, g);
      cairo_fill_preserve(cr);
      cairo_pattern_destroy(g);
      SetSource(cr, look == 1 ? kGoldHi : kGoldLo);
      cairo_set_line_width(cr, 1.5);
      cairo_stroke(cr);
      UseFont(cr, Face::SerifBold, 17);
      SetSource(cr, look == 1 ? Rgb255(255, 255, 255) : kGoldHi);
      TextCentered(cr, 45.5 + off, 25 + off, b.text);
      img.Blit(c.Opaque(Rgb255(0, 0, 0)), col, b.row);
    }
  return img;
}

}  // namespace

void MakeScreens(Output& out) {
  out.WriteJpeg("artwork/logo.jpg", Logo(), 92);
  out.WriteJpeg("artwork/winscreen.jpg", WinScreen(), 90);
  out.WriteJpeg("artwork/losescreen.jpg", LoseScreen("No moves left this time."), 90);
  out.WriteJpeg("artwork/losescreen_ended.jpg", LoseScreen("You ended this deal."), 90);
  Image upg = UpgradeBackground();
  out.WriteJpeg("artwork/upgd_bak.jpg", upg, 92);
  out.WriteBmp("artwork/upgd_btn.bmp", UpgradeButtons(upg));
}

}  // namespace mk
