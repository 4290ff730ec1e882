// Walks the track chunks of a Standard MIDI File for its program changes and bank selects.
#include "audio/fluidsynth/SongPresets.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kDrumChannel = 9;
constexpr std::uint8_t kProgramChange = 0xC0;
constexpr std::uint8_t kControlChange = 0xB0;
constexpr std::uint8_t kBankSelect = 0;

// Reads forward inside [at, end); every read past the end sets `bad` and yields zero.
struct Cursor {
  const std::uint8_t* at;
  const std::uint8_t* end;
  bool bad = false;

  std::uint8_t U8() {
    if (at >= end) {
      bad = true;
      return 0;
    }
    return *at++;
  }
  std::uint32_t U32be() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | U8();
    return v;
  }
  // A variable-length quantity: at most four bytes (SMF 1.0, "Variable Length Quantity").
  std::uint32_t VarLen() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      const std::uint8_t b = U8();
      v = (v << 7) | (b & 0x7Fu);
      if ((b & 0x80u) == 0) return v;
    }
    bad = true;
    return 0;
  }
  void Skip(std::uint32_t count) {
    if (count > static_cast<std::size_t>(end - at)) {
      at = end;
      bad = true;
      return;
    }
    at += count;
  }
};

void Add(std::vector<SongPreset>& presets, SongPreset preset) {
  if (std::find(presets.begin(), presets.end(), preset) == presets.end()) presets.push_back(preset);
}

void ScanTrack(Cursor track, std::vector<SongPreset>& presets) {
  std::array<int, 16> bank{};
  std::uint8_t running = 0;
  while (!track.bad && track.at < track.end) {
    track.VarLen();  // delta time
    std::uint8_t status = track.U8();
    if (status == 0xFF) {  // meta event: type, length, data
      track.U8();
      track.Skip(track.VarLen());
      running = 0;
      continue;
    }
    if (status == 0xF0 || status == 0xF7) {  // system exclusive: length, data
      track.Skip(track.VarLen());
      running = 0;
      continue;
    }
    std::uint8_t first = 0;
    if (status < 0x80) {  // running status: this byte is the first data byte
      if (running == 0) return;
      first = status;
      status = running;
    } else if (status >= 0xF0) {
      return;  // no other system message belongs in a file
    } else {
      running = status;
      first = track.U8();
    }
    if (track.bad) return;
    const int channel = status & 0x0F;
    const std::uint8_t kind = status & 0xF0;
    if (kind == kProgramChange) {
      Add(presets, {channel == kDrumChannel ? kDrumBank : bank[static_cast<std::size_t>(channel)],
                    first & 0x7F});
    } else if (kind != 0xD0) {  // every other channel message has a second data byte
      const std::uint8_t second = track.U8();
      if (kind == kControlChange && first == kBankSelect)
        bank[static_cast<std::size_t>(channel)] = second & 0x7F;
    }
  }
}

}  // namespace

std::vector<SongPreset> SongPresets(const std::uint8_t* bytes, std::size_t size) {
  std::vector<SongPreset> presets;
  if (bytes == nullptr) return presets;
  Cursor file{bytes, bytes + size};
  if (file.U32be() != 0x4D546864u) return presets;  // "MThd"
  file.Skip(file.U32be());
  while (!file.bad && file.at < file.end) {
    const std::uint32_t id = file.U32be();
    const std::uint32_t length = file.U32be();
    if (file.bad) break;
    const std::size_t inFile =
        std::min<std::size_t>(length, static_cast<std::size_t>(file.end - file.at));
    if (id == 0x4D54726Bu)  // "MTrk"
      ScanTrack(Cursor{file.at, file.at + inFile}, presets);
    file.Skip(length);
  }
  return presets;
}
