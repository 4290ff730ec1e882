// The music thread's decisions, one pass at a time.
#include "audio/music/MusicLoop.h"

namespace {

constexpr int kTrackInGame = 1;
constexpr int kTrackWin = 2;
constexpr int kTrackLose = 3;

int EnabledSongs(const std::array<bool, kMusicSongCount>& songs) {
  int count = 0;
  for (bool on : songs) count += on ? 1 : 0;
  return count;
}

bool MayStart(const MusicInputs& in) {
  if (!in.appActive) return false;
  if (in.musicEnabled == 1) return true;
  return in.musicEnabled == 2 && (in.track == kTrackWin || in.track == kTrackLose);
}

}  // namespace

std::string MusicFileName(int track, int songIndex) {
  switch (track) {
    case 0:
      return "music\\MAIN.MID";
    case kTrackInGame:
      return "music\\SONG" + std::to_string(songIndex + 1) + ".MID";
    case kTrackWin:
      return "music\\WIN.MID";
    case kTrackLose:
      return "music\\LOSE.MID";
    default:
      return {};
  }
}

int ChooseSong(const std::array<bool, kMusicSongCount>& songs, int current, MusicRandom& random) {
  const int enabled = EnabledSongs(songs);
  if (enabled == 0) return -1;
  // The generator's full period reaches every residue, so the draw always ends.
  for (;;) {
    const int r = random.Next() % kMusicSongCount;
    if (!songs[static_cast<std::size_t>(r)]) continue;
    if (enabled > 1 && r == current) continue;
    return r;
  }
}

void MusicLoop::StopPlaying() {
  if (!playing_) return;
  player_.Stop();
  playing_ = false;
}

bool MusicLoop::KeepPlaying(const MusicInputs& in) {
  if (player_.Ended()) return false;
  if (in.track != track_ || !in.appActive) return false;
  // Switching the playing song off in the music options moves on to another one.
  if (track_ == kTrackInGame &&
      (currentSong_ < 0 || !in.songs[static_cast<std::size_t>(currentSong_)]))
    return false;
  return true;
}

void MusicLoop::Step(const MusicInputs& in) {
  if (!in.allowed) {
    StopPlaying();
    return;
  }
  if (playing_) {
    if (KeepPlaying(in)) return;
    StopPlaying();
  }
  track_ = in.track;
  if (!MayStart(in)) return;

  std::string file;
  if (track_ == kTrackInGame) {
    const int song = ChooseSong(in.songs, currentSong_, random_);
    if (song < 0) return;
    currentSong_ = song;
    file = MusicFileName(track_, song);
  } else {
    file = MusicFileName(track_, 0);
  }
  if (file.empty()) return;
  // A file that does not load leaves the playing flag down, so the next pass tries again (in
  // game with a fresh pick).
  playing_ = player_.Play(file);
}
