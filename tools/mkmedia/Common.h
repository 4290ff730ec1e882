// Shared building blocks of the media generator: keyed images, Cairo canvases, fonts, noise and
// a seeded random source, so every picture is drawn the same way on every run.
#pragma once

#include <cairo-ft.h>
#include <cairo.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace mk {

// One 8-bit colour; `a` is only used for keyed pictures (0 = transparent, written as magenta).
struct Rgb {
  double r = 0, g = 0, b = 0;  // 0..1
};

inline Rgb Rgb255(int r, int g, int b) {
  return {r / 255.0, g / 255.0, b / 255.0};
}
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Scale(Rgb a, double f);

// A picture ready for a writer: 0xAARRGGBB per pixel. Alpha below 128 means "transparent",
// which the BMP writer turns into exact magenta (255, 0, 255).
struct Image {
  int w = 0, h = 0;
  std::vector<std::uint32_t> px;
  Image() = default;
  Image(int width, int height, std::uint32_t fill = 0)
      : w(width), h(height), px(static_cast<std::size_t>(w) * h, fill) {}
  std::uint32_t& At(int x, int y) { return px[static_cast<std::size_t>(y) * w + x]; }
  std::uint32_t At(int x, int y) const { return px[static_cast<std::size_t>(y) * w + x]; }
  bool IsOpaque(int x, int y) const { return (At(x, y) >> 24) >= 128; }
  // Copies `src` with its top-left at (x, y); transparent source pixels are copied as well.
  void Blit(const Image& src, int x, int y);
  // Copies a rectangle of `src`.
  void BlitPart(const Image& src, int sx, int sy, int w, int h, int dx, int dy);
};

constexpr std::uint32_t kTransparent = 0x00FF00FF;
inline std::uint32_t Pack(int r, int g, int b) {
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}
std::uint32_t Pack(Rgb c);

// A Cairo ARGB canvas that owns its surface and context.
class Canvas {
public:
  Canvas(int w, int h);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  cairo_t* Cr() const { return cr_; }
  cairo_surface_t* Surface() const { return surface_; }
  int Width() const { return w_; }
  int Height() const { return h_; }
  // Every pixel made opaque by compositing over `matte`.
  Image Opaque(Rgb matte) const;
  // Pixels covered at least `threshold` become opaque (composited over `matte` so antialiased
  // edges blend towards the colour they will usually sit on); the rest become transparent.
  Image Keyed(Rgb matte, double threshold = 0.5) const;
  // Puts an image on the canvas at (x, y); transparent pixels stay untouched.
  void Paint(const Image& img, int x, int y, double alpha = 1.0);

private:
  int w_, h_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

void SetSource(cairo_t* cr, Rgb c, double alpha = 1.0);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

// The typefaces the pictures are lettered with (all from the DejaVu families).
enum class Face {
  Sans,
  SansBold,
  SansCond,
  SansCondBold,
  Serif,
  SerifBold,
  SerifItalic,
  SerifBoldItalic,
  SerifCondBold,
  Mono,
  Count
};
std::filesystem::path FacePath(Face f);
// Selects the face at `size` pixels with grey antialiasing and the given hinting.
void UseFont(cairo_t* cr, Face f, double size, bool hinted = false);
double TextWidth(cairo_t* cr, const std::string& utf8);
// Ink extents of a text at the origin: x, y, width, height.
void InkExtents(cairo_t* cr, const std::string& utf8, double out[4]);
// Draws text with its horizontal centre at x and baseline at y.
void TextCentered(cairo_t* cr, double x, double y, const std::string& utf8);
// Adds the text outline to the current path (for outlined, filled lettering).
void TextPathCentered(cairo_t* cr, double x, double y, const std::string& utf8);

// splitmix64: small, fast and identical on every platform.
class Rng {
public:
  explicit Rng(std::uint64_t seed) : s_(seed) {}
  std::uint64_t Next();
  double Uni() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  int Range(int lo, int hi) {
    return lo + static_cast<int>(Next() % static_cast<std::uint64_t>(hi - lo + 1));
  }

private:
  std::uint64_t s_;
};

// Smooth value noise in about -1..1, and a sum of octaves of it.
double ValueNoise(double x, double y, std::uint32_t seed);
double Fbm(double x, double y, std::uint32_t seed, int octaves);
// Per-pixel white noise in -1..1 for fine grain.
double HashNoise(int x, int y, std::uint32_t seed);

// Where the generated files go, and the list of pictures for the contact sheet.
struct Output {
  std::filesystem::path dir;
  std::filesystem::path previewDir;  // empty: no per-file previews
  struct Sheet {
    std::string name;
    Image img;
  };
  std::vector<Sheet> sheet;
  void WriteBmp(const std::string& rel, const Image& img);
  void WriteJpeg(const std::string& rel, const Image& img, int quality = 92);
  void WriteBytes(const std::string& rel, const std::vector<std::uint8_t>& data);
  void Note(const std::string& rel, const Image& img);
};

}  // namespace mk
