// Quadrille played through the real window procedure, for what the mouse, the screen and the
// undo files add to the rules' own tests: a whole deal won, Undo of a recycle, and the table
// against golden images.
#include <gtest/gtest.h>

#include <string>

#include "audio/Audio.h"
#include "engine/GameClock.h"
#include "engine/session/GameMenuBar.h"
#include "tests/games/quadrille/QuadrilleScenario.h"
#include "tests/games/quadrille/QuadrilleSolver.h"
#include "tests/gfx/art/ArtworkTestSupport.h"

namespace {

constexpr std::uint32_t kQuadrilleWinningSeed = 10;

class QuadrilleScenarioTest : public GameScenarioTest {};

TEST_F(QuadrilleScenarioTest, ASeededDealIsPlayedToAWinThroughTheMouse) {
  const std::optional<QuadrilleSolution> solution =
      SolveQuadrille(kQuadrilleWinningSeed, kQuadrilleDefaultRules);
  ASSERT_TRUE(solution.has_value()) << "the move-finder wins this seed";
  QuadrilleSetup setup;
  setup.seed = kQuadrilleWinningSeed;
  QuadrilleScenario s(setup);
  for (const Move& move : solution->moves) s.MakeWithTheMouse(move);
  s.ExpectWonWith(solution->points);
  EXPECT_EQ(s.Run(), 0);
}

// A recycle costs 5 points; Undo takes it back with its recycle and the waste fanned as before,
// for the usual 5 points of an Undo.
TEST_F(QuadrilleScenarioTest, UndoGivesBackARecycleAndTheFan) {
  QuadrilleSetup setup;
  setup.cardsDealt = 3;
  setup.recycles = 1;
  QuadrilleScenario s(setup);
  for (int click = 0; click < 18; ++click)
    s.Click(QuadrilleScenario::kStockPoint.x, QuadrilleScenario::kStockPoint.y);
  auto before = std::make_shared<QuadrillePosition>();
  s.Check([before](QuadrilleGame& game) {
    ASSERT_EQ(game.GetDeck().Remaining(), 0);
    ASSERT_EQ(game.Position().turned, 1) << "52 cards, three a click: the last click turns one";
    *before = game.Position();
  });
  s.Click(QuadrilleScenario::kStockPoint.x, QuadrilleScenario::kStockPoint.y);
  s.Check([](QuadrilleGame& game) {
    EXPECT_EQ(game.GetDeck().Remaining(), 52 - game.Position().wasteCount);
    EXPECT_EQ(game.Position().recyclesUsed, 1);
    EXPECT_EQ(game.Points(), -5);
  });
  s.Menu(GameMenu::kGame, kCmdUndo);
  s.Check([before](QuadrilleGame& game) {
    EXPECT_EQ(game.Position(), *before) << "the recycle and the fan come back";
    EXPECT_EQ(game.Points(), -5) << "the snapshot's 0 points, less 5 for the Undo";
  });
  // The recycle given back can be made again.
  s.Click(QuadrilleScenario::kStockPoint.x, QuadrilleScenario::kStockPoint.y);
  s.Check([](QuadrilleGame& game) {
    EXPECT_EQ(game.Position().recyclesUsed, 1);
    EXPECT_EQ(game.Points(), -10);
  });
  EXPECT_EQ(s.Run(), 0);
}

// Three a click and no recycle: once the stock is spent with nothing to place, Auto Game Over
// ends the deal; without it the deal stays open.
TEST_F(QuadrilleScenarioTest, ASpentStockWithNothingToPlaceEndsTheDealOnlyWithAutoGameOver) {
  QuadrilleRules rules = kQuadrilleDefaultRules;
  rules.cardsDealt = 3;
  rules.recycles = 0;
  std::uint32_t seed = 1;
  for (;; ++seed) {
    ASSERT_LT(seed, 100u);
    QuadrilleDeal deal = DealQuadrille(seed, rules);
    const Move click{MoveKind::kStock, kQuadrilleStockPile, 0, -1};
    while (QuadrilleApplyMove(deal.position, deal.stock, rules, click).Happened()) {
    }
    if (QuadrilleNoMovesLeft(deal.position, deal.stock, rules)) break;
  }
  for (const bool autoGameOver : {false, true}) {
    SCOPED_TRACE(autoGameOver);
    QuadrilleSetup setup;
    setup.seed = seed;
    setup.cardsDealt = 3;
    setup.recycles = 0;
    setup.autoGameOver = autoGameOver;
    QuadrilleScenario s(setup);
    for (int click = 0; click < 17; ++click)
      s.Click(QuadrilleScenario::kStockPoint.x, QuadrilleScenario::kStockPoint.y);
    s.Check(
        [](QuadrilleGame& game) { EXPECT_FALSE(game.IsGameOver()) << "one card still in stock"; });
    s.Click(QuadrilleScenario::kStockPoint.x, QuadrilleScenario::kStockPoint.y);
    s.Check([autoGameOver](QuadrilleGame& game) {
      EXPECT_EQ(game.GetDeck().Remaining(), 0);
      EXPECT_EQ(game.IsGameOver(), autoGameOver);
      EXPECT_FALSE(game.IsWon());
    });
    if (autoGameOver) {
      s.Wait(300);
      s.Key(VK_ESCAPE);  // closes "There are no moves left."
      s.Wait(6000);      // the lose screen
      s.Key(VK_ESCAPE);  // closes the high scores
      s.Check([](QuadrilleGame& game) {
        EXPECT_EQ(game.FinalScore(),
                  ScoreFormula(0, game.ElapsedSeconds(), game.ScoreFactor(), 1.0));
      });
    }
    EXPECT_EQ(s.Run(), 0);
  }
}

// A game in play, pixel for pixel (the fresh deal's images are checked for every game in
// GameTableTest). Rewrite with QS_UPDATE_GOLDEN=1 and look at the PNG first.
TEST_F(QuadrilleScenarioTest, AGameInPlayLooksAsDrawnInItsGoldenImage) {
  // Three a click: play the winning line of a deal until the centre holds two Queens and the
  // ring six cards, then turn the stock once more so the waste fans three cards.
  QuadrilleRules rules = kQuadrilleDefaultRules;
  rules.cardsDealt = 3;
  rules.recycles = kRecyclesUnlimited;
  std::uint32_t seed = 1;
  std::optional<QuadrilleSolution> solution;
  for (; !solution; ++seed) solution = SolveQuadrille(seed, rules);
  --seed;
  QuadrilleSetup setup;
  setup.seed = seed;
  setup.cardsDealt = 3;
  setup.recycles = kRecyclesUnlimited;
  QuadrilleScenario s(setup);
  QuadrilleDeal deal = DealQuadrille(seed, rules);
  const auto placed = [](const QuadrillePosition& p) {
    int cards = 0;
    for (int f = 0; f < kQuadrilleFoundations; ++f)
      cards += IsRealCard(p.sixes[static_cast<std::size_t>(f)]) +
               IsRealCard(p.fives[static_cast<std::size_t>(f)]);
    return cards;
  };
  for (const Move& move : solution->moves) {
    if (deal.position.centreCount >= 2 && placed(deal.position) >= 6 &&
        move.kind == MoveKind::kStock && deal.stock.Remaining() >= 3)
      break;
    QuadrilleApplyMove(deal.position, deal.stock, rules, move);
    s.MakeWithTheMouse(move);
  }
  s.Click(QuadrilleScenario::kStockPoint.x, QuadrilleScenario::kStockPoint.y);
  s.Wait(300);
  s.Check([](QuadrilleGame& game) {
    EXPECT_EQ(game.Position().turned, 3);
    EXPECT_GE(game.Position().centreCount, 2);
  });
  s.CheckShell([&s] {
    EXPECT_TRUE(MatchesGolden("games/quadrille_in_play", s.Harness().Shell().ScreenBuffer(), 0, 799,
                              0, 599));
  });
  EXPECT_EQ(s.Run(), 0);
}

}  // namespace
