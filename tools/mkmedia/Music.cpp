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

constexpr int64_t Q = kTicksPerBeat;  // one quarter note
constexpr int64_t BAR = 4 * Q;
constexpr int kDrums = 9;

enum class Groove { None, Pop, Rock, Swing, Ballad, Funk, Waltzless };
enum class Bass { Roots, RootFifth, Eighths, Walking, Funk };
enum class Comp { Pad, Arpeggio, Stabs, Power, Charleston };

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
  uint64_t seed;
  // Chord charts of the sections as scale degrees (0 = tonic), one chord a bar.
  std::vector<int> verse, bridge;
  std::string form;  // I intro, A verse, B bridge, O outro
};

const int kMajor[7] = {0, 2, 4, 5, 7, 9, 11};
const int kMinor[7] = {0, 2, 3, 5, 7, 8, 10};

struct Composer {
  const Style& st;
  MidiTrack lead{"Melody"}, comp{"Accompaniment"}, pad{"Pad"}, bass{"Bass"}, drums{"Drums"};
  Rng rng;
  explicit Composer(const Style& s) : st(s), rng(s.seed) {}

  // Pitch of scale step `step` (0 = tonic at the key's octave; 7 = an octave up).
  int pitch(int step) const {
    const int* sc = st.minor ? kMinor : kMajor;
    int oct = int(std::floor(step / 7.0));
    int idx = step - oct * 7;
    return st.key + oct * 12 + sc[idx];
  }
  // Chord tones of degree d as scale steps; in minor the dominant gets its leading tone.
  std::vector<int> chordSteps(int d) const {
    std::vector<int> c{d, d + 2, d + 4};
    if (st.sevenths) c.push_back(d + 6);
    return c;
  }
  int chordPitch(int d, int i) const {
    int step = chordSteps(d)[size_t(i)];
    int p = pitch(step);
    if (st.minor && ((d % 7 + 7) % 7) == 4 && ((step % 7 + 7) % 7) == 6) p += 1;
    return p;
  }
  int64_t swingPos(int64_t t) const {
    // Offbeat eighths sit on the last third of the beat in a swing feel.
    if (!st.swing) return t;
    int64_t inBeat = t % Q;
    if (inBeat == Q / 2) return t - inBeat + Q * 2 / 3;
    return t;
  }
  int vel(int base) { return std::clamp(base + int(rng.next() % 11) - 5, 1, 127); }

  // A melody for one section: a two-bar motif, answered, then developed, cadencing at the end.
  struct Note {
    int64_t at, len;
    int step;     // scale step, or INT32_MIN for a rest
    int sharpen;  // 1 raises the seventh over the minor dominant
  };
  std::vector<Note> melody(const std::vector<int>& chart, uint64_t seed) {
    Rng r(seed);
    static const std::vector<std::vector<int>> cells[3] = {
        {{4, 4}, {6, 2}, {2, 2, 4}, {4, 2, 2}, {3, 1, 4}, {8}},
        {{2, 2, 2, 2}, {3, 1, 2, 2}, {2, 2, 4}, {4, 2, 2}, {2, 1, 1, 4}, {3, 3, 2}},
        {{1, 1, 2, 2, 2}, {2, 1, 1, 2, 2}, {1, 1, 1, 1, 2, 2}, {3, 3, 2}, {2, 2, 1, 1, 2}}};
    const auto& pool = cells[std::clamp(st.busy, 0, 2)];
    std::vector<std::vector<int>> motif(2);
    for (auto& m : motif) m = pool[r.next() % pool.size()];
    std::vector<Note> out;
    int cur = 9;  // start near the third above the tonic an octave up
    const int bars = int(chart.size());
    for (int bar = 0; bar < bars; ++bar) {
      const bool phraseEnd = bar % 4 == 3;
      const bool last = bar == bars - 1;
      std::vector<int> rhythm =
          (phraseEnd || last) ? std::vector<int>{2, 2, 4} : motif[size_t(bar % 2)];
      if (st.busy == 0 && (phraseEnd || last)) rhythm = {4, 4};
      int64_t t = bar * BAR;
      const int deg = chart[size_t(bar)];
      for (size_t k = 0; k < rhythm.size(); ++k) {
        const int64_t len = rhythm[k] * Q / 2;
        const bool strong = (t % (2 * Q)) == 0;
        std::vector<int> tones = chordSteps(deg);
        if (k + 1 == rhythm.size() && (phraseEnd || last)) {
          // Phrase ends rest on a chord tone; the last one on the tonic.
          int target = last ? 7 : tones[r.next() % 2 ? 0 : 1] + 7;
          while (target - cur > 4) target -= 7;
          while (cur - target > 4) target += 7;
          cur = target;
        } else if (strong) {
          int best = cur, bestD = 99;
          for (int tn : tones)
            for (int o = -14; o <= 14; o += 7) {
              int cand = tn + o;
              int d = std::abs(cand - cur) + (r.next() % 3 == 0 ? 1 : 0);
              if (d < bestD && d > 0) best = cand, bestD = d;
            }
          cur = best;
        } else {
          int dir = (r.next() % 2) ? 1 : -1;
          if (cur > 13) dir = -1;
          if (cur < 4) dir = 1;
          cur += dir * ((r.next() % 4 == 0) ? 2 : 1);
        }
        cur = std::clamp(cur, 2, 15);
        const bool rest = !strong && k > 0 && r.next() % 9 == 0;
        const int sharpen = st.minor && deg % 7 == 4 && ((cur % 7) + 7) % 7 == 6 ? 1 : 0;
        out.push_back({t, len, rest ? INT32_MIN : cur, sharpen});
        t += len;
      }
    }
    return out;
  }

  void playMelody(int64_t start, const std::vector<Note>& m, int velocity) {
    for (const Note& n : m) {
      if (n.step == INT32_MIN) continue;
      int64_t at = swingPos(start + n.at);
      lead.note(at, n.len * 9 / 10, 0, pitch(n.step) + 12 + n.sharpen, vel(velocity));
    }
  }

  void playChords(int64_t start, const std::vector<int>& chart, int velocity) {
    for (size_t bar = 0; bar < chart.size(); ++bar) {
      const int d = chart[bar];
      const int64_t t0 = start + int64_t(bar) * BAR;
      const int n = st.sevenths ? 4 : 3;
      // Voice the chord in the octave below middle C's neighbourhood.
      auto voice = [&](int i) {
        int p = chordPitch(d, i);
        while (p > 64 + 5) p -= 12;
        while (p < 52) p += 12;
        return p;
      };
      if (st.padProg >= 0)
        for (int i = 0; i < n; ++i) pad.note(t0, BAR - 10, 2, voice(i), vel(velocity - 25));
      switch (st.comp) {
        case Comp::Pad:
          for (int i = 0; i < n; ++i) comp.note(t0, BAR - 20, 1, voice(i), vel(velocity - 10));
          break;
        case Comp::Arpeggio:
          for (int k = 0; k < 8; ++k) {
            static const int order[8] = {0, 1, 2, 1, 0, 2, 1, 2};
            int p = voice(order[k] % n) + (k >= 4 && order[k] == 0 ? 12 : 0);
            comp.note(swingPos(t0 + k * Q / 2), Q / 2, 1, p, vel(velocity - 12 - (k % 2) * 6));
          }
          break;
        case Comp::Stabs:
          for (int beat = 0; beat < 4; ++beat) {
            int64_t at = swingPos(t0 + beat * Q + Q / 2);
            for (int i = 0; i < n; ++i) comp.note(at, Q / 3, 1, voice(i), vel(velocity - 8));
          }
          break;
        case Comp::Power:
          for (int k = 0; k < 8; ++k) {
            int root = chordPitch(d, 0);
            while (root > 52) root -= 12;
            while (root < 40) root += 12;
            int64_t at = t0 + k * Q / 2;
            int v = vel(k % 2 ? velocity - 14 : velocity);
            comp.note(at, Q / 2 - 30, 1, root, v);
            comp.note(at, Q / 2 - 30, 1, root + 7, v);
            comp.note(at, Q / 2 - 30, 1, root + 12, v - 10);
          }
          break;
        case Comp::Charleston:
          for (int64_t at : {t0, swingPos(t0 + Q + Q / 2), t0 + 2 * Q + Q / 2 + Q / 6})
            for (int i = 0; i < n; ++i) comp.note(at, Q / 2, 1, voice(i), vel(velocity - 10));
          break;
      }
    }
  }

  void playBass(int64_t start, const std::vector<int>& chart, int velocity) {
    for (size_t bar = 0; bar < chart.size(); ++bar) {
      const int d = chart[bar];
      const int next = chart[(bar + 1) % chart.size()];
      const int64_t t0 = start + int64_t(bar) * BAR;
      int root = chordPitch(d, 0);
      while (root >= 48) root -= 12;
      while (root < 36) root += 12;
      const int fifth = root + 7;
      switch (st.bass) {
        case Bass::Roots:
          bass.note(t0, 2 * Q - 20, 3, root, vel(velocity));
          bass.note(t0 + 2 * Q, 2 * Q - 20, 3, fifth - 12 >= 28 ? fifth - 12 : fifth,
                    vel(velocity - 8));
          break;
        case Bass::RootFifth:
          bass.note(t0, Q - 20, 3, root, vel(velocity));
          bass.note(t0 + Q, Q / 2, 3, root, vel(velocity - 15));
          bass.note(t0 + 2 * Q, Q - 20, 3, fifth, vel(velocity - 5));
          bass.note(swingPos(t0 + 3 * Q + Q / 2), Q / 2, 3, root + 12, vel(velocity - 12));
          break;
        case Bass::Eighths:
          for (int k = 0; k < 8; ++k)
            bass.note(t0 + k * Q / 2, Q / 2 - 25, 3, k == 7 ? fifth : root,
                      vel(k % 2 ? velocity - 10 : velocity));
          break;
        case Bass::Walking: {
          int third = chordPitch(d, 1);
          while (third < root) third += 12;
          while (third > root + 12) third -= 12;
          int target = chordPitch(next, 0);
          while (target >= 48) target -= 12;
          while (target < 36) target += 12;
          int approach = target + ((rng.next() % 2) ? -1 : 1);
          int line[4] = {root, third, fifth, approach};
          for (int b = 0; b < 4; ++b)
            bass.note(t0 + b * Q, Q - 30, 3, line[b], vel(velocity - (b % 2) * 8));
          break;
        }
        case Bass::Funk: {
          static const int hits[6] = {0, 3, 6, 8, 10, 14};  // sixteenths
          for (int k = 0; k < 6; ++k)
            bass.note(t0 + hits[k] * Q / 4, Q / 4 + 20, 3, (k == 2 || k == 5) ? root + 12 : root,
                      vel(k == 0 ? velocity + 5 : velocity - 10));
          break;
        }
      }
    }
  }

  void playDrums(int64_t start, int bars, int velocity, bool fillAtEnd, bool crashAtStart) {
    auto hit = [&](int64_t at, int key, int v) { drums.note(at, Q / 4, kDrums, key, vel(v)); };
    for (int bar = 0; bar < bars; ++bar) {
      const int64_t t0 = start + int64_t(bar) * BAR;
      const bool fill = fillAtEnd && bar == bars - 1;
      if (bar == 0 && crashAtStart && st.groove != Groove::Ballad) hit(t0, 49, velocity);
      switch (st.groove) {
        case Groove::None:
          break;
        case Groove::Pop:
          for (int k = 0; k < 8; ++k) hit(t0 + k * Q / 2, 42, velocity - (k % 2 ? 25 : 12));
          hit(t0, 36, velocity);
          hit(t0 + Q + Q / 2, 36, velocity - 15);
          hit(t0 + 2 * Q, 36, velocity - 5);
          hit(t0 + Q, 38, velocity);
          hit(t0 + 3 * Q, 38, velocity);
          break;
        case Groove::Rock:
          for (int k = 0; k < 8; ++k)
            hit(t0 + k * Q / 2, k == 7 ? 46 : 42, velocity - (k % 2 ? 20 : 8));
          hit(t0, 36, velocity + 5);
          hit(t0 + 2 * Q, 36, velocity);
          hit(t0 + 2 * Q + Q / 2, 36, velocity - 10);
          hit(t0 + Q, 38, velocity + 5);
          hit(t0 + 3 * Q, 38, velocity + 5);
          break;
        case Groove::Swing:
          for (int b = 0; b < 4; ++b) {
            hit(t0 + b * Q, 51, velocity - 10);
            if (b % 2)
              hit(t0 + b * Q + Q * 2 / 3, 51, velocity - 25), hit(t0 + b * Q, 44, velocity - 15);
          }
          hit(t0, 36, velocity - 25);
          break;
        case Groove::Ballad:
          for (int b = 0; b < 4; ++b) hit(t0 + b * Q, 42, velocity - 30);
          hit(t0, 36, velocity - 15);
          hit(t0 + 2 * Q, 37, velocity - 20);
          break;
        case Groove::Funk:
          for (int k = 0; k < 16; ++k) hit(t0 + k * Q / 4, 42, velocity - (k % 4 ? 30 : 12));
          hit(t0, 36, velocity);
          hit(t0 + Q * 3 / 4, 36, velocity - 15);
          hit(t0 + 2 * Q + Q / 2, 36, velocity - 10);
          hit(t0 + Q, 38, velocity);
          hit(t0 + 3 * Q, 38, velocity);
          hit(t0 + 3 * Q + Q * 3 / 4, 38, velocity - 40);
          break;
        case Groove::Waltzless:
          break;
      }
      if (fill && st.groove != Groove::None && st.groove != Groove::Ballad) {
        static const int toms[4] = {50, 48, 45, 41};
        for (int k = 0; k < 4; ++k) hit(t0 + 3 * Q + k * Q / 4, toms[k], velocity);
      }
    }
  }

  std::vector<uint8_t> compose() {
    MidiTrack conductor(st.title);
    conductor.tempo(0, st.bpm);
    conductor.timeSignature(0, 4, 2);
    lead.program(0, 0, st.leadProg);
    comp.program(0, 1, st.compProg);
    if (st.padProg >= 0) pad.program(0, 2, st.padProg);
    bass.program(0, 3, st.bassProg);
    lead.control(0, 0, 7, 104);
    comp.control(0, 1, 7, 84);
    pad.control(0, 2, 7, 70);
    bass.control(0, 3, 7, 100);
    drums.control(0, kDrums, 7, 96);
    // A little space: reverb on the melody and pad, panning across the stage.
    lead.control(0, 0, 91, 50);
    pad.control(0, 2, 91, 70);
    comp.control(0, 1, 10, 44);
    pad.control(0, 2, 10, 84);
    const auto verseMelody = melody(st.verse, st.seed * 3 + 1);
    const auto bridgeMelody = melody(st.bridge, st.seed * 3 + 2);
    int64_t t = 0;
    int verseCount = 0;
    for (char sec : st.form) {
      if (sec == 'I') {
        std::vector<int> intro(st.verse.begin(), st.verse.begin() + 4);
        playChords(t, intro, 74);
        playBass(t, intro, 84);
        playDrums(t, 4, 80, true, false);
        t += 4 * BAR;
      } else if (sec == 'A' || sec == 'B') {
        const auto& chart = sec == 'A' ? st.verse : st.bridge;
        const auto& mel = sec == 'A' ? verseMelody : bridgeMelody;
        const int lift = sec == 'A' ? (verseCount++ % 2) * 6 : 4;
        playMelody(t, mel, 92 + lift);
        playChords(t, chart, 78 + lift);
        playBass(t, chart, 88 + lift);
        playDrums(t, int(chart.size()), 86 + lift, true, true);
        t += int64_t(chart.size()) * BAR;
      } else if (sec == 'O') {
        // The ending: the last two chords of the verse, then the tonic held.
        std::vector<int> tail(st.verse.end() - 2, st.verse.end());
        playChords(t, tail, 70);
        playBass(t, tail, 80);
        playDrums(t, 2, 76, false, false);
        t += 2 * BAR;
        for (int i = 0; i < 3; ++i)
          comp.note(t, 2 * BAR - Q, 1, chordPitch(0, i) + (i ? 0 : -12) + 12, 70);
        lead.note(t, 2 * BAR - Q, 0, pitch(7) + 12, 80);
        bass.note(t, 2 * BAR - Q, 3, st.key - 24 < 28 ? st.key - 12 : st.key - 24, 86);
        if (st.groove != Groove::None)
          drums.note(t, Q, kDrums, 49, 90), drums.note(t, Q, kDrums, 36, 90);
        t += 2 * BAR;
      }
    }
    std::vector<MidiTrack> tracks{conductor, lead, comp, bass, drums};
    if (st.padProg >= 0) tracks.push_back(pad);
    return encodeSmf(tracks, t);
  }
};

// One note list entry for the hand-set tunes: start and length in eighths, MIDI key.
struct N {
  int at, len, key;
};

void addNotes(MidiTrack& tr, int ch, const std::vector<N>& ns, int velocity) {
  for (const N& n : ns) tr.note(n.at * Q / 2, n.len * Q / 2 - 20, ch, n.key, velocity);
}

// The win fanfare: trumpets over brass chords, timpani and a snare roll; four bars that return
// to the first chord, so it loops.
std::vector<uint8_t> winFanfare() {
  MidiTrack conductor("Win fanfare"), lead("Trumpet"), brass("Brass"), timp("Timpani"),
      drums("Drums"), bass("Bass");
  conductor.tempo(0, 116);
  conductor.timeSignature(0, 4, 2);
  lead.program(0, 0, 56);
  brass.program(0, 1, 61);
  timp.program(0, 2, 47);
  bass.program(0, 3, 58);
  lead.control(0, 0, 91, 60);
  brass.control(0, 1, 91, 60);
  addNotes(lead, 0,
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
    for (int k : chords[size_t(bar)]) {
      brass.note(bar * BAR, Q + Q / 2, 1, k, 96);
      brass.note(bar * BAR + 2 * Q, 2 * Q - 30, 1, k, 88);
    }
  const int roots[4] = {48, 53, 50, 43};
  for (int bar = 0; bar < 4; ++bar) {
    timp.note(bar * BAR, Q, 2, roots[bar], 100);
    timp.note(bar * BAR + 2 * Q, Q, 2, roots[bar] + (bar == 3 ? 7 : 0), 84);
    bass.note(bar * BAR, 2 * Q - 20, 3, roots[bar] - 12 + 12, 96);
    bass.note(bar * BAR + 2 * Q, 2 * Q - 20, 3, roots[bar] - 12 + 19, 88);
  }
  drums.note(0, Q, kDrums, 49, 110);
  for (int k = 0; k < 16; ++k) drums.note(3 * BAR + k * Q / 4, Q / 8, kDrums, 38, 50 + k * 4);
  return encodeSmf({conductor, lead, brass, timp, drums, bass}, 4 * BAR);
}

// The lose tune: a soft, falling clarinet line over strings in D minor, four bars that end on
// the dominant so the repeat follows on naturally.
std::vector<uint8_t> loseTune() {
  MidiTrack conductor("Lose tune"), lead("Clarinet"), strings("Strings"), bass("Bass");
  conductor.tempo(0, 76);
  conductor.timeSignature(0, 4, 2);
  lead.program(0, 0, 71);
  strings.program(0, 1, 48);
  bass.program(0, 3, 32);
  lead.control(0, 0, 91, 70);
  strings.control(0, 1, 91, 80);
  strings.control(0, 1, 7, 80);
  addNotes(lead, 0,
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
    for (int k : chords[size_t(bar)]) strings.note(bar * BAR, BAR - 30, 1, k, 66);
  const int roots[4] = {38, 34, 43, 45};
  for (int bar = 0; bar < 4; ++bar) {
    bass.note(bar * BAR, 2 * Q - 30, 3, roots[bar], 80);
    bass.note(bar * BAR + 2 * Q, 2 * Q - 30, 3, roots[bar] + 7, 70);
  }
  return encodeSmf({conductor, lead, strings, bass}, 4 * BAR);
}

std::vector<Style> songStyles() {
  std::vector<Style> s;
  // The title theme: an elegant, unhurried piano melody over strings.
  s.push_back({"Quenbry Solitaire",
               96,
               60,
               false,
               Groove::Ballad,
               Bass::RootFifth,
               Comp::Arpeggio,
               0,
               0,
               48,
               33,
               false,
               false,
               1,
               11,
               {0, 5, 3, 4, 0, 5, 1, 4},
               {3, 4, 2, 5, 1, 4, 0, 4},
               "IAABA"});
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
  return s;
}

}  // namespace

void makeMusic(Output& out) {
  std::vector<Style> styles = songStyles();
  for (size_t i = 0; i < styles.size(); ++i) {
    Composer c(styles[i]);
    std::vector<uint8_t> smf = c.compose();
    out.bytes(i == 0 ? "music/MAIN.MID" : "music/SONG" + std::to_string(i) + ".MID", smf);
  }
  out.bytes("music/WIN.MID", winFanfare());
  out.bytes("music/LOSE.MID", loseTune());
}

}  // namespace mk
