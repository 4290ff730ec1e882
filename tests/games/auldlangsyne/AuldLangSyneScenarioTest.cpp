// Auld Lang Syne through the real window procedure: a deal won with clicks, and which presses
// write a snapshot.
#include <gtest/gtest.h>

#include <memory>

#include "games/GameTable.h"
#include "games/RuleSettings.h"
#include "games/auldlangsyne/AuldLangSyneGame.h"
#include "tests/games/auldlangsyne/AuldLangSyneSolver.h"
#include "tests/support/GameScenario.h"

namespace {

// Inside the stock's card however thick the pile is, and on the empty stock's marker.
constexpr ScreenPoint kStockPoint{kAlsStockX + 20, kAlsStockY + 10};

struct AlsSetup : ScenarioSetup {
  int filledIn = 0;
  int startCard = 12;
};

ScreenPoint TopCardPoint(int pile, int index) {
  return Grip(kAlsLayout[static_cast<std::size_t>(pile)].CardPlace(index));
}

struct AlsScenario : ScenarioOf<AuldLangSyneGame> {
  explicit AlsScenario(const AlsSetup& setup = {})
      : ScenarioOf({GameRowById(kAuldLangSyneGameId),
                    [setup] {
                      WriteRuleValue(kAuldLangSyneSettings, "FilledIn", setup.filledIn);
                      WriteRuleValue(kAuldLangSyneSettings, "StartCard", setup.startCard);
                    },
                    [](const CardGame&, const Move&) { return kStockPoint; }},
                   setup) {}
  // Every move of this game is a click: the stock, or the top card it sends home.
  void Play(const Move& move) {
    const ScreenPoint at =
        move.kind == MoveKind::kStock ? kStockPoint : TopCardPoint(move.from, move.index);
    Click(at.x, at.y);
  }
};

class AuldLangSyneScenarioTest : public GameScenarioTest {};

TEST_F(AuldLangSyneScenarioTest, ASeededDealIsWonWithClicks) {
  const std::optional<FoundWin> solution = SolveAuldLangSyne(kAlsWinningSeed, kAlsDefaultRules);
  ASSERT_TRUE(solution.has_value()) << "the move-finder wins this seed";
  EXPECT_EQ(solution->points, 52 * 5);
  AlsSetup setup;
  setup.seed = kAlsWinningSeed;
  AlsScenario s(setup);
  for (const Move& move : solution->moves) s.Play(move);
  s.ExpectWonWith(solution->points);
  EXPECT_EQ(s.Run(), 0);
}

// A press on the empty stock writes a snapshot and deals nothing; one on a top card no foundation
// takes, or on a card under the top, does nothing and writes none.
TEST_F(AuldLangSyneScenarioTest, OnlyPressesThatPlayWriteASnapshot) {
  std::uint32_t seed = 1;
  for (;; ++seed) {
    ASSERT_LT(seed, 100u);
    const AuldLangSyneDeal deal = DealAuldLangSyne(seed, kAlsDefaultRules);
    if (AuldLangSyneTargetOf(deal.position, 0) < 0) break;
  }
  AlsSetup setup;
  setup.seed = seed;
  AlsScenario s(setup);
  auto before = std::make_shared<AuldLangSynePosition>();
  s.Check([before](AuldLangSyneGame& game) {
    *before = game.Position();
    EXPECT_EQ(game.UndoCount(), 0);
  });
  s.Play({MoveKind::kCards, AlsTableauPile(0), 0, AlsFoundationPile(0)});
  s.Check([before](AuldLangSyneGame& game) {
    EXPECT_EQ(game.Position(), *before);
    EXPECT_EQ(game.UndoCount(), 0) << "a press that moves nothing is no action";
    EXPECT_FALSE(game.IsDragging()) << "cards are never dragged";
  });
  for (int click = 0; click < 12; ++click) s.Click(kStockPoint.x, kStockPoint.y);
  const ScreenPoint under = TopCardPoint(AlsTableauPile(1), 0);
  s.Click(under.x, under.y);
  auto count = std::make_shared<int>();
  s.Check([before, count](AuldLangSyneGame& game) {
    ASSERT_EQ(game.GetDeck().Remaining(), 0);
    EXPECT_EQ(game.Position().tableauCount, (std::array<int, 4>{13, 13, 13, 13}));
    *count = game.UndoCount();
    *before = game.Position();
  });
  s.Click(kStockPoint.x, kStockPoint.y);
  s.Check([before, count](AuldLangSyneGame& game) {
    EXPECT_EQ(game.UndoCount(), *count + 1) << "the empty stock's press is recorded";
    EXPECT_EQ(game.Position(), *before) << "and deals nothing";
  });
  EXPECT_EQ(s.Run(), 0);
}

}  // namespace
