// Reading a song's instrument choices from its MIDI bytes: running status, bank selects, the drum
// channel, every kind of event the walk must step over, and damaged files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "audio/fluidsynth/SongPresets.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Chunk(const char* id, const Bytes& body) {
  Bytes out(id, id + 4);
  const auto n = static_cast<std::uint32_t>(body.size());
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(n >> shift));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

Bytes Song(const std::vector<Bytes>& tracks) {
  Bytes out = Chunk("MThd", {0, 1, 0, static_cast<std::uint8_t>(tracks.size()), 0, 96});
  for (const Bytes& track : tracks) {
    const Bytes chunk = Chunk("MTrk", track);
    out.insert(out.end(), chunk.begin(), chunk.end());
  }
  return out;
}

// Two tracks with every kind of event between the program changes that matter.
Bytes TwoTrackSong() {
  const Bytes first = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // tempo (meta)
                       0x00, 0xC0, 0x05,                          // channel 1: program 5
                       0x00, 0x90, 0x3C, 0x64,                    // a note on
                       0x81, 0x40, 0x3E, 0x64,              // two-byte delta, running-status note
                       0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7,  // system exclusive
                       0x00, 0xB1, 0x00, 0x02,              // channel 2: bank select 2
                       0x00, 0xC1, 0x10,                    // channel 2: program 16 of bank 2
                       0x00, 0x11,                          // running status: program 17 of bank 2
                       0x00, 0xD1, 0x40,                    // channel pressure (one data byte)
                       0x00, 0xC0, 0x05,                    // program 5 again: listed once
                       0x00, 0xFF, 0x2F, 0x00};             // end of track
  const Bytes drums = {0x00, 0xC9, 0x19, 0x00, 0x99, 0x24, 0x64, 0x00, 0xFF, 0x2F, 0x00};
  Bytes song = Song({first, drums});
  const Bytes other = Chunk("XFIH", {1, 2, 3});  // an unknown chunk is stepped over
  song.insert(song.begin() + 14, other.begin(), other.end());
  return song;
}

TEST(SongPresetsTest, ListsEachInstrumentOnceAndDamagedFilesWhatWasReadBeforeTheDamage) {
  const Bytes song = TwoTrackSong();
  const std::vector<SongPreset> whole = SongPresets(song.data(), song.size());
  EXPECT_EQ(whole, (std::vector<SongPreset>{{0, 5}, {2, 16}, {2, 17}, {kDrumBank, 25}}));
  // Every shorter file (from a copy of just that size, so a read past it is caught): what it
  // gives is the start of the whole file's list.
  for (std::size_t size = 0; size < song.size(); ++size) {
    const Bytes cut(song.begin(), song.begin() + static_cast<std::ptrdiff_t>(size));
    const std::vector<SongPreset> got = SongPresets(cut.data(), cut.size());
    ASSERT_LE(got.size(), whole.size()) << size;
    EXPECT_TRUE(std::equal(got.begin(), got.end(), whole.begin())) << size;
  }
  const Bytes text = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 0, 0};
  EXPECT_TRUE(SongPresets(text.data(), text.size()).empty());
  EXPECT_TRUE(SongPresets(nullptr, 10).empty());
  // Data before any status byte, and a track whose length runs past the file's end.
  const Bytes orphan = Song({{0x00, 0x05, 0x00, 0xC0, 0x07}});
  EXPECT_TRUE(SongPresets(orphan.data(), orphan.size()).empty());
  Bytes longTrack = Song({{0x00, 0xC0, 0x07}});
  longTrack[14 + 4] = 0x7F;  // declared length far beyond the file
  const std::vector<SongPreset> want = {{0, 7}};
  EXPECT_EQ(SongPresets(longTrack.data(), longTrack.size()), want);
}

}  // namespace
