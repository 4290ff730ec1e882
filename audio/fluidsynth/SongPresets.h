// Which instruments a Standard MIDI File selects, read from its bytes without playing it, so the
// synth can load their samples before the song starts rather than on the sound device's thread.
#pragma once

#include <cstdint>
#include <vector>

// A General MIDI instrument as a SoundFont numbers it: bank 128 holds the drum kits.
struct SongPreset {
  int bank = 0;
  int program = 0;
  bool operator==(const SongPreset&) const = default;
};

inline constexpr int kDrumBank = 128;

// Every distinct (bank, program) that a program change of the file selects, in the order of
// their first appearance: the drum channel (10) selects from the drum bank, the others from the
// bank their last bank select (controller 0) set. A damaged file gives what was read before the
// damage; bytes that are no MIDI file give nothing.
std::vector<SongPreset> SongPresets(const std::uint8_t* bytes, std::size_t size);
