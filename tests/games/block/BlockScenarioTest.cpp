// Block Solitaire played through the real window procedure, for what the mouse, the screen and the
// undo files add to the rules' own tests: a seeded deal won with clicks, a snapshot for every press
// that selects or lets go, Undo, and the table against golden images.
#include <gtest/gtest.h>

#include <memory>

#include "engine/session/GameMenuBar.h"
#include "games/GameTable.h"
#include "games/block/BlockGame.h"
#include "tests/games/block/BlockSolver.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/support/GameScenario.h"

namespace {

ScreenPoint SlotPoint(int slot) {
  const PileLayout& layout = kBlockLayout[static_cast<std::size_t>(slot)];
  return {layout.x + 26, layout.y + 40};
}

ScenarioGame BlockScenarioGame() {
  ScenarioGame game;
  game.row = GameRowById(kBlockGameId);
  // Every move is a press on the card of its slot.
  game.clickPoint = [](const CardGame&, const Move& move) { return SlotPoint(move.from); };
  return game;
}

using BlockScenario = ScenarioOf<BlockGame>;

class BlockScenarioTest : public GameScenarioTest {};

TEST_F(BlockScenarioTest, ASeededDealIsWonWithClicksAndAnEmptySlotIgnoresThem) {
  std::uint32_t seed = 1;
  std::optional<BlockSolution> solution;
  for (; !solution && seed < 50; ++seed) solution = SolveBlock(seed);
  ASSERT_TRUE(solution.has_value());
  EXPECT_EQ(solution->points, 20 * kBlockPairPoints) << "all forty cards paired off";
  --seed;
  // Where the table has a gap before the last pair goes: the stock is spent by then.
  BlockDealt deal = DealBlock(seed);
  const std::size_t last = solution->moves.size() - 2;
  for (std::size_t i = 0; i < last; ++i)
    BlockApplyMove(deal.position, deal.stock, solution->moves[i]);
  int gap = 0;
  while (IsRealCard(deal.position.slots[static_cast<std::size_t>(gap)])) ++gap;

  ScenarioSetup setup;
  setup.seed = seed;
  BlockScenario s(BlockScenarioGame(), setup);
  for (std::size_t i = 0; i < last; ++i) s.MakeWithTheMouse(solution->moves[i]);
  auto count = std::make_shared<int>();
  s.Check([count](BlockGame& game) { *count = game.UndoCount(); });
  s.Click(SlotPoint(gap).x, SlotPoint(gap).y);
  s.Check([count, &deal](BlockGame& game) {
    EXPECT_EQ(game.Position(), deal.position) << "a press on an empty slot does nothing";
    EXPECT_EQ(game.UndoCount(), *count) << "and writes no snapshot";
  });
  for (std::size_t i = last; i < solution->moves.size(); ++i)
    s.MakeWithTheMouse(solution->moves[i]);
  s.ExpectWonWith(solution->points);
  EXPECT_EQ(s.Run(), 0);
}

// Select, let go, select again, then a card that makes no pair with it: four presses, four
// snapshots. Undo takes back the refused press alone, for 5 points.
TEST_F(BlockScenarioTest, EverySelectionAndUnselectionWritesASnapshotAndUndoCostsFive) {
  const BlockDealt deal = DealBlock(1);
  int other = 1;
  while (BlockValue(deal.position.slots[0]) +
             BlockValue(deal.position.slots[static_cast<std::size_t>(other)]) ==
         kBlockPairTotal)
    ++other;
  BlockScenario s(BlockScenarioGame(), ScenarioSetup{});
  for (int slot : {0, 0, 0, other}) {
    s.Click(SlotPoint(slot).x, SlotPoint(slot).y);
    s.Wait(600);  // single presses, never a double click
  }
  s.Check([other](BlockGame& game) {
    EXPECT_EQ(game.UndoCount(), 4);
    EXPECT_EQ(game.Position().selected[0], 1);
    EXPECT_EQ(game.Position().selected[static_cast<std::size_t>(other)], 0);
  });
  s.Menu(GameMenu::kGame, kCmdUndo);
  s.Check([](BlockGame& game) {
    EXPECT_EQ(game.UndoCount(), 3);
    EXPECT_EQ(game.Position().selectedCount, 1);
    EXPECT_EQ(game.Points(), -5);
  });
  s.Menu(GameMenu::kGame, kCmdUndo);
  s.Check([](BlockGame& game) {
    EXPECT_EQ(game.Position().selectedCount, 0) << "the third press undone";
    EXPECT_EQ(game.Points(), -5) << "every snapshot holds 0 points: each Undo gives 0 - 5";
  });
  EXPECT_EQ(s.Run(), 0);
}

// A selected card, pixel for pixel (the fresh deal's images are checked for every game in
// GameTableTest). Rewrite with QS_UPDATE_GOLDEN=1 and look at the PNG first.
TEST_F(BlockScenarioTest, ASelectedCardLooksAsDrawnInItsGoldenImage) {
  BlockScenario s(BlockScenarioGame(), ScenarioSetup{});
  s.Click(SlotPoint(5).x, SlotPoint(5).y);
  s.Wait(300);
  s.CheckShell([&s] {
    EXPECT_TRUE(
        MatchesGolden("games/block_selected", s.Harness().Shell().ScreenBuffer(), 0, 799, 0, 599));
  });
  EXPECT_EQ(s.Run(), 0);
}

}  // namespace
