// Draws the four card fronts (with their darkened twins) and lays them out in the deck strips.
#include "Cards.h"

#include <array>
#include <cmath>
#include <string>

namespace mk {

namespace {

const char* const kRankText[13] = {"2", "3",  "4", "5", "6", "7", "8",
                                   "9", "10", "J", "Q", "K", "A"};

struct DeckLook {
  Rgb face, border;
  std::array<Rgb, 4> suit;  // by suit number
  bool largeIndex;
  Rgb courtA, courtB, courtGold, courtTint;
};

DeckLook DeckLookFor(int style) {
  DeckLook d;
  const bool fourColour = style >= 2;
  d.largeIndex = style == 1 || style == 3;
  d.border = Rgb255(58, 58, 64);
  if (!fourColour) {
    d.face = Rgb255(253, 253, 250);
    d.suit = {Rgb255(20, 20, 24), Rgb255(200, 22, 36), Rgb255(20, 20, 24), Rgb255(200, 22, 36)};
    d.courtA = Rgb255(178, 28, 40);
    d.courtB = Rgb255(28, 58, 140);
    d.courtGold = Rgb255(232, 178, 40);
    d.courtTint = Rgb255(252, 244, 222);
  } else {
    d.face = Rgb255(252, 249, 240);
    d.suit = {Rgb255(18, 122, 52), Rgb255(22, 86, 196), Rgb255(20, 20, 24), Rgb255(204, 24, 38)};
    d.courtA = Rgb255(112, 38, 120);
    d.courtB = Rgb255(18, 112, 112);
    d.courtGold = Rgb255(226, 168, 52);
    d.courtTint = Rgb255(240, 244, 250);
  }
  return d;
}

}  // namespace

void SuitPath(cairo_t* cr, int suit, double cx, double cy, double s, bool flipped) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  if (flipped) cairo_rotate(cr, M_PI);
  cairo_scale(cr, s, s);
  cairo_new_path(cr);
  switch (suit) {
    case 3:  // hearts
      cairo_move_to(cr, 0, -0.26);
      cairo_curve_to(cr, -0.04, -0.5, -0.52, -0.56, -0.52, -0.16);
      cairo_curve_to(cr, -0.52, 0.1, -0.2, 0.26, 0, 0.5);
      cairo_curve_to(cr, 0.2, 0.26, 0.52, 0.1, 0.52, -0.16);
      cairo_curve_to(cr, 0.52, -0.56, 0.04, -0.5, 0, -0.26);
      cairo_close_path(cr);
      break;
    case 1:  // diamonds
      cairo_move_to(cr, 0, -0.52);
      cairo_curve_to(cr, 0.12, -0.3, 0.26, -0.14, 0.4, 0);
      cairo_curve_to(cr, 0.26, 0.14, 0.12, 0.3, 0, 0.52);
      cairo_curve_to(cr, -0.12, 0.3, -0.26, 0.14, -0.4, 0);
      cairo_curve_to(cr, -0.26, -0.14, -0.12, -0.3, 0, -0.52);
      cairo_close_path(cr);
      break;
    case 2:  // spades
      cairo_move_to(cr, 0, -0.52);
      cairo_curve_to(cr, 0.2, -0.26, 0.54, -0.1, 0.52, 0.14);
      cairo_curve_to(cr, 0.5, 0.4, 0.16, 0.42, 0.04, 0.22);
      cairo_curve_to(cr, 0.06, 0.36, 0.12, 0.46, 0.24, 0.52);
      cairo_line_to(cr, -0.24, 0.52);
      cairo_curve_to(cr, -0.12, 0.46, -0.06, 0.36, -0.04, 0.22);
      cairo_curve_to(cr, -0.16, 0.42, -0.5, 0.4, -0.52, 0.14);
      cairo_curve_to(cr, -0.54, -0.1, -0.2, -0.26, 0, -0.52);
      cairo_close_path(cr);
      break;
    default:  // clubs
      cairo_arc(cr, 0, -0.25, 0.235, 0, 2 * M_PI);
      cairo_close_path(cr);
      cairo_new_sub_path(cr);
      cairo_arc(cr, -0.27, 0.1, 0.235, 0, 2 * M_PI);
      cairo_close_path(cr);
      cairo_new_sub_path(cr);
      cairo_arc(cr, 0.27, 0.1, 0.235, 0, 2 * M_PI);
      cairo_close_path(cr);
      cairo_new_sub_path(cr);
      cairo_move_to(cr, -0.1, -0.05);
      cairo_line_to(cr, 0.1, -0.05);
      cairo_line_to(cr, 0.1, 0.12);
      cairo_line_to(cr, -0.1, 0.12);
      cairo_close_path(cr);
      cairo_move_to(cr, -0.05, 0.1);
      cairo_curve_to(cr, -0.04, 0.32, -0.1, 0.44, -0.24, 0.52);
      cairo_line_to(cr, 0.24, 0.52);
      cairo_curve_to(cr, 0.1, 0.44, 0.04, 0.32, 0.05, 0.1);
      cairo_close_path(cr);
      break;
  }
  cairo_restore(cr);
}

namespace {

void FillSuit(cairo_t* cr, int suit, double cx, double cy, double s, Rgb c, bool flipped) {
  SuitPath(cr, suit, cx, cy, s, flipped);
  SetSource(cr, c);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  cairo_fill(cr);
}

// Corner index: rank above a small suit, repeated upside down in the opposite corner.
void DrawIndices(cairo_t* cr, const DeckLook& d, int suit, int rank) {
  const std::string t = kRankText[rank];
  const double fontSize = d.largeIndex ? 16 : 11.5;
  const double cx = d.largeIndex ? 8.0 : 6.5;
  const double base = d.largeIndex ? 15.5 : 11.0;
  const double pipY = d.largeIndex ? 23.0 : 17.0;
  const double pipS = d.largeIndex ? 9.0 : 7.0;
  for (int corner = 0; corner < 2; ++corner) {
    cairo_save(cr);
    if (corner == 1) {
      cairo_translate(cr, kCardW, kCardH);
      cairo_rotate(cr, M_PI);
    }
    UseFont(cr, Face::SansCondBold, fontSize, true);
    SetSource(cr, d.suit[suit]);
    // "10" is squeezed a little so it keeps to the same corner as the single letters.
    const double w = TextWidth(cr, t);
    const double maxW = d.largeIndex ? 14.0 : 10.5;
    cairo_save(cr);
    cairo_translate(cr, cx, base);
    if (w > maxW) cairo_scale(cr, maxW / w, 1.0);
    cairo_move_to(cr, -w / 2, 0);
    cairo_show_text(cr, t.c_str());
    cairo_restore(cr);
    FillSuit(cr, suit, cx, pipY, pipS, d.suit[suit], false);
    cairo_restore(cr);
  }
}

// Pip positions for Two to Ten as (column, row) in a 3 x 7 grid of 1/6 steps.
struct Pip {
  double col, row;  // col 0..2, row 0..6 (row 3 is the middle)
};
const std::vector<Pip>& PipLayout(int count) {
  static const std::vector<Pip> kLayouts[11] = {
      {},
      {},
      {{1, 0}, {1, 6}},
      {{1, 0}, {1, 3}, {1, 6}},
      {{0, 0}, {2, 0}, {0, 6}, {2, 6}},
      {{0, 0}, {2, 0}, {1, 3}, {0, 6}, {2, 6}},
      {{0, 0}, {2, 0}, {0, 3}, {2, 3}, {0, 6}, {2, 6}},
      {{0, 0}, {2, 0}, {1, 1.5}, {0, 3}, {2, 3}, {0, 6}, {2, 6}},
      {{0, 0}, {2, 0}, {1, 1.5}, {0, 3}, {2, 3}, {1, 4.5}, {0, 6}, {2, 6}},
      {{0, 0}, {2, 0}, {0, 2}, {2, 2}, {1, 3}, {0, 4}, {2, 4}, {0, 6}, {2, 6}},
      {{0, 0}, {2, 0}, {1, 1}, {0, 2}, {2, 2}, {0, 4}, {2, 4}, {1, 5}, {0, 6}, {2, 6}},
  };
  return kLayouts[count];
}

void DrawPips(cairo_t* cr, const DeckLook& d, int suit, int count) {
  const double x0 = d.largeIndex ? 20.5 : 17.5, x2 = kCardW - x0;
  const double y0 = d.largeIndex ? 15.0 : 14.5, y6 = kCardH - y0;
  const double size = 10.5;
  for (const Pip& p : PipLayout(count)) {
    double x = x0 + (x2 - x0) * p.col / 2;
    double y = y0 + (y6 - y0) * p.row / 6;
    FillSuit(cr, suit, x, y, size, d.suit[suit], p.row > 3.01);
  }
}

// One half of a court figure in a frame whose centre is the origin; the caller mirrors it.
void DrawCourtHalf(cairo_t* cr, const DeckLook& d, int suit, int rank, double fw, double hh) {
  const bool king = rank == 11, queen = rank == 10;
  const Rgb robe = (suit % 2 == 0) == (rank != 10) ? d.courtA : d.courtB;
  const Rgb robe2 = (robe.r == d.courtA.r) ? d.courtB : d.courtA;
  const Rgb ink = Rgb255(30, 24, 28);
  const Rgb flesh = Rgb255(250, 214, 176);
  const Rgb hair =
      king ? Rgb255(236, 236, 228) : (queen ? Rgb255(226, 170, 50) : Rgb255(120, 70, 30));
  cairo_set_line_width(cr, 0.8);
  // Shoulders and robe.
  cairo_move_to(cr, -fw / 2 + 1, 0);
  cairo_line_to(cr, -fw / 2 + 1, -hh + 20);
  cairo_curve_to(cr, -8, -hh + 16, -5, -hh + 15, 0, -hh + 15);
  cairo_curve_to(cr, 5, -hh + 15, 8, -hh + 16, fw / 2 - 1, -hh + 20);
  cairo_line_to(cr, fw / 2 - 1, 0);
  cairo_close_path(cr);
  SetSource(cr, robe);
  cairo_fill_preserve(cr);
  SetSource(cr, ink);
  cairo_stroke(cr);
  // Collar, sash and trimming in gold with the second colour.
  cairo_move_to(cr, -6, -hh + 15.5);
  cairo_line_to(cr, 0, -hh + 21);
  cairo_line_to(cr, 6, -hh + 15.5);
  cairo_close_path(cr);
  SetSource(cr, d.courtGold);
  cairo_fill_preserve(cr);
  SetSource(cr, ink);
  cairo_stroke(cr);
  cairo_move_to(cr, -fw / 2 + 1, -hh + 22);
  cairo_line_to(cr, fw / 2 - 1, -4);
  cairo_line_to(cr, fw / 2 - 1, 0);
  cairo_line_to(cr, fw / 2 - 4, 0);
  cairo_line_to(cr, -fw / 2 + 1, -hh + 26);
  cairo_close_path(cr);
  SetSource(cr, robe2);
  cairo_fill(cr);
  for (int i = 0; i < 4; ++i) {
    cairo_arc(cr, -fw / 2 + 4 + i * 3.2, -hh + 23 + i * 2.8, 0.9, 0, 2 * M_PI);
    SetSource(cr, d.courtGold);
    cairo_fill(cr);
  }
  // Hair behind the head (queen's long hair frames her face).
  if (queen) {
    RoundedRect(cr, -6.5, -hh + 5, 13, 11, 4);
    SetSource(cr, hair);
    cairo_fill(cr);
  }
  // Head.
  cairo_arc(cr, 0, -hh + 10, 4.6, 0, 2 * M_PI);
  SetSource(cr, flesh);
  cairo_fill_preserve(cr);
  SetSource(cr, ink);
  cairo_stroke(cr);
  // Eyes and mouth, one pixel each: enough for a face at this size.
  SetSource(cr, ink);
  cairo_rectangle(cr, -2.2, -hh + 9, 1, 1);
  cairo_rectangle(cr, 1.2, -hh + 9, 1, 1);
  cairo_fill(cr);
  if (king) {  // a full beard
    cairo_move_to(cr, -4.4, -hh + 11);
    cairo_curve_to(cr, -4, -hh + 17, 4, -hh + 17, 4.4, -hh + 11);
    cairo_curve_to(cr, 2, -hh + 13, -2, -hh + 13, -4.4, -hh + 11);
    SetSource(cr, hair);
    cairo_fill_preserve(cr);
    SetSource(cr, ink);
    cairo_set_line_width(cr, 0.5);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 0.8);
  } else {
    SetSource(cr, Rgb255(190, 60, 60));
    cairo_rectangle(cr, -1, -hh + 12.2, 2, 0.9);
    cairo_fill(cr);
  }
  // Headwear.
  if (king) {
    cairo_move_to(cr, -5, -hh + 6.5);
    cairo_line_to(cr, -5.5, -hh + 1);
    cairo_line_to(cr, -2.6, -hh + 3.5);
    cairo_line_to(cr, 0, -hh + 0.2);
    cairo_line_to(cr, 2.6, -hh + 3.5);
    cairo_line_to(cr, 5.5, -hh + 1);
    cairo_line_to(cr, 5, -hh + 6.5);
    cairo_close_path(cr);
    SetSource(cr, d.courtGold);
    cairo_fill_preserve(cr);
    SetSource(cr, ink);
    cairo_stroke(cr);
    cairo_arc(cr, 0, -hh + 4.8, 0.9, 0, 2 * M_PI);
    SetSource(cr, robe2);
    cairo_fill(cr);
  } else if (queen) {
    cairo_move_to(cr, -4.5, -hh + 6);
    cairo_curve_to(cr, -3, -hh + 2, 3, -hh + 2, 4.5, -hh + 6);
    cairo_close_path(cr);
    SetSource(cr, d.courtGold);
    cairo_fill_preserve(cr);
    SetSource(cr, ink);
    cairo_stroke(cr);
    cairo_arc(cr, 0, -hh + 3.3, 1.1, 0, 2 * M_PI);
    SetSource(cr, robe2);
    cairo_fill(cr);
  } else {  // the jack's cap with a feather
    cairo_move_to(cr, -6, -hh + 7);
    cairo_curve_to(cr, -5, -hh + 1.5, 5, -hh + 1.5, 6, -hh + 7);
    cairo_close_path(cr);
    SetSource(cr, robe2);
    cairo_fill_preserve(cr);
    SetSource(cr, ink);
    cairo_stroke(cr);
    cairo_move_to(cr, 3, -hh + 3);
    cairo_curve_to(cr, 6, -hh + 0.5, 9, -hh + 1, 10, -hh + 2.5);
    SetSource(cr, d.courtGold);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 0.8);
  }
  // What each holds: the king a sceptre, the queen a flower, the jack a staff.
  if (king) {
    cairo_move_to(cr, 9, -hh + 4);
    cairo_line_to(cr, 9, -2);
    SetSource(cr, d.courtGold);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    cairo_arc(cr, 9, -hh + 3.5, 1.8, 0, 2 * M_PI);
    cairo_fill(cr);
  } else if (queen) {
    cairo_move_to(cr, -8.5, -hh + 18);
    cairo_line_to(cr, -8.5, -3);
    SetSource(cr, Rgb255(40, 120, 50));
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    for (int i = 0; i < 5; ++i) {
      double a = i * 2 * M_PI / 5;
      cairo_arc(cr, -8.5 + 1.8 * std::cos(a), -hh + 16.5 + 1.8 * std::sin(a), 1.2, 0, 2 * M_PI);
      SetSource(cr, i % 2 ? d.courtGold : robe2);
      cairo_fill(cr);
    }
  } else {
    cairo_move_to(cr, -9, -hh + 5);
    cairo_line_to(cr, -9, -1);
    SetSource(cr, Rgb255(110, 70, 30));
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_move_to(cr, -9, -hh + 2);
    cairo_line_to(cr, -11, -hh + 6);
    cairo_line_to(cr, -7, -hh + 6);
    cairo_close_path(cr);
    SetSource(cr, Rgb255(180, 180, 190));
    cairo_fill(cr);
  }
}

void DrawCourt(cairo_t* cr, const DeckLook& d, int suit, int rank) {
  const double fx = d.largeIndex ? 14.5 : 11.5, fy = 8.5;
  const double fw = kCardW - 2 * fx, fh = kCardH - 2 * fy;
  cairo_save(cr);
  cairo_rectangle(cr, fx, fy, fw, fh);
  SetSource(cr, d.courtTint);
  cairo_fill_preserve(cr);
  cairo_clip(cr);
  for (int half = 0; half < 2; ++half) {
    cairo_save(cr);
    cairo_translate(cr, kCardW / 2.0, kCardH / 2.0);
    if (half) cairo_rotate(cr, M_PI);
    DrawCourtHalf(cr, d, suit, rank, fw, fh / 2);
    // A small suit sign in the frame's corner tells the suit at a glance.
    FillSuit(cr, suit, fw / 2 - 4.5, -fh / 2 + 5, 6, d.suit[suit], false);
    cairo_restore(cr);
  }
  cairo_move_to(cr, fx, kCardH / 2.0);
  cairo_line_to(cr, fx + fw, kCardH / 2.0);
  SetSource(cr, Rgb255(30, 24, 28));
  cairo_set_line_width(cr, 0.7);
  cairo_stroke(cr);
  cairo_restore(cr);
  cairo_rectangle(cr, fx, fy, fw, fh);
  SetSource(cr, d.suit[suit]);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
}

void DrawAce(cairo_t* cr, const DeckLook& d, int suit) {
  const double cx = kCardW / 2.0, cy = kCardH / 2.0;
  if (suit != 2) {
    FillSuit(cr, suit, cx, cy, 22, d.suit[suit], false);
    return;
  }
  // The Ace of spades carries the house emblem: a laurel ring, a large spade with a gold inlay
  // and the maker's initial.
  const Rgb gold = Rgb255(200, 150, 40);
  cairo_set_line_width(cr, 1.0);
  for (int side = -1; side <= 1; side += 2) {
    for (int i = 0; i < 7; ++i) {
      double a = M_PI / 2 + side * (0.35 + i * 0.36);
      double x = cx + 19 * std::cos(a), y = cy + 3 + 21 * std::sin(a);
      cairo_save(cr);
      cairo_translate(cr, x, y);
      cairo_rotate(cr, a + side * M_PI / 2);
      cairo_scale(cr, 1.0, 0.45);
      cairo_arc(cr, 0, 0, 2.6, 0, 2 * M_PI);
      cairo_restore(cr);
      SetSource(cr, Rgb255(60, 110, 60));
      cairo_fill(cr);
    }
  }
  FillSuit(cr, 2, cx, cy, 32, d.suit[2], false);
  SuitPath(cr, 2, cx, cy - 1.5, 22, false);
  SetSource(cr, gold);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  UseFont(cr, Face::SerifBold, 10, true);
  SetSource(cr, gold);
  TextCentered(cr, cx, cy + 3, "Q");
}

}  // namespace

Image DrawCardFace(int style, int suit, int rank) {
  const DeckLook d = DeckLookFor(style);
  Canvas c(kCardW, kCardH);
  cairo_t* cr = c.Cr();
  RoundedRect(cr, 0.5, 0.5, kCardW - 1, kCardH - 1, 4);
  SetSource(cr, d.face);
  cairo_fill_preserve(cr);
  SetSource(cr, d.border);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  if (style >= 2) {
    // The second design has a fine inner rule around the face.
    RoundedRect(cr, 2.5, 2.5, kCardW - 5, kCardH - 5, 2.5);
    SetSource(cr, Rgb255(214, 204, 180));
    cairo_stroke(cr);
  }
  if (rank == 12)
    DrawAce(cr, d, suit);
  else if (rank >= 9)
    DrawCourt(cr, d, suit, rank);
  else
    DrawPips(cr, d, suit, rank + 2);
  DrawIndices(cr, d, suit, rank);
  // Corners blend towards a dark table so their few edge pixels never look light.
  return c.Keyed(Rgb255(40, 60, 48), 0.5);
}

void MakeDecks(Output& out) {
  static const char* kNames[kDeckStyles] = {"deck1", "deck1_lg", "deck2", "deck2_lg"};
  static const int kRowSuit[4] = {2, 3, 0, 1};
  for (int style = 0; style < kDeckStyles; ++style) {
    Image strip(702, 336, kTransparent), dark(702, 336, kTransparent);
    for (int row = 0; row < 4; ++row)
      for (int col = 0; col < 13; ++col) {
        int rank = col == 0 ? 12 : col - 1;
        Image face = DrawCardFace(style, kRowSuit[row], rank);
        strip.Blit(face, 54 * col + 1, 84 * row);
        for (std::uint32_t& p : face.px) {
          if ((p >> 24) < 128) continue;
          // Highlighted cards look as if a shadow of smoked glass lay over them.
          int r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
          p = Pack(r * 58 / 100, g * 60 / 100, std::min(255, b * 66 / 100 + 10));
        }
        dark.Blit(face, 54 * col + 1, 84 * row);
      }
    out.WriteBmp(std::string("artwork/") + kNames[style] + ".bmp", strip);
    out.WriteBmp(std::string("artwork/") + kNames[style] + "_dark.bmp", dark);
  }
}

}  // namespace mk
