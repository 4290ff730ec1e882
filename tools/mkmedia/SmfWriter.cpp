// Writes Standard MIDI Files (format 1) from the composer's tracks.
#include <algorithm>

#include "Smf.h"
#include "Writers.h"

namespace mk {

void MidiTrack::Program(std::int64_t tick, int ch, int prog) {
  events_.push_back(
      {tick, 1, {static_cast<std::uint8_t>(0xC0 | ch), static_cast<std::uint8_t>(prog)}});
}
void MidiTrack::Control(std::int64_t tick, int ch, int cc, int value) {
  events_.push_back({tick,
                     1,
                     {static_cast<std::uint8_t>(0xB0 | ch), static_cast<std::uint8_t>(cc),
                      static_cast<std::uint8_t>(value)}});
}
void MidiTrack::Note(std::int64_t tick, std::int64_t length, int ch, int key, int velocity) {
  key = std::clamp(key, 0, 127);
  velocity = std::clamp(velocity, 1, 127);
  events_.push_back({tick,
                     2,
                     {static_cast<std::uint8_t>(0x90 | ch), static_cast<std::uint8_t>(key),
                      static_cast<std::uint8_t>(velocity)}});
  events_.push_back({tick + std::max<std::int64_t>(1, length),
                     0,
                     {static_cast<std::uint8_t>(0x80 | ch), static_cast<std::uint8_t>(key), 64}});
}
void MidiTrack::Tempo(std::int64_t tick, double bpm) {
  std::uint32_t us = static_cast<std::uint32_t>(60000000.0 / bpm);
  events_.push_back({tick,
                     1,
                     {0xFF, 0x51, 3, static_cast<std::uint8_t>(us >> 16),
                      static_cast<std::uint8_t>(us >> 8), static_cast<std::uint8_t>(us)}});
}
void MidiTrack::TimeSignature(std::int64_t tick, int num, int denomPow2) {
  events_.push_back({tick,
                     1,
                     {0xFF, 0x58, 4, static_cast<std::uint8_t>(num),
                      static_cast<std::uint8_t>(denomPow2), 24, 8}});
}

static void PutVarLen(std::vector<std::uint8_t>& v, std::uint32_t x) {
  std::uint8_t buf[5];
  int n = 0;
  buf[n++] = x & 0x7F;
  while (x >>= 7) buf[n++] = static_cast<std::uint8_t>(0x80 | (x & 0x7F));
  while (n) v.push_back(buf[--n]);
}

std::vector<std::uint8_t> EncodeSmf(const std::vector<MidiTrack>& tracks, std::int64_t endTick) {
  std::vector<std::uint8_t> v;
  PutStr(v, "MThd");
  PutU32be(v, 6);
  PutU16be(v, 1);
  PutU16be(v, static_cast<std::uint32_t>(tracks.size()));
  PutU16be(v, kTicksPerBeat);
  for (const MidiTrack& t : tracks) {
    std::vector<MidiEvent> ev = t.Events();
    std::stable_sort(ev.begin(), ev.end(), [](const MidiEvent& a, const MidiEvent& b) {
      return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<std::uint8_t> body;
    // Track name first.
    body.push_back(0);
    body.push_back(0xFF);
    body.push_back(0x03);
    PutVarLen(body, static_cast<std::uint32_t>(t.Name().size()));
    body.insert(body.end(), t.Name().begin(), t.Name().end());
    std::int64_t last = 0;
    for (const MidiEvent& e : ev) {
      std::int64_t tick = std::min(e.tick, endTick);
      PutVarLen(body, static_cast<std::uint32_t>(tick - last));
      last = tick;
      body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    }
    PutVarLen(body, static_cast<std::uint32_t>(std::max<std::int64_t>(0, endTick - last)));
    body.push_back(0xFF);
    body.push_back(0x2F);
    body.push_back(0);
    PutStr(v, "MTrk");
    PutU32be(v, static_cast<std::uint32_t>(body.size()));
    v.insert(v.end(), body.begin(), body.end());
  }
  return v;
}

}  // namespace mk
