// One pass of the music thread: compares what the window's thread asks for with what plays and
// starts, stops or changes the song. No threads and no clock, so every rule is testable.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "audio/music/MidiPlayer.h"
#include "audio/music/MusicRandom.h"

inline constexpr int kMusicSongCount = 6;

// The shared words as one pass reads them.
struct MusicInputs {
  bool allowed = false;
  int track = 0;         // 0 title, 1 in game, 2 win, 3 lose
  int musicEnabled = 1;  // 1 all music, 2 the end-of-game tunes only, anything else none
  std::array<bool, kMusicSongCount> songs{true, true, true, true, true, true};
  bool appActive = true;
};

// The media name of a track; for the in-game track, of song `songIndex` (0..5).
std::string MusicFileName(int track, int songIndex);

// Picks the next in-game song: never `current` again while two or more songs are enabled, never
// a disabled one. -1 when no song is enabled.
int ChooseSong(const std::array<bool, kMusicSongCount>& songs, int current, MusicRandom& random);

class MusicLoop {
public:
  MusicLoop(MidiPlayer& player, std::uint32_t seed) : player_(player), random_(seed) {}

  // One pass: stop what must stop, then start what the inputs ask for.
  void Step(const MusicInputs& in);
  // Stops the song, as the thread does when it ends.
  void StopPlaying();

  bool Playing() const { return playing_; }
  int TrackPlaying() const { return track_; }
  int CurrentSong() const { return currentSong_; }

private:
  bool KeepPlaying(const MusicInputs& in);

  MidiPlayer& player_;
  MusicRandom random_;
  bool playing_ = false;
  int track_ = -1;
  int currentSong_ = -1;
};
