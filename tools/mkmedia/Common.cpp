// Implements the shared building blocks: canvases, keyed conversion, fonts, noise and output.
#include "Common.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <stdexcept>

#include "Writers.h"

namespace mk {

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb Scale(Rgb a, double f) {
  return {a.r * f, a.g * f, a.b * f};
}

static int To8(double v) {
  return std::clamp(static_cast<int>(std::lround(v * 255.0)), 0, 255);
}
std::uint32_t Pack(Rgb c) {
  return Pack(To8(c.r), To8(c.g), To8(c.b));
}

void Image::Blit(const Image& src, int x, int y) {
  BlitPart(src, 0, 0, src.w, src.h, x, y);
}

void Image::BlitPart(const Image& src, int sx, int sy, int bw, int bh, int dx, int dy) {
  for (int j = 0; j < bh; ++j)
    for (int i = 0; i < bw; ++i) {
      int tx = dx + i, ty = dy + j;
      if (tx < 0 || ty < 0 || tx >= w || ty >= h) continue;
      At(tx, ty) = src.At(sx + i, sy + j);
    }
}

Canvas::Canvas(int w, int h) : w_(w), h_(h) {
  surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cr_ = cairo_create(surface_);
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

static Image Convert(cairo_surface_t* s, Rgb matte, double threshold, bool keyed) {
  cairo_surface_flush(s);
  const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
  const int stride = cairo_image_surface_get_stride(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  Image img(w, h);
  const double mr = matte.r * 255, mg = matte.g * 255, mb = matte.b * 255;
  for (int y = 0; y < h; ++y) {
    const std::uint32_t* row =
        reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
    for (int x = 0; x < w; ++x) {
      std::uint32_t p = row[x];
      double a = (p >> 24) / 255.0;
      if (keyed && a < threshold) {
        img.At(x, y) = kTransparent;
        continue;
      }
      // Cairo stores premultiplied colour, so "over the matte" is a single add.
      double r = ((p >> 16) & 255) + mr * (1 - a);
      double g = ((p >> 8) & 255) + mg * (1 - a);
      double b = (p & 255) + mb * (1 - a);
      img.At(x, y) = Pack(std::clamp(static_cast<int>(r + 0.5), 0, 255),
                          std::clamp(static_cast<int>(g + 0.5), 0, 255),
                          std::clamp(static_cast<int>(b + 0.5), 0, 255));
    }
  }
  return img;
}

Image Canvas::Opaque(Rgb matte) const {
  return Convert(surface_, matte, 0, false);
}
Image Canvas::Keyed(Rgb matte, double threshold) const {
  return Convert(surface_, matte, threshold, true);
}

void Canvas::Paint(const Image& img, int x, int y, double alpha) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, img.w, img.h);
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int j = 0; j < img.h; ++j) {
    std::uint32_t* row =
        reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(j) * stride);
    for (int i = 0; i < img.w; ++i) row[i] = img.IsOpaque(i, j) ? (img.At(i, j) | 0xFF000000u) : 0;
  }
  cairo_surface_mark_dirty(s);
  cairo_save(cr_);
  cairo_set_source_surface(cr_, s, x, y);
  cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_NEAREST);
  cairo_paint_with_alpha(cr_, alpha);
  cairo_restore(cr_);
  cairo_surface_destroy(s);
}

void SetSource(cairo_t* cr, Rgb c, double alpha) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
}

std::filesystem::path FacePath(Face f) {
  static const char* kNames[] = {"DejaVuSans.ttf",
                                 "DejaVuSans-Bold.ttf",
                                 "DejaVuSansCondensed.ttf",
                                 "DejaVuSansCondensed-Bold.ttf",
                                 "DejaVuSerif.ttf",
                                 "DejaVuSerif-Bold.ttf",
                                 "DejaVuSerif-Italic.ttf",
                                 "DejaVuSerif-BoldItalic.ttf",
                                 "DejaVuSerifCondensed-Bold.ttf",
                                 "DejaVuSansMono-Bold.ttf"};
  return std::filesystem::path("/usr/share/fonts/truetype/dejavu") / kNames[static_cast<int>(f)];
}

namespace {
// FreeType faces and their Cairo wrappers live for the whole run.
struct FaceCache {
  FT_Library lib = nullptr;
  std::array<cairo_font_face_t*, static_cast<std::size_t>(Face::Count)> faces{};
  cairo_font_face_t* Get(Face f) {
    if (!lib && FT_Init_FreeType(&lib)) throw std::runtime_error("FreeType failed");
    auto& slot = faces[static_cast<std::size_t>(f)];
    if (!slot) {
      FT_Face ft = nullptr;
      if (FT_New_Face(lib, FacePath(f).c_str(), 0, &ft))
        throw std::runtime_error("missing font " + FacePath(f).string());
      slot = cairo_ft_font_face_create_for_ft_face(ft, 0);
    }
    return slot;
  }
};
FaceCache& Cache() {
  static FaceCache c;
  return c;
}
}  // namespace

void UseFont(cairo_t* cr, Face f, double size, bool hinted) {
  cairo_set_font_face(cr, Cache().Get(f));
  cairo_set_font_size(cr, size);
  cairo_font_options_t* o = cairo_font_options_create();
  cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(o, hinted ? CAIRO_HINT_STYLE_FULL : CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(o, hinted ? CAIRO_HINT_METRICS_ON : CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, o);
  cairo_font_options_destroy(o);
}

double TextWidth(cairo_t* cr, const std::string& s) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, s.c_str(), &e);
  return e.x_advance;
}

void InkExtents(cairo_t* cr, const std::string& s, double out[4]) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, s.c_str(), &e);
  out[0] = e.x_bearing, out[1] = e.y_bearing, out[2] = e.width, out[3] = e.height;
}

void TextCentered(cairo_t* cr, double x, double y, const std::string& s) {
  cairo_move_to(cr, x - TextWidth(cr, s) / 2, y);
  cairo_show_text(cr, s.c_str());
}

void TextPathCentered(cairo_t* cr, double x, double y, const std::string& s) {
  cairo_move_to(cr, x - TextWidth(cr, s) / 2, y);
  cairo_text_path(cr, s.c_str());
}

std::uint64_t Rng::Next() {
  std::uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

static std::uint32_t Hash3(int x, int y, std::uint32_t seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8DA6B343u ^
                    static_cast<std::uint32_t>(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
  h ^= h >> 13;
  h *= 0x5BD1E995u;
  h ^= h >> 15;
  return h;
}

double HashNoise(int x, int y, std::uint32_t seed) {
  return (Hash3(x, y, seed) & 0xFFFF) / 32767.5 - 1;
}

double ValueNoise(double x, double y, std::uint32_t seed) {
  int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
  double fx = x - xi, fy = y - yi;
  double u = fx * fx * (3 - 2 * fx), v = fy * fy * (3 - 2 * fy);
  double a = HashNoise(xi, yi, seed), b = HashNoise(xi + 1, yi, seed);
  double c = HashNoise(xi, yi + 1, seed), d = HashNoise(xi + 1, yi + 1, seed);
  return (a + (b - a) * u) + ((c + (d - c) * u) - (a + (b - a) * u)) * v;
}

double Fbm(double x, double y, std::uint32_t seed, int octaves) {
  double sum = 0, amp = 0.5, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * ValueNoise(x, y, seed + static_cast<std::uint32_t>(i) * 101u);
    norm += amp;
    x *= 2.03, y *= 2.03, amp *= 0.5;
  }
  return sum / norm;
}

static void WriteFile(const std::filesystem::path& p, const std::vector<std::uint8_t>& data) {
  std::filesystem::create_directories(p.parent_path());
  std::ofstream f(p, std::ios::binary);
  f.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  if (!f) throw std::runtime_error("cannot write " + p.string());
}

void Output::Note(const std::string& rel, const Image& img) {
  sheet.push_back({rel, img});
  if (previewDir.empty()) return;
  Canvas c(img.w, img.h);
  c.Paint(img, 0, 0);
  std::string name = rel;
  std::replace(name.begin(), name.end(), '/', '_');
  std::filesystem::create_directories(previewDir);
  cairo_surface_write_to_png(c.Surface(), (previewDir / (name + ".png")).c_str());
}

void Output::WriteBmp(const std::string& rel, const Image& img) {
  WriteFile(dir / rel, EncodeBmp(img));
  Note(rel, img);
}

void Output::WriteJpeg(const std::string& rel, const Image& img, int quality) {
  WriteFile(dir / rel, EncodeJpeg(img, quality));
  Note(rel, img);
}

void Output::WriteBytes(const std::string& rel, const std::vector<std::uint8_t>& data) {
  WriteFile(dir / rel, data);
}

}  // namespace mk
