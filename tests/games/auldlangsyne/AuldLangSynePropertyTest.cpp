// Auld Lang Syne's rule path under random play: seeded deals under random rule settings, random
// legal moves, and after every move the invariants that any caller of ApplyMove relies on.
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "engine/BaseSnapshot.h"
#include "tests/games/auldlangsyne/AuldLangSyneSolver.h"
#include "tests/support/PropertyRuns.h"

namespace {

std::size_t At(int i) {
  return static_cast<std::size_t>(i);
}

// Every card of the pack exactly once. A foundation keeps only its top card and its suits are
// gone, so the test keeps its own record of every card that went onto each.
::testing::AssertionResult EveryCardOnce(const AuldLangSyneDeal& d,
                                         const std::array<std::vector<Card>, 4>& under) {
  std::array<int, 52> seen{};
  const auto add = [&seen](const Card& card) {
    if (IsRealCard(card)) ++seen[At(card.suit * kRankCount + card.rank)];
  };
  for (int i = 0; i < d.stock.Remaining(); ++i) add(d.stock.PeekCard(i));
  for (int t = 0; t < kAlsTableauPiles; ++t)
    for (int i = 0; i < d.position.tableauCount[At(t)]; ++i) add(d.position.tableau[At(t)][At(i)]);
  for (int f = 0; f < kAlsFoundations; ++f) {
    if (under[At(f)].empty() ? d.position.foundations[At(f)] != kNoCard
                             : under[At(f)].back() != d.position.foundations[At(f)])
      return ::testing::AssertionFailure() << "foundation " << f << " shows another top";
    for (const Card& c : under[At(f)]) add(c);
  }
  for (int i = 0; i < 52; ++i)
    if (seen[At(i)] != 1)
      return ::testing::AssertionFailure() << "card " << i << " lies " << seen[At(i)] << " times";
  return ::testing::AssertionSuccess();
}

}  // namespace

// Random legal moves under random settings. After every move each card lies exactly once; the
// snapshot taken before it brings back the table, points and clock exactly; and the no-moves
// analysis says so exactly when LegalMoves offers nothing.
TEST(AuldLangSyneProperty, RandomPlayKeepsEveryInvariant) {
  const int gameCount = PropertyGames();
  int moves = 0, stuck = 0, placed = 0;
  MoveList legal;
  for (int game = 0; game < gameCount; ++game) {
    std::mt19937 random(static_cast<std::uint32_t>(game));
    AuldLangSyneRules rules = kAlsDefaultRules;
    rules.filledIn = random() % 3 == 0;
    rules.startCard = static_cast<int>(random() % 14) - 1;
    AuldLangSyneDeal deal = DealAuldLangSyne(static_cast<std::uint32_t>(game), rules);
    std::array<std::vector<Card>, 4> under;
    for (int f = 0; f < kAlsFoundations; ++f)
      if (deal.position.foundations[At(f)] != kNoCard)
        under[At(f)].push_back(deal.position.foundations[At(f)]);
    ASSERT_TRUE(EveryCardOnce(deal, under)) << "game " << game << " as dealt";
    int points = 0;
    SCOPED_TRACE(testing::Message() << "game " << game);
    for (int step = 0;; ++step) {
      AuldLangSyneLegalMoves(deal.position, deal.stock, legal);
      ASSERT_EQ(AuldLangSyneNoMovesLeft(deal.position, deal.stock), legal.empty())
          << "move " << step;
      if (legal.empty()) {
        ++stuck;
        break;
      }
      // Placing a card is taken more often than the click, so that deals get somewhere.
      const Move move = legal.size() > 1 && random() % 4 != 0
                            ? legal[1 + random() % (legal.size() - 1)]
                            : legal[random() % legal.size()];
      SnapshotWriter out;
      WriteBaseState(out, deal.stock, {}, {});
      WriteAuldLangSyneBlock(out, deal.position, points, step);
      const AuldLangSyneDeal before = deal;

      const MoveResult result = AuldLangSyneApplyMove(deal.position, deal.stock, move);
      ASSERT_TRUE(result.Happened());
      points += result.points;
      ++moves;
      if (move.kind == MoveKind::kCards) ++placed;
      if (move.kind == MoveKind::kCards)
        under[At(move.to - AlsFoundationPile(0))].push_back(
            deal.position.foundations[At(move.to - AlsFoundationPile(0))]);
      ASSERT_TRUE(EveryCardOnce(deal, under)) << "move " << step;

      SnapshotReader in(out.Bytes());
      BaseState base(deal.stock);
      ASSERT_TRUE(ReadBaseState(in, base));
      const std::optional<AuldLangSyneSnapshot> back =
          ReadAuldLangSyneBlock(in, deal.position, base.deck);
      ASSERT_TRUE(back.has_value()) << "move " << step;
      ASSERT_EQ(back->position, before.position) << "move " << step;
      ASSERT_EQ(base.deck, before.stock);
      ASSERT_EQ(back->points, points - result.points);
      ASSERT_EQ(back->elapsedSeconds, step);
    }
  }
  EXPECT_GT(moves, gameCount * 15);
  EXPECT_EQ(stuck, gameCount) << "every deal ends once the stock is spent";
  EXPECT_GT(placed, gameCount * 3) << "cards must have gone home for the checks to mean much";
}
