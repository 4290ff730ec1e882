// Writes Standard MIDI Files (format 1) from the composer's tracks.
#include <algorithm>

#include "Smf.h"
#include "Writers.h"

namespace mk {

void MidiTrack::program(int64_t tick, int ch, int prog) {
  events_.push_back({tick, 1, {uint8_t(0xC0 | ch), uint8_t(prog)}});
}
void MidiTrack::control(int64_t tick, int ch, int cc, int value) {
  events_.push_back({tick, 1, {uint8_t(0xB0 | ch), uint8_t(cc), uint8_t(value)}});
}
void MidiTrack::note(int64_t tick, int64_t length, int ch, int key, int velocity) {
  key = std::clamp(key, 0, 127);
  velocity = std::clamp(velocity, 1, 127);
  events_.push_back({tick, 2, {uint8_t(0x90 | ch), uint8_t(key), uint8_t(velocity)}});
  events_.push_back(
      {tick + std::max<int64_t>(1, length), 0, {uint8_t(0x80 | ch), uint8_t(key), 64}});
}
void MidiTrack::tempo(int64_t tick, double bpm) {
  uint32_t us = uint32_t(60000000.0 / bpm);
  events_.push_back({tick, 1, {0xFF, 0x51, 3, uint8_t(us >> 16), uint8_t(us >> 8), uint8_t(us)}});
}
void MidiTrack::timeSignature(int64_t tick, int num, int denomPow2) {
  events_.push_back({tick, 1, {0xFF, 0x58, 4, uint8_t(num), uint8_t(denomPow2), 24, 8}});
}

static void putVarLen(std::vector<uint8_t>& v, uint32_t x) {
  uint8_t buf[5];
  int n = 0;
  buf[n++] = x & 0x7F;
  while (x >>= 7) buf[n++] = uint8_t(0x80 | (x & 0x7F));
  while (n) v.push_back(buf[--n]);
}

std::vector<uint8_t> encodeSmf(const std::vector<MidiTrack>& tracks, int64_t endTick) {
  std::vector<uint8_t> v;
  putStr(v, "MThd");
  putU32be(v, 6);
  putU16be(v, 1);
  putU16be(v, uint32_t(tracks.size()));
  putU16be(v, kTicksPerBeat);
  for (const MidiTrack& t : tracks) {
    std::vector<MidiEvent> ev = t.events();
    std::stable_sort(ev.begin(), ev.end(), [](const MidiEvent& a, const MidiEvent& b) {
      return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<uint8_t> body;
    // Track name first.
    body.push_back(0);
    body.push_back(0xFF);
    body.push_back(0x03);
    putVarLen(body, uint32_t(t.name().size()));
    body.insert(body.end(), t.name().begin(), t.name().end());
    int64_t last = 0;
    for (const MidiEvent& e : ev) {
      int64_t tick = std::min(e.tick, endTick);
      putVarLen(body, uint32_t(tick - last));
      last = tick;
      body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    }
    putVarLen(body, uint32_t(std::max<int64_t>(0, endTick - last)));
    body.push_back(0xFF);
    body.push_back(0x2F);
    body.push_back(0);
    putStr(v, "MTrk");
    putU32be(v, uint32_t(body.size()));
    v.insert(v.end(), body.begin(), body.end());
  }
  return v;
}

}  // namespace mk
