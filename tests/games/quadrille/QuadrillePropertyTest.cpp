// Quadrille's rule path under random play: seeded deals under random rules, random legal moves,
// and after every move the invariants that any caller of ApplyMove relies on.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <unordered_set>

#include "tests/games/quadrille/QuadrilleSolver.h"
#include "tests/games/solitaire/SideStateSnapshot.h"
#include "tests/support/RandomPlay.h"

namespace {

QuadrilleRules RandomRules(std::mt19937& random) {
  constexpr int kRecycleChoices[] = {0, 1, 2, 3, 4, kRecyclesUnlimited};
  QuadrilleRules rules = kQuadrilleDefaultRules;
  rules.cardsDealt = 1 + static_cast<int>(random() % 3);
  rules.recycles = kRecycleChoices[random() % 6];
  rules.filledIn = random() % 4 == 0;
  return rules;
}

bool HasCardMove(const MoveList& moves) {
  for (const Move& move : moves)
    if (move.kind == MoveKind::kCards) return true;
  return false;
}

// Whether some run of stock clicks reaches a table where a card can be placed: clicks are the only
// other move, so the run is one path, followed until nothing happens or a table comes round again.
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

// The snapshot keeps the turned count and the recycles used beside the block, as the game does.
struct QuadrilleRandomPlay : RandomPlayCounts {
  using Position = QuadrillePosition;
  using Rules = QuadrilleRules;
  using Snapshot = SideStateSnapshot;
  static constexpr auto Deal = DealQuadrille;
  static constexpr auto LegalMoves = QuadrilleLegalMoves;
  static constexpr auto ApplyMove = QuadrilleApplyMove;
  static constexpr auto BuildHitLists = [](auto&... a) { QuadrilleBuildHitLists(a...); };
  static constexpr auto IsLegal = QuadrilleIsLegal;
  static constexpr int kStockPile = kQuadrilleStockPile;
  static constexpr auto RandomRules = ::RandomRules;
  static ::testing::AssertionResult EveryCardOnce(const QuadrillePosition& p, const Deck& stock) {
    return Counted(CountQuadrilleCards(p, stock));
  }

  // On every other move the mouse makes exactly the legal moves. Where the analysis says no move
  // is left, no run of stock clicks brings up a card to place; where one can be placed, it never
  // says so.
  void BeforeMove(const QuadrilleDeal& deal, const Rules& rules, const MoveList& legal, int step,
                  std::mt19937&, bool& dealOver) {
    const QuadrillePosition& p = deal.position;
    if (step % 2 == 1) {
      ASSERT_TRUE(MouseMakesTheLegalMoves<QuadrilleRandomPlay>(deal, rules, legal));
    }
    const bool noneLeft = QuadrilleNoMovesLeft(p, deal.stock, rules);
    ASSERT_FALSE(noneLeft && HasCardMove(legal)) << "a card can be placed";
    if (!noneLeft) return;
    ++stuck;
    dealOver = true;
    ASSERT_FALSE(ClicksReachACardMove(deal, rules))
        << "a card could be placed where no move was said to be left";
  }

  // Placing a card is taken more often than the click, so that deals get somewhere.
  Move PickMove(const MoveList& legal, std::mt19937& random) {
    const Move move = legal.size() > 1 && random() % 3 != 0
                          ? legal[1 + random() % (legal.size() - 1)]
                          : legal[random() % legal.size()];
    if (move.kind == MoveKind::kCards) ++placed;
    return move;
  }
  static Snapshot WriteSnapshot(const QuadrilleDeal& deal, int points, int elapsedSeconds) {
    return WriteSideStateSnapshot(deal, points, elapsedSeconds, WriteQuadrilleBlock);
  }
  static std::optional<Restored<Position>> ReadSnapshot(const Snapshot& snapshot,
                                                        const QuadrilleDeal& after) {
    return ReadSideStateSnapshot(snapshot, after, ReadQuadrilleBlock);
  }
};

}  // namespace

// Every fourth move is undone through its snapshot bytes and side state.
TEST(QuadrilleProperty, RandomPlayKeepsEveryInvariant) {
  const RandomPlayPlan plan{.games = PropertyGames(), .movesPerGame = 60, .undoEvery = 4};
  QuadrilleRandomPlay game;
  PlayRandomGames(game, plan);
  if (HasFatalFailure()) return;
  EXPECT_GT(game.moves, plan.games * 40);
  EXPECT_GT(game.placed, plan.games * 8);
  EXPECT_GT(game.stuck, plan.games * 3 / 20) << "the no-moves check must have been put to the test";
}
