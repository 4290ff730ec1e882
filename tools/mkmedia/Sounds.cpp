// Synthesises the eight short sound effects (22,050 Hz, 16-bit mono) from noise and tones.
#include <algorithm>
#include <cmath>
#include <string>

#include "Generators.h"
#include "Writers.h"

namespace mk {

namespace {

constexpr int kRate = 22050;
// The effects share the sound device with the music and must not stand out above it: at this
// level the loudest effect's RMS stays just under the quietest song's.
constexpr double kEffectsLevel = 0.47;

struct Buffer {
  std::vector<double> s;
  explicit Buffer(double seconds) : s(static_cast<std::size_t>(seconds * kRate), 0.0) {}
  double TimeAt(std::size_t i) const { return static_cast<double>(i) / kRate; }
};

// One-pole filters shape the noise into brushing and tapping sounds.
struct LowPass {
  double a, y = 0;
  explicit LowPass(double hz) : a(1 - std::exp(-2 * M_PI * hz / kRate)) {}
  double operator()(double x) { return y += a * (x - y); }
};
struct HighPass {
  LowPass lp;
  explicit HighPass(double hz) : lp(hz) {}
  double operator()(double x) { return x - lp(x); }
};

double Env(double t, double attack, double decay) {
  if (t < attack) return t / attack;
  return std::exp(-(t - attack) / decay);
}

// A burst of filtered noise: the sound of card on cloth.
void Brush(Buffer& b, double start, double len, double lo, double hi, double gain, Rng& rng,
           double attack = 0.004) {
  LowPass lp(hi);
  HighPass hp(lo);
  for (std::size_t i = static_cast<std::size_t>(start * kRate); i < b.s.size(); ++i) {
    double t = b.TimeAt(i) - start;
    if (t > len * 3) break;
    double n = rng.Uni() * 2 - 1;
    b.s[i] += gain * Env(t, attack, len) * hp(lp(n));
  }
}

void Tone(Buffer& b, double start, double hz, double len, double gain, double attack = 0.002,
          double bend = 0) {
  double phase = 0;
  for (std::size_t i = static_cast<std::size_t>(start * kRate); i < b.s.size(); ++i) {
    double t = b.TimeAt(i) - start;
    phase += 2 * M_PI * hz * (1 + bend * t) / kRate;
    b.s[i] += gain * Env(t, attack, len) * (std::sin(phase) + 0.2 * std::sin(2 * phase));
  }
}

std::vector<std::int16_t> Finish(Buffer& b, double peak) {
  double m = 1e-9;
  for (double v : b.s) m = std::max(m, std::fabs(v));
  std::vector<std::int16_t> out;
  out.reserve(b.s.size());
  const std::size_t fade =
      std::min<std::size_t>(b.s.size(), kRate / 200);  // 5 ms fade-out, no click
  for (std::size_t i = 0; i < b.s.size(); ++i) {
    double v = b.s[i] / m * peak;
    if (i + fade >= b.s.size())
      v *= static_cast<double>(b.s.size() - i) / static_cast<double>(fade);
    out.push_back(static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767)));
  }
  return out;
}

}  // namespace

void MakeSounds(Output& out) {
  Rng rng(31337);
  auto save = [&](const char* name, Buffer& b, double peak) {
    out.WriteBytes(std::string("SFX/") + name, EncodeWav(Finish(b, peak * kEffectsLevel), kRate));
  };
  {
    Buffer b(0.045);  // a soft, short click
    Brush(b, 0, 0.004, 1500, 7000, 0.6, rng, 0.0005);
    Tone(b, 0, 1800, 0.006, 0.5, 0.0005);
    save("button.wav", b, 0.45);
  }
  {
    // A card flicked off the deck. The deal waits for this sound 28 times over, so it is kept
    // under two of the sound device's 23 ms blocks (1,024 frames): each block it takes holds
    // the opening deal up by another 0.65 s.
    Buffer b(0.045);
    Brush(b, 0, 0.013, 900, 6000, 1.0, rng, 0.005);
    save("deal.wav", b, 0.5);
  }
  {
    Buffer b(0.075);  // a card snapped over
    Brush(b, 0, 0.012, 1200, 8000, 1.0, rng, 0.001);
    Brush(b, 0.018, 0.01, 400, 3000, 0.6, rng, 0.001);
    save("flip.wav", b, 0.5);
  }
  {
    Buffer b(0.16);  // a bright two-note chime
    Tone(b, 0, 1318.5, 0.05, 0.6, 0.002);
    Tone(b, 0.035, 1975.5, 0.06, 0.5, 0.002);
    Brush(b, 0, 0.006, 2000, 8000, 0.25, rng, 0.0005);
    save("foundation.wav", b, 0.42);
  }
  {
    Buffer b(0.07);  // a card laid on cloth: a low thump and a little brush
    Tone(b, 0, 160, 0.02, 0.8, 0.001, -2.0);
    Brush(b, 0, 0.015, 300, 4000, 0.6, rng, 0.002);
    save("tableau.wav", b, 0.55);
  }
  {
    Buffer b(0.13);  // a quick swish backwards: noise swelling, then a falling blip
    Brush(b, 0, 0.03, 800, 5000, 0.8, rng, 0.06);
    Tone(b, 0.06, 880, 0.03, 0.5, 0.002, -3.0);
    save("undo.wav", b, 0.45);
  }
  {
    Buffer b(0.38);  // a riffle: many small card clicks speeding up and then slowing
    double t = 0.005;
    for (int k = 0; k < 28; ++k) {
      Brush(b, t, 0.004, 1500, 9000, 0.7 + 0.3 * rng.Uni(), rng, 0.0005);
      double x = static_cast<double>(k) / 27;
      t += 0.006 + 0.012 * (1 - std::sin(x * M_PI)) * 0.8 + 0.002 * rng.Uni();
    }
    Brush(b, 0.3, 0.02, 200, 2000, 0.6, rng, 0.002);
    save("shuffle.wav", b, 0.5);
  }
  {
    Buffer b(0.13);  // a gentle low "bonk"
    Tone(b, 0, 196, 0.05, 0.7, 0.002, -0.6);
    Tone(b, 0, 185, 0.05, 0.5, 0.002, -0.6);
    save("invalid.wav", b, 0.5);
  }
}

}  // namespace mk
