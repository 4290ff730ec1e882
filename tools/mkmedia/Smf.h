// Standard MIDI File tracks as the composer fills them and the writer encodes them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mk {

constexpr int kTicksPerBeat = 480;

struct MidiEvent {
  std::int64_t tick;
  int order;  // ties at one tick: note-offs (0) before controls (1) before note-ons (2)
  std::vector<std::uint8_t> bytes;
};

class MidiTrack {
public:
  explicit MidiTrack(std::string name) : name_(std::move(name)) {}
  void Program(std::int64_t tick, int ch, int prog);
  void Control(std::int64_t tick, int ch, int cc, int value);
  void Note(std::int64_t tick, std::int64_t length, int ch, int key, int velocity);
  void Tempo(std::int64_t tick, double bpm);
  void TimeSignature(std::int64_t tick, int num, int denomPow2);
  const std::string& Name() const { return name_; }
  std::vector<MidiEvent>& Events() { return events_; }
  const std::vector<MidiEvent>& Events() const { return events_; }

private:
  std::string name_;
  std::vector<MidiEvent> events_;
};

// Format 1, 480 ticks a quarter note; every track ends at `endTick` so the song loops cleanly.
std::vector<std::uint8_t> EncodeSmf(const std::vector<MidiTrack>& tracks, std::int64_t endTick);

}  // namespace mk
