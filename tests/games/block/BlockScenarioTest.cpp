// Block Solitaire through the real window procedure: a deal won with clicks and a selected card
// against its golden image; Undo of a selection is GameTableTest's.
#include <gtest/gtest.h>

#include <memory>

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

// Every move is a press on the card of its slot.
struct BlockScenario : ScenarioOf<BlockGame> {
  explicit BlockScenario(const ScenarioSetup& setup = {})
      : ScenarioOf({GameRowById(kBlockGameId),
                    {},
                    [](const CardGame&, const Move& move) { return SlotPoint(move.from); }},
                   setup) {}
  void Press(int slot) { Click(SlotPoint(slot).x, SlotPoint(slot).y); }
};

class BlockScenarioTest : public GameScenarioTest {};

TEST_F(BlockScenarioTest, ASeededDealIsWonWithClicksAndAnEmptySlotIgnoresThem) {
  std::uint32_t seed = 1;
  std::optional<FoundWin> solution;
  for (; !solution && seed < 50; ++seed) solution = SolveBlock(seed);
  ASSERT_TRUE(solution.has_value());
  EXPECT_EQ(solution->points, 20 * kBlockPairPoints) << "all forty cards paired off";
  --seed;
  // A gap before the last pair goes: the stock is spent by then.
  BlockDealt deal = DealBlock(seed);
  const std::size_t last = solution->moves.size() - 2;
  for (std::size_t i = 0; i < last; ++i)
    BlockApplyMove(deal.position, deal.stock, solution->moves[i]);
  int gap = 0;
  while (IsRealCard(deal.position.slots[static_cast<std::size_t>(gap)])) ++gap;
  ScenarioSetup setup;
  setup.seed = seed;
  BlockScenario s(setup);
  for (std::size_t i = 0; i < last; ++i) s.MakeWithTheMouse(solution->moves[i]);
  auto count = std::make_shared<int>();
  s.Check([count](BlockGame& game) { *count = game.UndoCount(); });
  s.Press(gap);
  s.Check([count, &deal](BlockGame& game) {
    EXPECT_EQ(game.Position(), deal.position) << "a press on an empty slot does nothing";
    EXPECT_EQ(game.UndoCount(), *count) << "and writes no snapshot";
  });
  for (std::size_t i = last; i < solution->moves.size(); ++i)
    s.MakeWithTheMouse(solution->moves[i]);
  s.ExpectWonWith(solution->points);
  EXPECT_EQ(s.Run(), 0);
}

// QS_UPDATE_GOLDEN=1 rewrites the PNG; look at it first.
TEST_F(BlockScenarioTest, ASelectedCardLooksAsDrawnInItsGoldenImage) {
  BlockScenario s;
  s.Press(5);
  s.Wait(300);
  s.CheckShell([&s] {
    EXPECT_TRUE(
        MatchesGolden("games/block_selected", s.Harness().Shell().ScreenBuffer(), 0, 799, 0, 599));
  });
  EXPECT_EQ(s.Run(), 0);
}

}  // namespace
