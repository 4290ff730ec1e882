// Gate played through the real window procedure, for what the mouse, the screen and the files add
// to the rules' own tests: the deal's flights and sounds, a whole deal won with the mouse, undo
// with the recycle it gives back, a damaged snapshot, and the table against golden images.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "audio/Audio.h"
#include "engine/GameClock.h"
#include "engine/session/GameMenuBar.h"
#include "tests/games/gate/GateScenario.h"
#include "tests/games/gate/GateSolver.h"
#include "tests/gfx/art/ArtworkTestSupport.h"

namespace fs = std::filesystem;

namespace {

int Count(const std::vector<std::string>& sounds, const std::string& name) {
  return static_cast<int>(std::count(sounds.begin(), sounds.end(), name));
}

void PutInt32(std::vector<char>& bytes, std::size_t at, int value) {
  for (int i = 0; i < 4; ++i)
    bytes[at + static_cast<std::size_t>(i)] =
        static_cast<char>((static_cast<unsigned>(value) >> (8 * i)) & 0xFFu);
}

}  // namespace

class GateScenarioTest : public GameScenarioTest {};

// A whole deal won with the mouse: the move-finder plays the seeded deal with the rules alone,
// and every one of its moves is made again here as a player would make it; half way the table
// is compared with its golden image.
TEST_F(GateScenarioTest, ASeededDealIsDealtWithItsSoundsAndWonThroughTheMouse) {
  const std::optional<GateSolution> solution = SolveGate(kGateWinningSeed, kGateWinningRules);
  ASSERT_TRUE(solution.has_value()) << "the move-finder wins this seed";
  GateSetup setup;
  setup.seed = kGateWinningSeed;
  setup.recycles = kGateWinningRules.recycles;
  GateScenario s(setup);
  s.Check([&s](GateGame& game) {
    EXPECT_EQ(game.GetDeck().Remaining(), 33);
    EXPECT_EQ(Count(s.Sounds(), "flip.wav"), 18) << "one for every card dealt";
    EXPECT_TRUE(game.IsClockStarted());
  });
  const std::size_t half = solution->moves.size() / 2;
  for (std::size_t i = 0; i < solution->moves.size(); ++i) {
    s.MakeWithTheMouse(solution->moves[i]);
    // Half way: a thick waste, posts part spent, runs on the tableau.
    if (i + 1 == half) {
      s.CheckShell([&s] {
        EXPECT_TRUE(MatchesGolden("games/gate_mid_game", s.Harness().Shell().ScreenBuffer(), 0, 799,
                                  0, 599));
      });
    }
  }
  s.Wait(300);
  s.Check([&solution](GateGame& game) {
    EXPECT_TRUE(game.IsWon());
    EXPECT_EQ(game.Points(), solution->points) << "the mouse earned what the rules counted";
  });
  s.CheckShell([] { EXPECT_EQ(RequestedTrack(), MusicTrack::kWin); });
  s.Wait(6000);      // the win screen
  s.Key(VK_ESCAPE);  // the high scores
  s.Check([&solution](GateGame& game) {
    EXPECT_EQ(game.FinalScore(),
              ScoreFormula(solution->points, game.ElapsedSeconds(), game.ScoreFactor(), 1.5));
    EXPECT_GT(game.FinalScore(), solution->points) << "the win multiplier";
  });
  EXPECT_EQ(s.Run(), 0);
}

TEST_F(GateScenarioTest, UndoCostsFivePointsAndGivesTheRecycleBack) {
  GateSetup setup;
  setup.recycles = 1;
  GateScenario s(setup);
  // A press on the bare table is no move and leaves no snapshot behind.
  s.Click(400, 560);
  for (int click = 0; click < 33; ++click)
    s.Click(GateScenario::kStockClick.x, GateScenario::kStockClick.y);
  s.Check([](GateGame& game) {
    EXPECT_EQ(game.GetDeck().Remaining(), 0);
    EXPECT_EQ(game.Position().wasteCount, 33);
    EXPECT_EQ(game.UndoCount(), 33);
  });
  s.Click(GateScenario::kStockClick.x, GateScenario::kStockClick.y);
  s.Check([](GateGame& game) {
    EXPECT_EQ(game.Position().recyclesUsed, 1);
    EXPECT_EQ(game.GetDeck().Remaining(), 33);
    EXPECT_FALSE(GateCanRecycle(game.Position(), game.Rules()));
  });
  s.Menu(GameMenu::kGame, kCmdUndo);
  s.Check([&s](GateGame& game) {
    EXPECT_EQ(game.Position().recyclesUsed, 0) << "the recycle is given back";
    EXPECT_EQ(game.Position().wasteCount, 33);
    EXPECT_EQ(game.GetDeck().Remaining(), 0);
    EXPECT_EQ(game.Points(), -5);
    EXPECT_EQ(Count(s.Sounds(), "undo.wav"), 1);
  });
  // And the recycle can be made again.
  s.Click(GateScenario::kStockClick.x, GateScenario::kStockClick.y);
  s.Check([](GateGame& game) { EXPECT_EQ(game.GetDeck().Remaining(), 33); });
  EXPECT_EQ(s.Run(), 0);
}

// One snapshot that only the game's block can tell is wrong (a card twice) is chosen with Undo,
// and nothing changes.
TEST_F(GateScenarioTest, ADamagedSnapshotChangesNothingOnTheScreen) {
  GateScenario s;
  s.Click(GateScenario::kStockClick.x, GateScenario::kStockClick.y);
  auto before = std::make_shared<std::vector<std::uint32_t>>();
  s.Check([&s, before](GateGame& game) {
    const fs::path file = s.UndoDirectory() / "UNDO1.DAT";
    ASSERT_EQ(fs::file_size(file), 2252u);
    std::vector<char> bytes(static_cast<std::size_t>(fs::file_size(file)));
    std::ifstream(file, std::ios::binary)
        .read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    // The snapshot's empty waste gets a copy of the left post's first card.
    const std::size_t waste = 960 + 4 + 32;
    const Card card = game.Position().posts[0][0];
    PutInt32(bytes, waste, card.suit);
    PutInt32(bytes, waste + 4, card.rank);
    PutInt32(bytes, waste + 288, 1);  // waste count
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    *before = ScreenPixels(s.Harness().Shell().ScreenBuffer());
  });
  s.Menu(GameMenu::kGame, kCmdUndo);
  s.Check([&s, before](GateGame& game) {
    EXPECT_EQ(ScreenPixels(s.Harness().Shell().ScreenBuffer()), *before);
    EXPECT_EQ(game.Position().wasteCount, 1);
    EXPECT_EQ(game.GetDeck().Remaining(), 32);
    EXPECT_EQ(game.Points(), 0) << "a refused snapshot costs nothing";
  });
  EXPECT_EQ(s.Run(), 0);
}

// What the player sees, pixel for pixel: a fresh deal in the dark and a light theme. Rewrite with
// QS_UPDATE_GOLDEN=1 and look at every changed PNG first.
TEST_F(GateScenarioTest, TheTableLooksAsDrawnInTheGoldenImages) {
  for (int theme : {0, 1}) {
    GateSetup setup;
    setup.background = theme;
    GateScenario s(setup);
    s.Wait(300);
    const std::string name = "games/gate_deal_theme" + std::to_string(theme);
    s.CheckShell([&s, name] {
      EXPECT_TRUE(MatchesGolden(name, s.Harness().Shell().ScreenBuffer(), 0, 799, 0, 599));
    });
    EXPECT_EQ(s.Run(), 0);
  }
}
