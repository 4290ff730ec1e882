// The music thread's rules, one pass at a time, against a player that only records.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "audio/music/MusicLoop.h"

namespace {

class RecordingPlayer : public MidiPlayer {
public:
  bool Play(const std::string& mediaName) override {
    started.push_back(mediaName);
    ended = false;
    playing = loads;
    return loads;
  }
  void Stop() override {
    ++stops;
    playing = false;
  }
  bool Ended() override { return ended; }

  std::vector<std::string> started;
  int stops = 0;
  bool ended = false;
  bool playing = false;
  bool loads = true;
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

  // Runs passes with the same inputs, as the thread does every 100 ms.
  void Passes(const MusicInputs& in, int count) {
    for (int i = 0; i < count; ++i) loop.Step(in);
  }
};

}  // namespace

TEST(MusicSongChoice, FollowsTheEnabledSongsAndNeverRepeatsWithTwoOrMore) {
  const std::array<bool, kMusicSongCount> sets[] = {
      OnlySongs({0, 1, 2, 3, 4, 5}), OnlySongs({0, 5}), OnlySongs({1, 2, 4}), OnlySongs({2, 3})};
  for (const auto& songs : sets) {
    MusicRandom random(777);
    int current = -1;
    std::set<int> seen;
    for (int draw = 0; draw < 5000; ++draw) {
      const int next = ChooseSong(songs, current, random);
      ASSERT_GE(next, 0);
      ASSERT_LT(next, kMusicSongCount);
      ASSERT_TRUE(songs[static_cast<std::size_t>(next)]) << "disabled song " << next;
      ASSERT_NE(next, current) << "the same song twice in a row at draw " << draw;
      seen.insert(next);
      current = next;
    }
    // Every enabled song gets its turn.
    std::size_t enabled = 0;
    for (bool on : songs) enabled += on ? 1 : 0;
    EXPECT_EQ(seen.size(), enabled);
  }
}

TEST(MusicSongChoice, OneEnabledSongRepeatsAndNoneGivesNothing) {
  MusicRandom random(1);
  int current = -1;
  for (int draw = 0; draw < 200; ++draw) {
    current = ChooseSong(OnlySongs({3}), current, random);
    ASSERT_EQ(current, 3);
  }
  EXPECT_EQ(ChooseSong(OnlySongs({}), 2, random), -1);
}

TEST(MusicRandomTest, SameStepAsTheDecks) {
  // state = state * 214013 + 2531011, result bits 16..30.
  MusicRandom random(0);
  EXPECT_EQ(random.Next(), 38);  // 2531011 >> 16
  MusicRandom seeded(1);
  EXPECT_EQ(seeded.Next(), 41);  // (214013 + 2531011) >> 16
}

TEST_F(MusicLoopTest, TitleTuneStartsOnceAndRepeatsAfterItsEnd) {
  Passes(Request(0), 5);
  ASSERT_EQ(player.started, std::vector<std::string>{"music\\MAIN.MID"});
  EXPECT_TRUE(loop.Playing());
  player.ended = true;
  loop.Step(Request(0));
  EXPECT_EQ(player.started, (std::vector<std::string>{"music\\MAIN.MID", "music\\MAIN.MID"}));
  EXPECT_EQ(player.stops, 1);
}

TEST_F(MusicLoopTest, TrackRequestsSwitchTheSong) {
  loop.Step(Request(0));
  loop.Step(Request(1));
  ASSERT_EQ(player.started.size(), 2u);
  EXPECT_EQ(player.started[1].rfind("music\\SONG", 0), 0u) << player.started[1];
  EXPECT_EQ(loop.TrackPlaying(), 1);
  loop.Step(Request(2));
  EXPECT_EQ(player.started.back(), "music\\WIN.MID");
  loop.Step(Request(3));
  EXPECT_EQ(player.started.back(), "music\\LOSE.MID");
  EXPECT_EQ(player.stops, 3);
  // Music no longer allowed: it stops and nothing starts.
  Passes(Request(3, false), 3);
  EXPECT_FALSE(loop.Playing());
  EXPECT_FALSE(player.playing);
  EXPECT_EQ(player.started.size(), 4u);
}

TEST_F(MusicLoopTest, InGameSongsFollowEachOtherWithoutRepeats) {
  std::string last;
  for (int song = 0; song < 40; ++song) {
    loop.Step(Request(1));
    ASSERT_TRUE(loop.Playing());
    ASSERT_NE(player.started.back(), last);
    last = player.started.back();
    Passes(Request(1), 3);  // still playing: nothing new
    ASSERT_EQ(player.started.size(), static_cast<std::size_t>(song + 1));
    player.ended = true;
  }
}

// Music off (0, or any value but 1 and 2) plays nothing; event music (2) only the end-of-game
// tunes, even when a pass sees music allowed at the title or in game.
TEST_F(MusicLoopTest, MusicOffOrEventMusicOnlyPlaysJustTheEndOfGameTunes) {
  for (int track = 0; track < 4; ++track) Passes(Request(track, true, 0), 2);
  for (int track = 0; track < 4; ++track) Passes(Request(track, true, 3), 2);
  Passes(Request(0, true, 2), 3);
  Passes(Request(1, true, 2), 3);
  Passes(Request(0, false, 2), 3);
  EXPECT_TRUE(player.started.empty());
  Passes(Request(2, true, 2), 3);
  EXPECT_EQ(player.started, std::vector<std::string>{"music\\WIN.MID"});
  player.ended = true;
  loop.Step(Request(2, true, 2));
  EXPECT_EQ(player.started.size(), 2u) << "the win tune repeats until the next request";
  loop.Step(Request(0, false, 2));
  EXPECT_FALSE(player.playing);
}

TEST_F(MusicLoopTest, AllSongsOffIsSilenceInGameButTheTitleStillPlays) {
  MusicInputs inGame = Request(1);
  inGame.songs = OnlySongs({});
  Passes(inGame, 5);
  EXPECT_TRUE(player.started.empty());
  EXPECT_FALSE(loop.Playing());
  MusicInputs title = Request(0);
  title.songs = OnlySongs({});
  loop.Step(title);
  EXPECT_EQ(player.started, std::vector<std::string>{"music\\MAIN.MID"});
}

TEST_F(MusicLoopTest, SwitchingThePlayingSongOffMovesToAnother) {
  MusicInputs in = Request(1);
  in.songs = OnlySongs({1, 5});
  loop.Step(in);
  const int first = loop.CurrentSong();
  ASSERT_TRUE(first == 1 || first == 5);
  in.songs[static_cast<std::size_t>(first)] = false;
  loop.Step(in);
  EXPECT_EQ(player.stops, 1);
  EXPECT_EQ(loop.CurrentSong(), first == 1 ? 5 : 1);
  // Songs are numbered from one in their file names.
  EXPECT_EQ(player.started,
            (std::vector<std::string>{first == 1 ? "music\\SONG2.MID" : "music\\SONG6.MID",
                                      first == 1 ? "music\\SONG6.MID" : "music\\SONG2.MID"}));
}

TEST_F(MusicLoopTest, DeactivationStopsInOnePassAndReactivationStartsAfresh) {
  loop.Step(Request(0));
  MusicInputs away = Request(0);
  away.appActive = false;
  loop.Step(away);
  EXPECT_FALSE(player.playing);
  EXPECT_FALSE(loop.Playing());
  Passes(away, 5);
  EXPECT_EQ(player.started.size(), 1u) << "nothing starts while another program is active";
  loop.Step(Request(0));
  EXPECT_EQ(player.started, (std::vector<std::string>{"music\\MAIN.MID", "music\\MAIN.MID"}));
  EXPECT_TRUE(player.playing);
}

TEST_F(MusicLoopTest, AFileThatDoesNotLoadIsTriedAgainNextPass) {
  player.loads = false;
  Passes(Request(0), 3);
  EXPECT_EQ(player.started.size(), 3u);
  EXPECT_FALSE(loop.Playing());
  player.loads = true;
  Passes(Request(0), 3);
  EXPECT_EQ(player.started.size(), 4u);
  EXPECT_TRUE(loop.Playing());
}
