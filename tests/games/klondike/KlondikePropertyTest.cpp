// Klondike's rule path under random play, and the full state a deal is resumed from.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

#include "engine/Move.h"
#include "games/klondike/KlondikePlay.h"
#include "tests/games/klondike/KlondikeSolver.h"
#include "tests/games/solitaire/SideStateSnapshot.h"

namespace {

KlondikeRules RandomRules(std::mt19937& random) {
  constexpr int kRecycleChoices[] = {0, 1, 2, 3, 4, kRecyclesUnlimited};
  KlondikeRules rules = kKlondikeDefaultRules;
  rules.cardsDealt = 1 + static_cast<int>(random() % 3);
  rules.recycles = kRecycleChoices[random() % 6];
  rules.startCard = static_cast<int>(random() % 14) - 1;  // -1: the first card decides
  rules.tableauStart = random() % 2 == 0;
  rules.movePartial = random() % 2 == 0;
  rules.filledIn = random() % 4 == 0;
  rules.autoFlip = random() % 2 == 0;
  return rules;
}

// Where a deal stands: cards home, cards face down, cards in stock and waste.
struct Standing {
  int home, hidden, unplayed;
  bool BetterThan(const Standing& o) const {
    return home > o.home || hidden < o.hidden || unplayed < o.unplayed;
  }
};

Standing StandingOf(const KlondikePosition& p, const Deck& stock) {
  Standing standing{0, 0, stock.Remaining() + p.wasteCount};
  for (const Card& top : p.foundations)
    if (IsRealCard(top)) standing.home += (top.rank - p.startRank + kRankCount) % kRankCount + 1;
  for (int count : p.faceDown) standing.hidden += count;
  return standing;
}

// The snapshot keeps the turned count and the recycles used beside the block, as the game does.
struct KlondikeRandomPlay : RandomPlayCounts {
  using Position = KlondikePosition;
  using Rules = KlondikeRules;
  using Snapshot = SideStateSnapshot;
  static constexpr auto Deal = DealKlondike;
  static constexpr auto LegalMoves = KlondikeLegalMoves;
  static constexpr auto ApplyMove = KlondikeApplyMove;
  static constexpr auto BuildHitLists = [](auto&... a) { KlondikeBuildHitLists(a...); };
  static constexpr auto IsLegal = KlondikeIsLegal;
  static constexpr int kStockPile = kKlondikeStockPile;
  static constexpr auto RandomRules = ::RandomRules;
  static ::testing::AssertionResult EveryCardOnce(const KlondikePosition& p, const Deck& stock) {
    return Counted(CountKlondikeCards(p, stock));
  }

  // The mouse (clicks on the stock and face-down tops, drags) makes exactly the legal moves;
  // wherever the analysis says no move is left, a long random walk never makes progress.
  void BeforeMove(const KlondikeDeal& deal, const Rules& rules, const MoveList& legal, int,
                  std::mt19937& random, bool&) {
    const KlondikePosition& p = deal.position;
    MoveList turnUps;
    for (int c = 0; c < kKlondikeColumns; ++c)
      if (KlondikeCanTurnUp(p, c))
        turnUps.push_back({MoveKind::kTurnUp, KlondikeColumnPile(c), 0, -1});
    ASSERT_TRUE(MouseMakesTheLegalMoves<KlondikeRandomPlay>(deal, rules, legal, turnUps));
    if (!KlondikeNoMovesLeft(p, deal.stock, rules)) return;
    ++stuck;
    ASSERT_TRUE(NoWalkGetsFurther<KlondikeRandomPlay>(deal, rules, 60, random, StandingOf));
  }
  static Move PickMove(const MoveList& legal, std::mt19937& random) {
    return legal[random() % legal.size()];
  }
  static Snapshot WriteSnapshot(const KlondikeDeal& deal, int points, int elapsedSeconds) {
    return WriteSideStateSnapshot(deal, points, elapsedSeconds, WriteKlondikeBlock);
  }
  static std::optional<Restored<Position>> ReadSnapshot(const Snapshot& snapshot,
                                                        const KlondikeDeal& after) {
    return ReadSideStateSnapshot(snapshot, after, ReadKlondikeBlock);
  }
};

}  // namespace

// Every fourth move is undone through its snapshot bytes.
TEST(KlondikeProperty, RandomPlayKeepsEveryInvariant) {
  const RandomPlayPlan plan{.games = PropertyGames(), .movesPerGame = 30, .undoEvery = 4};
  KlondikeRandomPlay game;
  PlayRandomGames(game, plan);
  if (HasFatalFailure()) return;
  EXPECT_GT(game.moves, plan.games * 10);
  EXPECT_GT(game.stuck, plan.games / 200) << "the no-moves check must have been put to the test";
}

// The full state a deal will be resumed from (a saved game, the solver) comes back exactly.
TEST(KlondikeProperty, TheFullStateRoundTripsAndRefusesDamage) {
  KlondikeDeal deal = DealKlondike(7, kKlondikeDefaultRules);
  const std::optional<FoundWin> solution = SolveKlondike(7, kKlondikeDefaultRules);
  ASSERT_TRUE(solution.has_value());
  for (std::size_t i = 0; i < solution->moves.size() / 2; ++i)
    PlayKlondikeMove(deal, kKlondikeDefaultRules, solution->moves[i]);
  ASSERT_GT(deal.position.recyclesUsed + deal.position.turned, 0);
  const KlondikeFullState state{deal.position, deal.stock, 215, 97};
  const std::vector<std::uint8_t> bytes = WriteKlondikeFullState(state);
  const std::optional<KlondikeFullState> back = ReadKlondikeFullState(bytes);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->position, state.position);
  EXPECT_EQ(back->stock, state.stock);
  EXPECT_EQ(back->points, 215);
  EXPECT_EQ(back->elapsedSeconds, 97);
  std::vector<std::uint8_t> damaged = bytes;
  damaged[0] ^= 1;  // not a full state at all
  EXPECT_FALSE(ReadKlondikeFullState(damaged));
  damaged = bytes;
  damaged[8 + kDeckImageSize] = 13;  // a start rank that is no rank
  EXPECT_FALSE(ReadKlondikeFullState(damaged));
  damaged = bytes;
  damaged.push_back(0);
  EXPECT_FALSE(ReadKlondikeFullState(damaged));
}
