// The music thread's rules, one pass at a time, against a player that only records.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "audio/music/MusicLoop.h"

namespace {

using Names = std::vector<std::string>;
const std::string kMain = "music\\MAIN.MID", kWin = "music\\WIN.MID", kLose = "music\\LOSE.MID";

class RecordingPlayer : public MidiPlayer {
public:
  bool Play(const std::string& mediaName) override {
    started.push_back(mediaName);
    ended = false;
    return playing = true;
  }
  void Stop() override {
    ++stops;
    playing = false;
  }
  bool Ended() override { return ended; }

  Names started;
  int stops = 0;
  bool ended = false, playing = false;
};

MusicInputs Request(int track, bool allowed = true, int musicEnabled = 1) {
  MusicInputs in;
  in.track = track;
  in.allowed = allowed;
  in.musicEnabled = musicEnabled;
  return in;
}

std::array<bool, kMusicSongCount> OnlySongs(std::initializer_list<int> indices) {
  std::array<bool, kMusicSongCount> songs{};
  for (int i : indices) songs[static_cast<std::size_t>(i)] = true;
  return songs;
}

struct MusicLoopTest : ::testing::Test {
  RecordingPlayer player;
  MusicLoop loop{player, 12345};
  // Passes with the same inputs, as the thread runs one every 100 ms.
  void Passes(const MusicInputs& in, int count = 1) {
    for (int i = 0; i < count; ++i) loop.Step(in);
  }
};

}  // namespace

TEST(MusicSongChoice, FollowsTheEnabledSongsAndRepeatsOnlyAnOnlySong) {
  for (const auto& songs :
       {OnlySongs({0, 1, 2, 3, 4, 5}), OnlySongs({0, 5}), OnlySongs({1, 2, 4}), OnlySongs({3})}) {
    MusicRandom random(777);
    const std::size_t enabled =
        static_cast<std::size_t>(std::count(songs.begin(), songs.end(), true));
    int current = -1;
    std::set<int> seen;
    for (int draw = 0; draw < 3000; ++draw) {
      const int next = ChooseSong(songs, current, random);
      ASSERT_TRUE(next >= 0 && next < kMusicSongCount && songs[static_cast<std::size_t>(next)])
          << "disabled song " << next;
      if (enabled > 1) {
        ASSERT_NE(next, current) << "the same song twice at draw " << draw;
      }
      seen.insert(next);
      current = next;
    }
    EXPECT_EQ(seen.size(), enabled) << "every enabled song gets its turn";
  }
  MusicRandom random(1);
  EXPECT_EQ(ChooseSong(OnlySongs({}), 2, random), -1);
}

TEST_F(MusicLoopTest, EachTrackStartsOnceRepeatsAfterItsEndAndStopsWhenNotAllowed) {
  Passes(Request(0), 5);
  EXPECT_EQ(player.started, Names{kMain});
  player.ended = true;
  Passes(Request(0));
  EXPECT_EQ(player.started, (Names{kMain, kMain}));
  Passes(Request(1));
  EXPECT_EQ(player.started.back().rfind("music\\SONG", 0), 0u) << player.started.back();
  EXPECT_EQ(loop.TrackPlaying(), 1);
  Passes(Request(2));
  Passes(Request(3));
  EXPECT_EQ(Names(player.started.begin() + 3, player.started.end()), (Names{kWin, kLose}));
  EXPECT_EQ(player.stops, 4);
  Passes(Request(3, false), 3);
  EXPECT_FALSE(loop.Playing());
  EXPECT_FALSE(player.playing);
  EXPECT_EQ(player.started.size(), 5u);
}

// Music off (any value but 1 and 2) plays nothing; event music (2) only the end-of-game tunes.
TEST_F(MusicLoopTest, MusicOffOrEventMusicOnlyPlaysJustTheEndOfGameTunes) {
  for (int track = 0; track < 4; ++track) {
    Passes(Request(track, true, 0), 2);
    Passes(Request(track, true, 3), 2);
  }
  Passes(Request(0, true, 2), 3);
  Passes(Request(1, true, 2), 3);
  EXPECT_TRUE(player.started.empty());
  Passes(Request(2, true, 2), 3);
  EXPECT_EQ(player.started, Names{kWin});
  player.ended = true;
  Passes(Request(2, true, 2));
  EXPECT_EQ(player.started.size(), 2u) << "the win tune repeats until the next request";
}

TEST_F(MusicLoopTest, DeactivationStopsInOnePassAndReactivationStartsAfresh) {
  Passes(Request(0));
  MusicInputs away = Request(0);
  away.appActive = false;
  Passes(away);
  EXPECT_FALSE(player.playing);
  EXPECT_FALSE(loop.Playing());
  Passes(away, 5);
  EXPECT_EQ(player.started.size(), 1u) << "nothing starts while another program is active";
  Passes(Request(0));
  EXPECT_EQ(player.started, (Names{kMain, kMain}));
  EXPECT_TRUE(player.playing);
}
