// libFuzzer target: the instrument choices read from a song's MIDI bytes before it plays.
#include <cstdint>
#include <vector>

#include "audio/fluidsynth/SongPresets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<SongPreset> presets = SongPresets(data, size);
  for (const SongPreset& p : presets) {
    if (p.bank < 0 || p.bank > 128 || p.program < 0 || p.program > 127) __builtin_trap();
  }
  return 0;
}
