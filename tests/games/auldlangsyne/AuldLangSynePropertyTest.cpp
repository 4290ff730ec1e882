// Auld Lang Syne's rule path under random play: seeded deals under random rules, random legal
// moves, and after every move the invariants that any caller of ApplyMove relies on.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "tests/games/auldlangsyne/AuldLangSyneSolver.h"
#include "tests/games/solitaire/SideStateSnapshot.h"
#include "tests/support/RandomPlay.h"

namespace {

// A foundation keeps only its top card and its suits are gone, so the test keeps its own record
// of every card that went onto each.
struct AuldLangSyneRandomPlay : RandomPlayCounts {
  using Position = AuldLangSynePosition;
  using Rules = AuldLangSyneRules;
  using Snapshot = std::vector<std::uint8_t>;
  std::array<std::vector<Card>, kAlsFoundations> under;
  static Rules RandomRules(std::mt19937& random) {
    Rules rules = kAlsDefaultRules;
    rules.filledIn = random() % 3 == 0;
    rules.startCard = static_cast<int>(random() % 14) - 1;
    return rules;
  }
  AuldLangSyneDeal Deal(std::uint32_t seed, const Rules& rules) {
    AuldLangSyneDeal deal = DealAuldLangSyne(seed, rules);
    for (std::size_t f = 0; f < kAlsFoundations; ++f) {
      under[f].clear();
      if (deal.position.foundations[f] != kNoCard) under[f].push_back(deal.position.foundations[f]);
    }
    return deal;
  }
  static void LegalMoves(const Position& p, const Deck& stock, const Rules&, MoveList& moves) {
    AuldLangSyneLegalMoves(p, stock, moves);
  }
  MoveResult ApplyMove(Position& p, Deck& stock, const Rules&, const Move& move) {
    const MoveResult result = AuldLangSyneApplyMove(p, stock, move);
    if (result.Happened() && move.kind == MoveKind::kCards) {
      const auto f = static_cast<std::size_t>(move.to - AlsFoundationPile(0));
      under[f].push_back(p.foundations[f]);
    }
    return result;
  }
  ::testing::AssertionResult EveryCardOnce(const Position& p, const Deck& stock) const {
    CardCount count;
    count.AddStock(stock);
    for (std::size_t t = 0; t < kAlsTableauPiles; ++t)
      count.AddPile(p.tableau[t], p.tableauCount[t]);
    for (std::size_t f = 0; f < kAlsFoundations; ++f) {
      if (p.foundations[f] != (under[f].empty() ? kNoCard : under[f].back()))
        return ::testing::AssertionFailure() << "foundation " << f << " shows another top";
      for (const Card& card : under[f]) count.Add(card);
    }
    return Counted(count);
  }

  // The no-moves analysis says so exactly when LegalMoves offers nothing.
  void BeforeMove(const AuldLangSyneDeal& deal, const Rules&, const MoveList& legal, int,
                  std::mt19937&, bool&) {
    ASSERT_EQ(AuldLangSyneNoMovesLeft(deal.position, deal.stock), legal.empty());
    stuck += legal.empty();
  }

  // Placing a card is taken more often than the click, so that deals get somewhere.
  Move PickMove(const MoveList& legal, std::mt19937& random) {
    const Move move = legal.size() > 1 && random() % 4 != 0
                          ? legal[1 + random() % (legal.size() - 1)]
                          : legal[random() % legal.size()];
    placed += move.kind == MoveKind::kCards;
    return move;
  }
  static Snapshot WriteSnapshot(const AuldLangSyneDeal& deal, int points, int elapsedSeconds) {
    return SnapshotOf(deal, points, elapsedSeconds, WriteAuldLangSyneBlock);
  }
  static std::optional<Restored<Position>> ReadSnapshot(const Snapshot& bytes,
                                                        const AuldLangSyneDeal& after) {
    return ReadPlainSnapshot(bytes, after, ReadAuldLangSyneBlock);
  }
};

}  // namespace

// Every move is undone through its snapshot bytes.
TEST(AuldLangSyneProperty, RandomPlayKeepsEveryInvariant) {
  const RandomPlayPlan plan{.games = PropertyGames(), .movesPerGame = 200, .undoEvery = 1};
  AuldLangSyneRandomPlay game;
  PlayRandomGames(game, plan);
  if (HasFatalFailure()) return;
  EXPECT_GT(game.moves, plan.games * 15);
  EXPECT_EQ(game.stuck, plan.games) << "every deal ends once the stock is spent";
  EXPECT_GT(game.placed, plan.games * 3) << "cards must have gone home for the checks to mean much";
}
