// Composes the ten songs as General MIDI files: a small rule-based composer (chord charts,
// motif-based melodies, bass lines, accompaniment and drum grooves) plus two hand-set tunes.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "Generators.h"
#include "Smf.h"

namespace mk {

namespace {

constexpr std::int64_t kQuarter = kTicksPerBeat;  // one quarter note
constexpr std::int64_t kBar = 4 * kQuarter;
constexpr int kDrums = 9;

enum class Groove { None, Pop, Rock, Swing, Ballad, Funk, Waltzless };
enum class Bass { Roots, RootFifth, Eighths, Walking, Funk };
enum class Comp { Pad, Arpeggio, Stabs, Power, Charleston };

// Channel volumes (controller 7) of one song, and a lift for its melody's velocities.
struct Mix {
  int lead = 104, comp = 84, pad = 70, bass = 100, drums = 96;
  int leadVelocity = 0;
};

struct Style {
  const char* title;
  double bpm;
  int key;  // MIDI note of the tonic, octave 4 (60 = C4)
  bool minor;
  Groove groove;
  Bass bass;
  Comp comp;
  int leadProg, compProg, padProg, bassProg;  // -1: no pad
  bool swing, sevenths;
  int busy;  // 0 calm .. 2 busy melody rhythm
  std::uint64_t seed;
  // Chord charts of the sections as scale degrees (0 = tonic), one chord a bar.
  std::vector<int> verse, bridge;
  std::string form;  // I intro, A verse, B bridge, O outro
  Mix mix{};
  // The song's overall level (controller 11 on every channel), set so that all songs play
  // equally loud through the game's synthesizer; 0 dB is full expression.
  double levelDb = 0;
};

// Expression follows the SoundFont's concave curve: 40 log10(value / 127) dB.
int ExpressionFor(double db) {
  return std::clamp(static_cast<int>(std::lround(127 * std::pow(10.0, db / 40))), 1, 127);
}

const int kMajor[7] = {0, 2, 4, 5, 7, 9, 11};
const int kMinor[7] = {0, 2, 3, 5, 7, 8, 10};

struct Composer {
  const Style& st;
  MidiTrack lead{"Melody"}, comp{"Accompaniment"}, pad{"Pad"}, bass{"Bass"}, drums{"Drums"};
  Rng rng;
  explicit Composer(const Style& s) : st(s), rng(s.seed) {}

  // Pitch of scale step `step` (0 = tonic at the key's octave; 7 = an octave up).
  int Pitch(int step) const {
    const int* sc = st.minor ? kMinor : kMajor;
    int oct = static_cast<int>(std::floor(step / 7.0));
    int idx = step - oct * 7;
    return st.key + oct * 12 + sc[idx];
  }
  // Chord tones of degree d as scale steps; in minor the dominant gets its leading tone.
  std::vector<int> ChordSteps(int d) const {
    std::vector<int> c{d, d + 2, d + 4};
    if (st.sevenths) c.push_back(d + 6);
    return c;
  }
  int ChordPitch(int d, int i) const {
    int step = ChordSteps(d)[static_cast<std::size_t>(i)];
    int p = Pitch(step);
    if (st.minor && ((d % 7 + 7) % 7) == 4 && ((step % 7 + 7) % 7) == 6) p += 1;
    return p;
  }
  std::int64_t SwingPos(std::int64_t t) const {
    // Offbeat eighths sit on the last third of the beat in a swing feel.
    if (!st.swing) return t;
    std::int64_t inBeat = t % kQuarter;
    if (inBeat == kQuarter / 2) return t - inBeat + kQuarter * 2 / 3;
    return t;
  }
  int Vel(int base) { return std::clamp(base + static_cast<int>(rng.Next() % 11) - 5, 1, 127); }

  // A melody for one section: a two-bar motif, answered, then developed, cadencing at the end.
  struct Note {
    std::int64_t at, len;
    int step;     // scale step, or INT32_MIN for a rest
    int sharpen;  // 1 raises the seventh over the minor dominant
  };
  std::vector<Note> Melody(const std::vector<int>& chart, std::uint64_t seed) {
    Rng r(seed);
    static const std::vector<std::vector<int>> kCells[3] = {
        {{4, 4}, {6, 2}, {2, 2, 4}, {4, 2, 2}, {3, 1, 4}, {8}},
        {{2, 2, 2, 2}, {3, 1, 2, 2}, {2, 2, 4}, {4, 2, 2}, {2, 1, 1, 4}, {3, 3, 2}},
        {{1, 1, 2, 2, 2}, {2, 1, 1, 2, 2}, {1, 1, 1, 1, 2, 2}, {3, 3, 2}, {2, 2, 1, 1, 2}}};
    const auto& pool = kCells[std::clamp(st.busy, 0, 2)];
    std::vector<std::vector<int>> motif(2);
    for (auto& m : motif) m = pool[r.Next() % pool.size()];
    std::vector<Note> out;
    int cur = 9;  // start near the third above the tonic an octave up
    const int bars = static_cast<int>(chart.size());
    for (int bar = 0; bar < bars; ++bar) {
      const bool phraseEnd = bar % 4 == 3;
      const bool last = bar == bars - 1;
      std::vector<int> rhythm = (phraseEnd || last) ? std::vector<int>{2, 2, 4}
                                                    : motif[static_cast<std::size_t>(bar % 2)];
      if (st.busy == 0 && (phraseEnd || last)) rhythm = {4, 4};
      std::int64_t t = bar * kBar;
      const int deg = chart[static_cast<std::size_t>(bar)];
      for (std::size_t k = 0; k < rhythm.size(); ++k) {
        const std::int64_t len = rhythm[k] * kQuarter / 2;
        const bool strong = (t % (2 * kQuarter)) == 0;
        std::vector<int> tones = ChordSteps(deg);
        if (k + 1 == rhythm.size() && (phraseEnd || last)) {
          // Phrase ends rest on a chord tone; the last one on the tonic.
          int target = last ? 7 : tones[r.Next() % 2 ? 0 : 1] + 7;
          while (target - cur > 4) target -= 7;
          while (cur - target > 4) target += 7;
          cur = target;
        } else if (strong) {
          int best = cur, bestD = 99;
          for (int tn : tones)
            for (int o = -14; o <= 14; o += 7) {
              int cand = tn + o;
              int d = std::abs(cand - cur) + (r.Next() % 3 == 0 ? 1 : 0);
              if (d < bestD && d > 0) best = cand, bestD = d;
            }
          cur = best;
        } else {
          int dir = (r.Next() % 2) ? 1 : -1;
          if (cur > 13) dir = -1;
          if (cur < 4) dir = 1;
          cur += dir * ((r.Next() % 4 == 0) ? 2 : 1);
        }
        cur = std::clamp(cur, 2, 15);
        const bool rest = !strong && k > 0 && r.Next() % 9 == 0;
        const int sharpen = st.minor && deg % 7 == 4 && ((cur % 7) + 7) % 7 == 6 ? 1 : 0;
        out.push_back({t, len, rest ? INT32_MIN : cur, sharpen});
        t += len;
      }
    }
    return out;
  }

  void PlayMelody(std::int64_t start, const std::vector<Note>& m, int velocity) {
    for (const Note& n : m) {
      if (n.step == INT32_MIN) continue;
      std::int64_t at = SwingPos(start + n.at);
      lead.Note(at, n.len * 9 / 10, 0, Pitch(n.step) + 12 + n.sharpen, Vel(velocity));
    }
  }

  void PlayChords(std::int64_t start, const std::vector<int>& chart, int velocity) {
    for (std::size_t bar = 0; bar < chart.size(); ++bar) {
      const int d = chart[bar];
      const std::int64_t t0 = start + static_cast<std::int64_t>(bar) * kBar;
      const int n = st.sevenths ? 4 : 3;
      // Voice the chord in the octave below middle C's neighbourhood.
      auto voice = [&](int i) {
        int p = ChordPitch(d, i);
        while (p > 64 + 5) p -= 12;
        while (p < 52) p += 12;
        return p;
      };
      if (st.padProg >= 0)
        for (int i = 0; i < n; ++i) pad.Note(t0, kBar - 10, 2, voice(i), Vel(velocity - 25));
      switch (st.comp) {
        case Comp::Pad:
          for (int i = 0; i < n; ++i) comp.Note(t0, kBar - 20, 1, voice(i), Vel(velocity - 10));
          break;
        case Comp::Arpeggio:
          for (int k = 0; k < 8; ++k) {
            static const int kOrder[8] = {0, 1, 2, 1, 0, 2, 1, 2};
            int p = voice(kOrder[k] % n) + (k >= 4 && kOrder[k] == 0 ? 12 : 0);
            comp.Note(SwingPos(t0 + k * kQuarter / 2), kQuarter / 2, 1, p,
                      Vel(velocity - 12 - (k % 2) * 6));
          }
          break;
        case Comp::Stabs:
          for (int beat = 0; beat < 4; ++beat) {
            std::int64_t at = SwingPos(t0 + beat * kQuarter + kQuarter / 2);
            for (int i = 0; i < n; ++i) comp.Note(at, kQuarter / 3, 1, voice(i), Vel(velocity - 8));
          }
          break;
        case Comp::Power:
          for (int k = 0; k < 8; ++k) {
            int root = ChordPitch(d, 0);
            while (root > 52) root -= 12;
            while (root < 40) root += 12;
            std::int64_t at = t0 + k * kQuarter / 2;
            int v = Vel(k % 2 ? velocity - 14 : velocity);
            comp.Note(at, kQuarter / 2 - 30, 1, root, v);
            comp.Note(at, kQuarter / 2 - 30, 1, root + 7, v);
            comp.Note(at, kQuarter / 2 - 30, 1, root + 12, v - 10);
          }
          break;
        case Comp::Charleston:
          for (std::int64_t at : {t0, SwingPos(t0 + kQuarter + kQuarter / 2),
                                  t0 + 2 * kQuarter + kQuarter / 2 + kQuarter / 6})
            for (int i = 0; i < n; ++i)
              comp.Note(at, kQuarter / 2, 1, voice(i), Vel(velocity - 10));
          break;
      }
    }
  }

  void PlayBass(std::int64_t start, const std::vector<int>& chart, int velocity) {
    for (std::size_t bar = 0; bar < chart.size(); ++bar) {
      const int d = chart[bar];
      const int next = chart[(bar + 1) % chart.size()];
      const std::int64_t t0 = start + static_cast<std::int64_t>(bar) * kBar;
      int root = ChordPitch(d, 0);
      while (root >= 48) root -= 12;
      while (root < 36) root += 12;
      const int fifth = root + 7;
      switch (st.bass) {
        case Bass::Roots:
          bass.Note(t0, 2 * kQuarter - 20, 3, root, Vel(velocity));
          bass.Note(t0 + 2 * kQuarter, 2 * kQuarter - 20, 3, fifth - 12 >= 28 ? fifth - 12 : fifth,
                    Vel(velocity - 8));
          break;
        case Bass::RootFifth:
          bass.Note(t0, kQuarter - 20, 3, root, Vel(velocity));
          bass.Note(t0 + kQuarter, kQuarter / 2, 3, root, Vel(velocity - 15));
          bass.Note(t0 + 2 * kQuarter, kQuarter - 20, 3, fifth, Vel(velocity - 5));
          bass.Note(SwingPos(t0 + 3 * kQuarter + kQuarter / 2), kQuarter / 2, 3, root + 12,
                    Vel(velocity - 12));
          break;
        case Bass::Eighths:
          for (int k = 0; k < 8; ++k)
            bass.Note(t0 + k * kQuarter / 2, kQuarter / 2 - 25, 3, k == 7 ? fifth : root,
                      Vel(k % 2 ? velocity - 10 : velocity));
          break;
        case Bass::Walking: {
          int third = ChordPitch(d, 1);
          while (third < root) third += 12;
          while (third > root + 12) third -= 12;
          int target = ChordPitch(next, 0);
          while (target >= 48) target -= 12;
          while (target < 36) target += 12;
          int approach = target + ((rng.Next() % 2) ? -1 : 1);
          int line[4] = {root, third, fifth, approach};
          for (int b = 0; b < 4; ++b)
            bass.Note(t0 + b * kQuarter, kQuarter - 30, 3, line[b], Vel(velocity - (b % 2) * 8));
          break;
        }
        case Bass::Funk: {
          static const int kHits[6] = {0, 3, 6, 8, 10, 14};  // sixteenths
          for (int k = 0; k < 6; ++k)
            bass.Note(t0 + kHits[k] * kQuarter / 4, kQuarter / 4 + 20, 3,
                      (k == 2 || k == 5) ? root + 12 : root,
                      Vel(k == 0 ? velocity + 5 : velocity - 10));
          break;
        }
      }
    }
  }

  void PlayDrums(std::int64_t start, int bars, int velocity, bool fillAtEnd, bool crashAtStart) {
    auto hit = [&](std::int64_t at, int key, int v) {
      drums.Note(at, kQuarter / 4, kDrums, key, Vel(v));
    };
    for (int bar = 0; bar < bars; ++bar) {
      const std::int64_t t0 = start + static_cast<std::int64_t>(bar) * kBar;
      const bool fill = fillAtEnd && bar == bars - 1;
      if (bar == 0 && crashAtStart && st.groove != Groove::Ballad) hit(t0, 49, velocity);
      switch (st.groove) {
        case Groove::None:
          break;
        case Groove::Pop:
          for (int k = 0; k < 8; ++k) hit(t0 + k * kQuarter / 2, 42, velocity - (k % 2 ? 25 : 12));
          hit(t0, 36, velocity);
          hit(t0 + kQuarter + kQuarter / 2, 36, velocity - 15);
          hit(t0 + 2 * kQuarter, 36, velocity - 5);
          hit(t0 + kQuarter, 38, velocity);
          hit(t0 + 3 * kQuarter, 38, velocity);
          break;
        case Groove::Rock:
          for (int k = 0; k < 8; ++k)
            hit(t0 + k * kQuarter / 2, k == 7 ? 46 : 42, velocity - (k % 2 ? 20 : 8));
          hit(t0, 36, velocity + 5);
          hit(t0 + 2 * kQuarter, 36, velocity);
          hit(t0 + 2 * kQuarter + kQuarter / 2, 36, velocity - 10);
          hit(t0 + kQuarter, 38, velocity + 5);
          hit(t0 + 3 * kQuarter, 38, velocity + 5);
          break;
        case Groove::Swing:
          for (int b = 0; b < 4; ++b) {
            hit(t0 + b * kQuarter, 51, velocity - 10);
            if (b % 2)
              hit(t0 + b * kQuarter + kQuarter * 2 / 3, 51, velocity - 25),
                  hit(t0 + b * kQuarter, 44, velocity - 15);
          }
          hit(t0, 36, velocity - 25);
          break;
        case Groove::Ballad:
          for (int b = 0; b < 4; ++b) hit(t0 + b * kQuarter, 42, velocity - 30);
          hit(t0, 36, velocity - 15);
          hit(t0 + 2 * kQuarter, 37, velocity - 20);
          break;
        case Groove::Funk:
          for (int k = 0; k < 16; ++k) hit(t0 + k * kQuarter / 4, 42, velocity - (k % 4 ? 30 : 12));
          hit(t0, 36, velocity);
          hit(t0 + kQuarter * 3 / 4, 36, velocity - 15);
          hit(t0 + 2 * kQuarter + kQuarter / 2, 36, velocity - 10);
          hit(t0 + kQuarter, 38, velocity);
          hit(t0 + 3 * kQuarter, 38, velocity);
          hit(t0 + 3 * kQuarter + kQuarter * 3 / 4, 38, velocity - 40);
          break;
        case Groove::Waltzless:
          break;
      }
      if (fill && st.groove != Groove::None && st.groove != Groove::Ballad) {
        static const int kToms[4] = {50, 48, 45, 41};
        for (int k = 0; k < 4; ++k) hit(t0 + 3 * kQuarter + k * kQuarter / 4, kToms[k], velocity);
      }
    }
  }

  std::vector<std::uint8_t> Compose() {
    MidiTrack conductor(st.title);
    conductor.Tempo(0, st.bpm);
    conductor.TimeSignature(0, 4, 2);
    lead.Program(0, 0, st.leadProg);
    comp.Program(0, 1, st.compProg);
    if (st.padProg >= 0) pad.Program(0, 2, st.padProg);
    bass.Program(0, 3, st.bassProg);
    lead.Control(0, 0, 7, st.mix.lead);
    comp.Control(0, 1, 7, st.mix.comp);
    pad.Control(0, 2, 7, st.mix.pad);
    bass.Control(0, 3, 7, st.mix.bass);
    drums.Control(0, kDrums, 7, st.mix.drums);
    const int expression = ExpressionFor(st.levelDb);
    lead.Control(0, 0, 11, expression);
    comp.Control(0, 1, 11, expression);
    pad.Control(0, 2, 11, expression);
    bass.Control(0, 3, 11, expression);
    drums.Control(0, kDrums, 11, expression);
    // A little space: reverb on the melody and pad, panning across the stage.
    lead.Control(0, 0, 91, 50);
    pad.Control(0, 2, 91, 70);
    comp.Control(0, 1, 10, 44);
    pad.Control(0, 2, 10, 84);
    const auto verseMelody = Melody(st.verse, st.seed * 3 + 1);
    const auto bridgeMelody = Melody(st.bridge, st.seed * 3 + 2);
    std::int64_t t = 0;
    int verseCount = 0;
    for (char sec : st.form) {
      if (sec == 'I') {
        std::vector<int> intro(st.verse.begin(), st.verse.begin() + 4);
        PlayChords(t, intro, 74);
        PlayBass(t, intro, 84);
        PlayDrums(t, 4, 80, true, false);
        t += 4 * kBar;
      } else if (sec == 'A' || sec == 'B') {
        const auto& chart = sec == 'A' ? st.verse : st.bridge;
        const auto& mel = sec == 'A' ? verseMelody : bridgeMelody;
        const int lift = sec == 'A' ? (verseCount++ % 2) * 6 : 4;
        PlayMelody(t, mel, 92 + lift + st.mix.leadVelocity);
        PlayChords(t, chart, 78 + lift);
        PlayBass(t, chart, 88 + lift);
        PlayDrums(t, static_cast<int>(chart.size()), 86 + lift, true, true);
        t += static_cast<std::int64_t>(chart.size()) * kBar;
      } else if (sec == 'O') {
        // The ending: the last two chords of the verse, then the tonic held.
        std::vector<int> tail(st.verse.end() - 2, st.verse.end());
        PlayChords(t, tail, 70);
        PlayBass(t, tail, 80);
        PlayDrums(t, 2, 76, false, false);
        t += 2 * kBar;
        for (int i = 0; i < 3; ++i)
          comp.Note(t, 2 * kBar - kQuarter, 1, ChordPitch(0, i) + (i ? 0 : -12) + 12, 70);
        lead.Note(t, 2 * kBar - kQuarter, 0, Pitch(7) + 12, 80);
        bass.Note(t, 2 * kBar - kQuarter, 3, st.key - 24 < 28 ? st.key - 12 : st.key - 24, 86);
        if (st.groove != Groove::None)
          drums.Note(t, kQuarter, kDrums, 49, 90), drums.Note(t, kQuarter, kDrums, 36, 90);
        t += 2 * kBar;
      }
    }
    std::vector<MidiTrack> tracks{conductor, lead, comp, bass, drums};
    if (st.padProg >= 0) tracks.push_back(pad);
    return EncodeSmf(tracks, t);
  }
};

// One note list entry for the hand-set tunes: start and length in eighths, MIDI key.
struct N {
  int at, len, key;
};

void AddNotes(MidiTrack& tr, int ch, const std::vector<N>& ns, int velocity) {
  for (const N& n : ns)
    tr.Note(n.at * kQuarter / 2, n.len * kQuarter / 2 - 20, ch, n.key, velocity);
}

// The win fanfare: trumpets over brass chords, timpani and a snare roll; four bars that return
// to the first chord, so it loops.
std::vector<std::uint8_t> WinFanfare() {
  MidiTrack conductor("Win fanfare"), lead("Trumpet"), brass("Brass"), timp("Timpani"),
      drums("Drums"), bass("Bass");
  conductor.Tempo(0, 116);
  conductor.TimeSignature(0, 4, 2);
  lead.Program(0, 0, 56);
  brass.Program(0, 1, 61);
  timp.Program(0, 2, 47);
  bass.Program(0, 3, 58);
  lead.Control(0, 0, 91, 60);
  brass.Control(0, 1, 91, 60);
  AddNotes(lead, 0,
           {{0, 1, 67},
            {1, 1, 72},
            {2, 1, 76},
            {3, 3, 79},
            {6, 1, 76},
            {7, 1, 79},
            {8, 2, 81},
            {10, 1, 77},
            {11, 1, 81},
            {12, 4, 84},
            {16, 1, 81},
            {17, 1, 79},
            {18, 2, 77},
            {20, 1, 79},
            {21, 1, 77},
            {22, 2, 74},
            {24, 6, 76},
            {30, 1, 74},
            {31, 1, 71}},
           112);
  const std::vector<std::vector<int>> chords = {
      {60, 64, 67}, {65, 69, 72}, {62, 65, 69, 72}, {55, 62, 65, 71}};
  for (int bar = 0; bar < 4; ++bar)
    for (int k : chords[static_cast<std::size_t>(bar)]) {
      brass.Note(bar * kBar, kQuarter + kQuarter / 2, 1, k, 96);
      brass.Note(bar * kBar + 2 * kQuarter, 2 * kQuarter - 30, 1, k, 88);
    }
  const int roots[4] = {48, 53, 50, 43};
  for (int bar = 0; bar < 4; ++bar) {
    timp.Note(bar * kBar, kQuarter, 2, roots[bar], 100);
    timp.Note(bar * kBar + 2 * kQuarter, kQuarter, 2, roots[bar] + (bar == 3 ? 7 : 0), 84);
    bass.Note(bar * kBar, 2 * kQuarter - 20, 3, roots[bar] - 12 + 12, 96);
    bass.Note(bar * kBar + 2 * kQuarter, 2 * kQuarter - 20, 3, roots[bar] - 12 + 19, 88);
  }
  drums.Note(0, kQuarter, kDrums, 49, 110);
  for (int k = 0; k < 16; ++k)
    drums.Note(3 * kBar + k * kQuarter / 4, kQuarter / 8, kDrums, 38, 50 + k * 4);
  // The overall level, as the songs set theirs, so that all music plays equally loud.
  for (int ch : {0, 1, 2, 3, kDrums}) conductor.Control(0, ch, 11, ExpressionFor(-5.5));
  return EncodeSmf({conductor, lead, brass, timp, drums, bass}, 4 * kBar);
}

// The lose tune: a soft, falling clarinet line over strings in D minor, four bars that end on
// the dominant so the repeat follows on naturally.
std::vector<std::uint8_t> LoseTune() {
  MidiTrack conductor("Lose tune"), lead("Clarinet"), strings("Strings"), bass("Bass");
  conductor.Tempo(0, 76);
  conductor.TimeSignature(0, 4, 2);
  lead.Program(0, 0, 71);
  strings.Program(0, 1, 48);
  bass.Program(0, 3, 32);
  lead.Control(0, 0, 91, 70);
  strings.Control(0, 1, 91, 80);
  strings.Control(0, 1, 7, 80);
  AddNotes(lead, 0,
           {{0, 3, 69},
            {3, 1, 67},
            {4, 2, 65},
            {6, 2, 64},
            {8, 3, 62},
            {11, 1, 65},
            {12, 4, 70},
            {16, 3, 67},
            {19, 1, 65},
            {20, 2, 64},
            {22, 2, 62},
            {24, 6, 61},
            {30, 2, 64}},
           82);
  const std::vector<std::vector<int>> chords = {
      {57, 62, 65}, {58, 62, 65}, {55, 58, 62}, {57, 61, 64, 67}};
  for (int bar = 0; bar < 4; ++bar)
    for (int k : chords[static_cast<std::size_t>(bar)])
      strings.Note(bar * kBar, kBar - 30, 1, k, 66);
  const int roots[4] = {38, 34, 43, 45};
  for (int bar = 0; bar < 4; ++bar) {
    bass.Note(bar * kBar, 2 * kQuarter - 30, 3, roots[bar], 80);
    bass.Note(bar * kBar + 2 * kQuarter, 2 * kQuarter - 30, 3, roots[bar] + 7, 70);
  }
  // The overall level, as the songs set theirs.
  for (int ch : {0, 1, 3}) conductor.Control(0, ch, 11, ExpressionFor(-0.4));
  return EncodeSmf({conductor, lead, strings, bass}, 4 * kBar);
}

std::vector<Style> SongStyles() {
  std::vector<Style> s;
  // The title theme: an elegant, unhurried piano melody over harp arpeggios and strings. The
  // melody leads: full volume and firmer touch, the harp, strings, bass and brushes well below
  // it (a second piano under the melody used to swallow it).
  s.push_back({"Quenbry Solitaire",
               96,
               60,
               false,
               Groove::Ballad,
               Bass::RootFifth,
               Comp::Arpeggio,
               0,
               46,
               48,
               33,
               false,
               false,
               1,
               11,
               {0, 5, 3, 4, 0, 5, 1, 4},
               {3, 4, 2, 5, 1, 4, 0, 4},
               "IAABA"});
  s.back().mix = {127, 70, 54, 72, 64, 14};
  // Fast 1: bright pop with vibraphone lead.
  s.push_back({"Fast 1",
               148,
               67,
               false,
               Groove::Pop,
               Bass::RootFifth,
               Comp::Stabs,
               11,
               4,
               -1,
               33,
               false,
               false,
               2,
               21,
               {0, 4, 5, 3, 0, 4, 3, 4},
               {5, 3, 0, 4, 5, 3, 1, 4},
               "IAABAABAO"});
  s.back().levelDb = -4.7;
  // Slow 1: a gentle flute ballad.
  s.push_back({"Slow 1",
               70,
               65,
               false,
               Groove::Ballad,
               Bass::Roots,
               Comp::Arpeggio,
               73,
               0,
               49,
               35,
               false,
               false,
               0,
               31,
               {0, 3, 4, 0, 5, 1, 4, 4},
               {3, 0, 3, 4, 5, 3, 1, 4},
               "IAABAO"});
  s.back().levelDb = -3.7;
  // Fast 2: a funky minor groove with brass lead and clavinet.
  s.push_back({"Fast 2",
               156,
               57,
               true,
               Groove::Funk,
               Bass::Funk,
               Comp::Stabs,
               61,
               7,
               -1,
               36,
               false,
               false,
               2,
               41,
               {0, 0, 3, 4, 0, 0, 5, 4},
               {5, 6, 0, 0, 5, 6, 4, 4},
               "IAABAABAO"});
  s.back().levelDb = -1.1;
  // Rock: power chords, overdriven lead, straight eighths.
  s.push_back({"Rock",
               132,
               64,
               true,
               Groove::Rock,
               Bass::Eighths,
               Comp::Power,
               30,
               29,
               -1,
               34,
               false,
               false,
               1,
               51,
               {0, 5, 6, 0, 0, 5, 6, 4},
               {3, 3, 0, 0, 5, 5, 6, 4},
               "IAABAABAO"});
  s.back().levelDb = -2.1;
  // Slow 2: nylon guitar and clarinet, wistful minor.
  s.push_back({"Slow 2",
               78,
               57,
               true,
               Groove::Ballad,
               Bass::Roots,
               Comp::Arpeggio,
               71,
               24,
               89,
               32,
               false,
               true,
               0,
               61,
               {0, 3, 6, 2, 5, 1, 4, 4},
               {3, 4, 0, 5, 3, 1, 4, 4},
               "IAABAO"});
  s.back().levelDb = -1.2;
  // Fast 3: small-band swing with a muted trumpet and a walking bass.
  s.push_back({"Fast 3",
               150,
               58,
               false,
               Groove::Swing,
               Bass::Walking,
               Comp::Charleston,
               59,
               0,
               -1,
               32,
               true,
               true,
               2,
               71,
               {0, 5, 1, 4, 0, 5, 1, 4},
               {2, 5, 1, 4, 0, 3, 1, 4},
               "IAABAABAO"});
  s.back().levelDb = -1.1;
  return s;
}

}  // namespace

void MakeMusic(Output& out) {
  std::vector<Style> styles = SongStyles();
  for (std::size_t i = 0; i < styles.size(); ++i) {
    Composer c(styles[i]);
    std::vector<std::uint8_t> smf = c.Compose();
    out.WriteBytes(i == 0 ? "music/MAIN.MID" : "music/SONG" + std::to_string(i) + ".MID", smf);
  }
  out.WriteBytes("music/WIN.MID", WinFanfare());
  out.WriteBytes("music/LOSE.MID", LoseTune());
}

}  // namespace mk
