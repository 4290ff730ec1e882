// Klondike's rule path under random play: seeded deals under random rule settings, random legal
// moves, and after every move the invariants that any caller of ApplyMove relies on. Also the
// full state a deal is resumed from, written and read back.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

#include "engine/Move.h"
#include "games/klondike/KlondikePlay.h"
#include "tests/games/klondike/KlondikeSolver.h"
#include "tests/games/solitaire/CardCount.h"
#include "tests/games/solitaire/SideStateSnapshot.h"
#include "tests/support/PropertyRuns.h"
#include "tests/support/RandomPlay.h"

namespace {

std::size_t At(int i) {
  return static_cast<std::size_t>(i);
}

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

// Every card of the pack exactly once: stock, waste, columns, and the foundations, which keep
// only their top card and hold every rank from the start rank up to it.
::testing::AssertionResult EveryCardOnce(const KlondikePosition& p, const Deck& stock) {
  CardCount count;
  count.AddStock(stock);
  count.AddPile(p.waste, p.wasteCount);
  for (int c = 0; c < kKlondikeColumns; ++c) count.AddPile(p.tableau[At(c)], p.columnCount[At(c)]);
  for (const Card& top : p.foundations) count.AddFoundation(top, p.startRank);
  if (count.EveryCardOnce()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << count.Fault();
}

// Where a deal stands: cards home, cards still face down, cards still in stock and waste. A move
// that changes any of these for the better is progress.
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

// Klondike for random play. The snapshot keeps the turned count and the recycles used beside the
// block, as the game does.
struct KlondikeRandomPlay {
  using Position = KlondikePosition;
  using Rules = KlondikeRules;
  using Snapshot = SideStateSnapshot;
  static constexpr auto Deal = DealKlondike;
  static constexpr auto LegalMoves = KlondikeLegalMoves;
  static constexpr auto ApplyMove = KlondikeApplyMove;

  int stuck = 0;

  static constexpr auto RandomRules = ::RandomRules;
  static constexpr auto EveryCardOnce = ::EveryCardOnce;

  // The mouse makes exactly the legal moves: a click on the stock or on a face-down top card, a
  // press on a drag source dropped on a target that takes it. Wherever the analysis says no move
  // is left, a long random walk from there never makes progress.
  void BeforeMove(const KlondikeDeal& deal, const Rules& rules, const MoveList& legal, int,
                  std::mt19937& random, bool&) {
    const KlondikePosition& p = deal.position;
    DragSourceList sources;
    DropTargetList targets;
    KlondikeBuildHitLists(p, rules, sources, targets);
    MoveList clicks;
    const Move click{MoveKind::kStock, kKlondikeStockPile, 0, -1};
    const auto isLegal = [&](const Move& move) {
      return KlondikeIsLegal(p, deal.stock, rules, move);
    };
    if (isLegal(click)) clicks.push_back(click);
    for (int c = 0; c < kKlondikeColumns; ++c)
      if (KlondikeCanTurnUp(p, c))
        clicks.push_back({MoveKind::kTurnUp, KlondikeColumnPile(c), 0, -1});
    ASSERT_TRUE(MouseMakesTheLegalMoves(clicks, sources, targets, isLegal, legal));

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

// 10,000 games (fewer under the sanitizers) of random legal moves. After every move each card lies
// exactly once, and every fourth is undone through its snapshot bytes; before every move the mouse
// can make exactly the legal moves, and the no-moves analysis is checked wherever it says none is
// left.
TEST(KlondikeProperty, RandomPlayKeepsEveryInvariant) {
  const RandomPlayPlan plan{.games = PropertyGames(), .movesPerGame = 30, .undoEvery = 4};
  KlondikeRandomPlay game;
  int moves = 0;
  PlayRandomGames(game, plan, moves);
  if (HasFatalFailure()) return;
  EXPECT_GT(moves, plan.games * 10);
  EXPECT_GT(game.stuck, plan.games / 200) << "the no-moves check must have been put to the test";
}

TEST(KlondikeProperty, TheFullStateRoundTripsAndRefusesDamage) {
  KlondikeDeal deal = DealKlondike(7, kKlondikeDefaultRules);
  const std::optional<KlondikeSolution> solution = SolveKlondike(7, kKlondikeDefaultRules);
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
  damaged.pop_back();
  EXPECT_FALSE(ReadKlondikeFullState(damaged));
  damaged = bytes;
  damaged.push_back(0);
  EXPECT_FALSE(ReadKlondikeFullState(damaged));
  damaged = bytes;
  damaged[0] ^= 1;  // not a full state at all
  EXPECT_FALSE(ReadKlondikeFullState(damaged));
  damaged = bytes;
  damaged[8 + kDeckImageSize] = 13;  // a start rank that is no rank
  EXPECT_FALSE(ReadKlondikeFullState(damaged));
  EXPECT_FALSE(ReadKlondikeFullState({}));
}
