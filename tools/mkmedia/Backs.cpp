// Draws the 21 card backs and lays them out in one strip.
#include <cmath>
#include <functional>

#include "Cards.h"

namespace mk {

namespace {

using Pattern = std::function<Rgb(double x, double y)>;  // x, y: pixels from the card centre

double Tri(double v) {
  return std::fabs(v - std::floor(v) - 0.5) * 2;
}  // 1 at edges, 0 mid
double Smooth(double e0, double e1, double v) {
  double t = std::clamp((v - e0) / (e1 - e0), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

Pattern Lattice(Rgb ink, Rgb paper) {
  return [=](double x, double y) {
    double a = Tri((x + y) / 6.0), b = Tri((x - y) / 6.0);
    double line = std::max(Smooth(0.72, 0.9, a), Smooth(0.72, 0.9, b));
    double dot = Smooth(0.5, 0.2, std::hypot(a - 1, b - 1) + 0.01);
    return Mix(paper, ink, std::max(line, dot * 0.0) * 0.95);
  };
}

Pattern Plaid(Rgb base, Rgb band, Rgb thin) {
  return [=](double x, double y) {
    auto stripe = [](double v) {
      double m = std::fmod(v + 400, 16.0);
      return m < 6 ? 1.0 : (m > 10 && m < 11 ? 0.6 : 0.0);
    };
    double sx = stripe(x), sy = stripe(y);
    Rgb c = Mix(base, band, 0.45 * sx + 0.45 * sy);
    if (std::fmod(x + 400, 16.0) > 10 && std::fmod(x + 400, 16.0) < 11) c = Mix(c, thin, 0.7);
    if (std::fmod(y + 400, 16.0) > 10 && std::fmod(y + 400, 16.0) < 11) c = Mix(c, thin, 0.7);
    // Twill weave: a faint diagonal texture.
    return Scale(c, 0.92 + 0.08 * Tri((x + y) / 2.0));
  };
}

Pattern Rings(Rgb a, Rgb b, double period, double cx2) {
  return [=](double x, double y) {
    double r1 = std::hypot(x, y - cx2), r2 = std::hypot(x, y + cx2);
    double v =
        0.5 + 0.25 * std::cos(r1 * 2 * M_PI / period) + 0.25 * std::cos(r2 * 2 * M_PI / period);
    return Mix(a, b, v);
  };
}

Rgb VelvetShade(Rgb base, double x, double y, std::uint32_t seed) {
  double n = Fbm(x / 9.0, y / 9.0, seed, 3);
  double sheen = 0.85 + 0.25 * n - 0.002 * (x * x + y * y) / 10;
  return Scale(base, std::max(0.4, sheen));
}

Pattern BackPattern(int i) {
  switch (i) {
    case 0:
      return Lattice(Rgb255(178, 24, 36), Rgb255(246, 236, 226));
    case 1:
      return Lattice(Rgb255(28, 64, 150), Rgb255(236, 240, 248));
    case 2:
      return [](double x, double y) { return VelvetShade(Rgb255(120, 16, 36), x, y, 7); };
    case 3:
      return Plaid(Rgb255(20, 90, 50), Rgb255(16, 40, 90), Rgb255(230, 200, 60));
    case 4:
      return [](double x, double y) {
        double gx = std::fmod(x + 400, 8.0) - 4,
               gy = std::fmod(y + 400 + (std::fmod(std::floor((x + 400) / 8), 2) * 4), 8.0) - 4;
        double star =
            Smooth(1.6, 0.9, std::hypot(gx, gy) * (1 + 0.35 * std::cos(5 * std::atan2(gy, gx))));
        return Mix(Rgb255(18, 28, 80), Rgb255(240, 200, 90), star);
      };
    case 5:
      return [](double x, double y) {
        double d = std::fabs(x) + std::fabs(y) * 0.62;
        return Tri(d / 5.0) > 0.55 ? Rgb255(14, 110, 110) : Rgb255(238, 230, 208);
      };
    case 6:
      return [](double x, double y) {
        int cx = static_cast<int>(std::floor((x + 400) / 4)),
            cy = static_cast<int>(std::floor((y + 400) / 4));
        return (cx + cy) % 2 ? Rgb255(24, 24, 28) : Rgb255(170, 20, 30);
      };
    case 7:
      return [](double x, double y) {
        double a = std::atan2(y, x);
        double ray = 0.5 + 0.5 * std::cos(a * 24);
        Rgb c = Mix(Rgb255(214, 96, 20), Rgb255(250, 196, 60), ray);
        return Scale(c, 1.05 - std::hypot(x, y) / 90);
      };
    case 8:
      return [](double x, double y) {
        double v = y + 2.2 * std::sin(x / 3.0);
        double t = Tri(v / 6.0);
        return Mix(Rgb255(18, 60, 130), Rgb255(120, 180, 230), Smooth(0.3, 0.9, t));
      };
    case 9:
      return [](double x, double y) {
        double row = std::floor((y + 400) / 5);
        double off = std::fmod(row, 2) * 4;
        double gx = std::fmod(x + 400 + off, 8.0) - 4, gy = std::fmod(y + 400, 5.0);
        double r = std::hypot(gx, gy);
        double edge = Smooth(3.4, 4.2, r);
        Rgb body = Mix(Rgb255(40, 140, 90), Rgb255(10, 70, 50), gy / 5);
        return Mix(body, Rgb255(200, 230, 200), edge * 0.8);
      };
    case 10:
      return [](double x, double y) {
        // Hexagonal cells from the nearest of two offset lattices.
        const double s = 6, h = s * std::sqrt(3.0);
        auto cell = [&](double ox, double oy) {
          double gx = std::fmod(x + 600 + ox, s) - s / 2, gy = std::fmod(y + 600 + oy, h) - h / 2;
          return std::hypot(gx, gy);
        };
        double d1 = cell(0, 0), d2 = cell(s / 2, h / 2);
        double edge = Smooth(0.6, 0.0, std::fabs(d1 - d2));
        return Mix(Rgb255(232, 160, 30), Rgb255(120, 60, 10), edge);
      };
    case 11:
      return [](double x, double y) {
        double gx = std::fmod(x + 400, 7.0) - 3.5, gy = std::fmod(y + 400, 7.0) - 3.5;
        return Mix(Rgb255(96, 36, 130), Rgb255(244, 228, 250),
                   Smooth(1.9, 1.3, std::hypot(gx, gy)));
      };
    case 12:
      return [](double x, double y) {
        double col = std::floor((x + 400) / 6);
        double dir = std::fmod(col, 2) ? 1 : -1;
        double t = Tri((y + dir * (x + 400)) / 4.0);
        return Mix(Rgb255(120, 78, 40), Rgb255(196, 150, 96), Smooth(0.2, 0.8, t));
      };
    case 14:
      return [](double x, double y) {
        double u = (x + 400) / 11.0, v = (y + 400) / 17.0;
        double a = Tri(u + v), b = Tri(u - v);
        bool cellA =
            (static_cast<int>(std::floor(u + v)) + static_cast<int>(std::floor(u - v))) % 2 == 0;
        Rgb c = cellA ? Rgb255(196, 196, 204) : Rgb255(214, 120, 150);
        double dash = (std::fmod(std::floor((y + 400) / 2), 2) == 0) ? 1 : 0;
        if ((a > 0.94 || b > 0.94) && dash) c = Rgb255(40, 40, 60);
        return c;
      };
    case 15:
      return Rings(Rgb255(40, 36, 120), Rgb255(200, 200, 240), 4.5, 22);
    case 16:
      return [](double x, double y) {
        double r = std::hypot(x, y * 0.8), a = std::atan2(y, x);
        double petal = std::cos(a * 8) * 0.5 + 0.5;
        double v = Tri(r / 7.0 - petal * 0.35);
        return Mix(Rgb255(150, 20, 60), Rgb255(250, 210, 120), Smooth(0.65, 0.95, v));
      };
    case 17:
      return [](double x, double y) {
        double m = std::fmod(x + 400, 5.0);
        Rgb c = m < 1.0 ? Rgb255(216, 180, 80) : Rgb255(16, 90, 60);
        return VelvetShade(c, x, y, 17);
      };
    case 18:
      return [](double x, double y) {
        double n = Fbm(x / 14.0, y / 14.0, 31, 4);
        double vein = std::fabs(std::sin((x * 0.15 + y * 0.1 + n * 6)));
        Rgb c = Mix(Rgb255(70, 74, 86), Rgb255(230, 230, 236), Smooth(0.0, 0.6, vein));
        return c;
      };
    case 19:
      return [](double x, double y) {
        Rgb sky = Mix(Rgb255(8, 14, 50), Rgb255(30, 50, 110), (y + 40) / 80);
        double h = HashNoise(static_cast<int>(std::floor(x * 1.0 + 300)),
                             static_cast<int>(std::floor(y + 300)), 99);
        if (h > 0.965) sky = Rgb255(230, 230, 255);
        return sky;
      };
    case 20:
    default:
      return [](double x, double y) {
        double u = (x + y * 0.66) / 8.0, v = (x - y * 0.66) / 8.0;
        double fu = u - std::floor(u), fv = v - std::floor(v);
        double shade =
            0.8 + 0.25 * (fu - 0.5) * (fv - 0.5) * 4 + 0.1 * (1 - std::fabs(fu - 0.5) * 2);
        Rgb c = Scale(Rgb255(204, 84, 110), shade);
        if (fu < 0.08 || fv < 0.08) c = Rgb255(244, 210, 220);
        return c;
      };
  }
}

// Emblems drawn on top of some patterns.
void DrawEmblem(cairo_t* cr, int i) {
  const double cx = kCardW / 2.0, cy = kCardH / 2.0;
  auto medallion = [&](Rgb ring, Rgb fill, Rgb ink, int suit) {
    cairo_arc(cr, cx, cy, 11, 0, 2 * M_PI);
    SetSource(cr, fill);
    cairo_fill_preserve(cr);
    SetSource(cr, ring);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
    if (suit >= 0) {
      SuitPath(cr, suit, cx, cy, 12);
      SetSource(cr, ink);
      cairo_fill(cr);
    }
  };
  switch (i) {
    case 2: {
      const Rgb gold = Rgb255(232, 190, 90);
      cairo_arc(cr, cx, cy, 13, 0, 2 * M_PI);
      SetSource(cr, gold);
      cairo_set_line_width(cr, 1.2);
      cairo_stroke(cr);
      cairo_arc(cr, cx, cy, 10.5, 0, 2 * M_PI);
      cairo_set_line_width(cr, 0.6);
      cairo_stroke(cr);
      UseFont(cr, Face::SerifBoldItalic, 17);
      TextCentered(cr, cx, cy + 6, "Q");
      for (int k = 0; k < 4; ++k) {
        double x = k % 2 ? kCardW - 10 : 10, y = k / 2 ? kCardH - 11 : 11;
        SuitPath(cr, k, x, y, 6);
        cairo_fill(cr);
      }
      break;
    }
    case 7:
      medallion(Rgb255(140, 60, 10), Rgb255(250, 236, 200), Rgb255(200, 22, 36), 3);
      break;
    case 15:
      medallion(Rgb255(240, 240, 255), Rgb255(40, 36, 120), Rgb255(240, 240, 255), 2);
      break;
    case 16:
      medallion(Rgb255(250, 210, 120), Rgb255(150, 20, 60), Rgb255(250, 210, 120), 1);
      break;
    case 19:
      // A crescent moon over the night sky.
      cairo_arc(cr, cx + 6, cy - 14, 8, 0, 2 * M_PI);
      SetSource(cr, Rgb255(250, 236, 170));
      cairo_fill(cr);
      cairo_arc(cr, cx + 9.5, cy - 16.5, 7, 0, 2 * M_PI);
      SetSource(cr, Rgb255(14, 22, 64));
      cairo_fill(cr);
      break;
    default:
      break;
  }
}

void DrawSuitsPattern(cairo_t* cr) {
  SetSource(cr, Rgb255(246, 240, 222));
  cairo_paint(cr);
  for (int row = 0; row < 12; ++row)
    for (int col = 0; col < 8; ++col) {
      double x = col * 8 + (row % 2) * 4 - 2, y = row * 8 - 2;
      int suit = (col + row) % 4;
      SuitPath(cr, suit, x, y, 5.5);
      SetSource(cr, suit % 2 ? Rgb255(196, 30, 44) : Rgb255(30, 30, 36));
      cairo_fill(cr);
    }
}

}  // namespace

Image DrawCardBack(int i) {
  Canvas c(kCardW, kCardH);
  cairo_t* cr = c.Cr();
  RoundedRect(cr, 0.5, 0.5, kCardW - 1, kCardH - 1, 4);
  SetSource(cr, Rgb255(250, 250, 246));
  cairo_fill_preserve(cr);
  SetSource(cr, Rgb255(58, 58, 64));
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  // The pattern is sampled 4 x 4 times per pixel so fine lines stay smooth.
  Image pat(kCardW, kCardH);
  if (i == 13) {
    Canvas sc(kCardW, kCardH);
    DrawSuitsPattern(sc.Cr());
    pat = sc.Opaque(Rgb255(0, 0, 0));
  } else {
    Pattern f = BackPattern(i);
    for (int y = 0; y < kCardH; ++y)
      for (int x = 0; x < kCardW; ++x) {
        Rgb sum{};
        for (int sy = 0; sy < 4; ++sy)
          for (int sx = 0; sx < 4; ++sx) {
            Rgb v = f(x + (sx + 0.5) / 4 - kCardW / 2.0, y + (sy + 0.5) / 4 - kCardH / 2.0);
            sum.r += v.r, sum.g += v.g, sum.b += v.b;
          }
        pat.At(x, y) = Pack(Scale(sum, 1.0 / 16));
      }
  }
  cairo_save(cr);
  RoundedRect(cr, 3.5, 3.5, kCardW - 7, kCardH - 7, 2.5);
  cairo_clip(cr);
  c.Paint(pat, 0, 0);
  DrawEmblem(cr, i);
  cairo_restore(cr);
  RoundedRect(cr, 3.5, 3.5, kCardW - 7, kCardH - 7, 2.5);
  SetSource(cr, Rgb255(0, 0, 0), 0.35);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
  return c.Keyed(Rgb255(40, 60, 48), 0.5);
}

void MakeBacks(Output& out) {
  Image strip(54 * kBacks, 84, kTransparent);
  for (int i = 0; i < kBacks; ++i) strip.Blit(DrawCardBack(i), 54 * i + 1, 0);
  out.WriteBmp("artwork/backs.bmp", strip);
}

}  // namespace mk
