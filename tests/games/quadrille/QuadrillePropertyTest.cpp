// Quadrille's rule path under random play: seeded deals under random rule settings, random legal
// moves, and after every move the invariants that any caller of ApplyMove relies on.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <unordered_set>

#include "engine/BaseSnapshot.h"
#include "games/solitaire/StockSideState.h"
#include "tests/games/quadrille/QuadrilleSolver.h"
#include "tests/support/PropertyRuns.h"

namespace {

std::size_t At(int i) {
  return static_cast<std::size_t>(i);
}

QuadrilleRules RandomRules(std::mt19937& random) {
  constexpr int kRecycleChoices[] = {0, 1, 2, 3, 4, kRecyclesUnlimited};
  QuadrilleRules rules = kQuadrilleDefaultRules;
  rules.cardsDealt = 1 + static_cast<int>(random() % 3);
  rules.recycles = kRecycleChoices[random() % 6];
  rules.filledIn = random() % 4 == 0;
  return rules;
}

// Every card of the pack exactly once: stock, waste, centre, and the foundations, which keep only
// their top card: a Six foundation holds the Six up to it, a Five foundation the Five down to it.
::testing::AssertionResult EveryCardOnce(const QuadrillePosition& p, const Deck& stock) {
  std::array<int, 52> seen{};
  const auto add = [&seen](const Card& card) {
    if (IsRealCard(card)) ++seen[At(card.suit * kRankCount + card.rank)];
  };
  for (int i = 0; i < stock.Remaining(); ++i) add(stock.PeekCard(i));
  for (int i = 0; i < p.wasteCount; ++i) add(p.waste[At(i)]);
  for (int i = 0; i < p.centreCount; ++i) add(p.centre[At(i)]);
  for (const Card& top : p.sixes)
    for (int r = kSixRank; IsRealCard(top) && r <= top.rank; ++r) add(Card{top.suit, r});
  for (const Card& top : p.fives) {
    if (!IsRealCard(top)) continue;
    // Five, Four, Three, Two, Ace, King: rank indexes 3, 2, 1, 0, 12, 11.
    for (int r = kFiveRank;; r = (r + kRankCount - 1) % kRankCount) {
      add(Card{top.suit, r});
      if (r == top.rank) break;
    }
  }
  for (int i = 0; i < 52; ++i)
    if (seen[At(i)] != 1)
      return ::testing::AssertionFailure() << "card " << i << " lies " << seen[At(i)] << " times";
  return ::testing::AssertionSuccess();
}

bool HasCardMove(const MoveList& moves) {
  for (const Move& move : moves)
    if (move.kind == MoveKind::kCards) return true;
  return false;
}

// Whether some run of stock clicks reaches a table where a card can be placed. Clicks are the
// only other move, and each does one thing, so the run is one path: followed until the stock
// click does nothing or a table comes round again.
bool ClicksReachACardMove(QuadrilleDeal deal, const QuadrilleRules& rules) {
  std::unordered_set<std::string> seen;
  MoveList moves;
  while (seen.insert(QuadrilleTableKey(deal.position, deal.stock, rules)).second) {
    QuadrilleLegalMoves(deal.position, deal.stock, rules, moves);
    if (HasCardMove(moves)) return true;
    if (moves.empty()) return false;
    QuadrilleApplyMove(deal.position, deal.stock, rules, moves.front());
  }
  return false;
}

}  // namespace

// 10,000 games of random legal moves under random settings. After every move each card lies
// exactly once; after every fourth, the snapshot and side state taken before it bring back the
// table, points and clock exactly. Wherever the analysis says no move is left, no run of stock
// clicks brings up a card that can be placed; wherever a card can be placed, it never says so.
TEST(QuadrilleProperty, RandomPlayKeepsEveryInvariant) {
  const int gameCount = PropertyGames();
  constexpr int kMovesPerGame = 60;
  int moves = 0, stuck = 0, placed = 0;
  MoveList legal;
  for (int game = 0; game < gameCount; ++game) {
    std::mt19937 random(static_cast<std::uint32_t>(game));
    const QuadrilleRules rules = RandomRules(random);
    QuadrilleDeal deal = DealQuadrille(static_cast<std::uint32_t>(game), rules);
    int points = 0;
    SCOPED_TRACE(testing::Message() << "game " << game);
    for (int step = 0; step < kMovesPerGame; ++step) {
      QuadrilleLegalMoves(deal.position, deal.stock, rules, legal);
      const bool noneLeft = QuadrilleNoMovesLeft(deal.position, deal.stock, rules);
      ASSERT_FALSE(noneLeft && HasCardMove(legal)) << "a card can be placed, move " << step;
      if (noneLeft) {
        ++stuck;
        ASSERT_FALSE(ClicksReachACardMove(deal, rules))
            << "a card could be placed where no move was said to be left, move " << step;
        break;
      }
      if (legal.empty()) break;

      // Placing a card is taken more often than the click, so that deals get somewhere.
      const Move move = legal.size() > 1 && random() % 3 != 0
                            ? legal[1 + random() % (legal.size() - 1)]
                            : legal[random() % legal.size()];
      // Every fourth move is undone through its snapshot bytes; the rest keep the test quick.
      const bool checkUndo = step % 4 == 0;
      SnapshotWriter out;
      std::vector<std::uint8_t> side;
      if (checkUndo) {
        WriteBaseState(out, deal.stock, {}, {});
        WriteQuadrilleBlock(out, deal.position, points, step);
        side = WriteStockSideState({deal.position.turned, deal.position.recyclesUsed});
      }
      const QuadrilleDeal before = deal;

      const MoveResult result = QuadrilleApplyMove(deal.position, deal.stock, rules, move);
      ASSERT_TRUE(result.Happened());
      points += result.points;
      ++moves;
      if (move.kind == MoveKind::kCards) ++placed;
      ASSERT_TRUE(EveryCardOnce(deal.position, deal.stock)) << "move " << step;
      if (!checkUndo) continue;

      SnapshotReader in(out.Bytes());
      BaseState base(deal.stock);
      ASSERT_TRUE(ReadBaseState(in, base));
      const std::optional<QuadrilleSnapshot> back =
          ReadQuadrilleBlock(in, deal.position, base.deck);
      ASSERT_TRUE(back.has_value());
      QuadrillePosition restored = back->position;
      const std::optional<StockSideState> kept = ReadStockSideState(side);
      ASSERT_TRUE(kept.has_value());
      restored.turned = kept->turned;
      restored.recyclesUsed = kept->recyclesUsed;
      ASSERT_EQ(restored, before.position) << "move " << step;
      ASSERT_EQ(base.deck, before.stock);
      ASSERT_EQ(back->points, points - result.points);
      ASSERT_EQ(back->elapsedSeconds, step);
    }
  }
  EXPECT_GT(moves, gameCount * 40);
  EXPECT_GT(placed, gameCount * 8);
  EXPECT_GT(stuck, gameCount * 3 / 20) << "the no-moves check must have been put to the test";
}
