// Auld Lang Syne played through the real window procedure, for what the mouse, the screen and the
// undo files add to the rules' own tests: a whole deal won with clicks, and the presses that write
// a snapshot and those that do not.
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

// A press on a top card: on its face, below the strip the card under it shows.
ScreenPoint TopCardPoint(int pile, int index) {
  return Grip(kAlsLayout[static_cast<std::size_t>(pile)].CardPlace(index));
}

class AlsScenario : public ScenarioOf<AuldLangSyneGame> {
public:
  explicit AlsScenario(const AlsSetup& setup = {}) : ScenarioOf(Game(setup), setup) {}

  // Every move of this game is a click: the stock, or the top card it sends home.
  void Play(const Move& move) {
    const ScreenPoint at =
        move.kind == MoveKind::kStock ? kStockPoint : TopCardPoint(move.from, move.index);
    Click(at.x, at.y);
  }

private:
  static ScenarioGame Game(const AlsSetup& setup) {
    ScenarioGame game;
    game.row = GameRowById(kAuldLangSyneGameId);
    game.writeRules = [setup] {
      WriteRuleValue(kAuldLangSyneSettings, "FilledIn", setup.filledIn);
      WriteRuleValue(kAuldLangSyneSettings, "StartCard", setup.startCard);
    };
    game.clickPoint = [](const CardGame&, const Move&) { return kStockPoint; };
    return game;
  }
};

class AuldLangSyneScenarioTest : public GameScenarioTest {};

TEST_F(AuldLangSyneScenarioTest, ASeededDealIsWonWithClicks) {
  const std::optional<AuldLangSyneSolution> solution =
      SolveAuldLangSyne(kAlsWinningSeed, kAlsDefaultRules);
  ASSERT_TRUE(solution.has_value()) << "the move-finder wins this seed";
  EXPECT_EQ(solution->points, 52 * 5);
  AlsSetup setup;
  setup.seed = kAlsWinningSeed;
  AlsScenario s(setup);
  for (const Move& move : solution->moves) s.Play(move);
  s.ExpectWonWith(solution->points);
  EXPECT_EQ(s.Run(), 0);
}

// A press on the empty stock writes a snapshot and deals nothing; a press on a top card that no
// foundation takes, or on a card under the top, does nothing and writes none.
TEST_F(AuldLangSyneScenarioTest, OnlyPressesThatPlayWriteASnapshot) {
  // A deal whose first round has a card that cannot start a foundation.
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
  // A card under the top, on its visible strip, does nothing either.
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
