// Random play for the property tests: seeded deals under random rules, random legal moves, and
// after each move what any caller of ApplyMove relies on: the move happened, every card lies once,
// and (every few moves) the undo snapshot taken before it brings back table, stock, points, clock.
//
// The game is a type with: Position, Rules, Snapshot; RandomRules(random); Deal(seed, rules);
// LegalMoves, ApplyMove; EveryCardOnce(position, stock) -> AssertionResult; BeforeMove(deal,
// rules, legal, step, random, dealOver), its own ASSERTs, setting `dealOver` to end the deal;
// PickMove(legal, random); WriteSnapshot(deal, points, seconds); ReadSnapshot(snapshot, after).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <random>

#include "engine/Deck.h"
#include "engine/HitLists.h"
#include "engine/Move.h"
#include "tests/games/solitaire/CardCount.h"
#include "tests/support/MoveFinder.h"

// 10,000 deals, or as many as QS_PROPERTY_GAMES asks for (the sanitizer build asks for fewer).
inline int PropertyGames() {
  const char* asked = std::getenv("QS_PROPERTY_GAMES");
  const int games = asked != nullptr ? std::atoi(asked) : 0;
  return games > 0 ? games : 10000;
}

inline ::testing::AssertionResult Counted(const CardCount& count) {
  if (count.EveryCardOnce()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << count.Fault();
}

struct RandomPlayPlan {
  int games = 0;
  int movesPerGame = 0;
  int undoEvery = 1;  // the moves undone through their snapshot bytes: every n-th of a deal
};

// What an undo snapshot brings back.
template <typename Position>
struct Restored {
  Position position;
  Deck stock;
  int points = 0;
  int elapsedSeconds = 0;
};

// What a game's random play counts: moves made, deals left without a move, cards placed.
struct RandomPlayCounts {
  int moves = 0, stuck = 0, placed = 0;
};

// Plays `plan.games` deals, seeds 0 up, each with its own random source seeded alike, counting
// the moves made in `game.moves`. The move is named in each failure: a trace a move costs too much.
template <typename Game>
void PlayRandomGames(Game& game, const RandomPlayPlan& plan) {
  using Deal = GameDeal<typename Game::Position>;
  MoveList legal;
  for (int index = 0; index < plan.games; ++index) {
    const auto seed = static_cast<std::uint32_t>(index);
    std::mt19937 random(seed);
    const typename Game::Rules rules = game.RandomRules(random);
    Deal deal = game.Deal(seed, rules);
    SCOPED_TRACE(::testing::Message() << "game " << index);
    ASSERT_TRUE(game.EveryCardOnce(deal.position, deal.stock));
    int points = 0;
    for (int step = 0; step < plan.movesPerGame; ++step) {
      game.LegalMoves(deal.position, deal.stock, rules, legal);
      bool dealOver = false;
      game.BeforeMove(deal, rules, legal, step, random, dealOver);
      if (::testing::Test::HasFatalFailure()) {
        ADD_FAILURE() << "in the checks before move " << step;
        return;
      }
      if (dealOver || legal.empty()) break;
      const Move move = game.PickMove(legal, random);
      const bool checkUndo = step % plan.undoEvery == 0;
      std::optional<typename Game::Snapshot> snapshot;
      if (checkUndo) snapshot = game.WriteSnapshot(deal, points, step);
      const Deal before = deal;
      const MoveResult result = game.ApplyMove(deal.position, deal.stock, rules, move);
      ASSERT_TRUE(result.Happened()) << "move " << step;
      points += result.points;
      ++game.moves;
      ASSERT_TRUE(game.EveryCardOnce(deal.position, deal.stock)) << "move " << step;
      if (!checkUndo) continue;
      const std::optional<Restored<typename Game::Position>> back =
          game.ReadSnapshot(*snapshot, deal);
      ASSERT_TRUE(back.has_value()) << "the snapshot of move " << step << " was refused";
      ASSERT_EQ(back->position, before.position) << "move " << step;
      ASSERT_EQ(back->stock, before.stock) << "move " << step;
      ASSERT_EQ(back->points, points - result.points) << "move " << step;
      ASSERT_EQ(back->elapsedSeconds, step) << "move " << step;
    }
  }
}

// Whether the mouse makes exactly the legal moves: the stock click where legal, the other clicks
// in `mouse`, and every drag source dropped on every target where Game::IsLegal takes it.
template <typename Game>
::testing::AssertionResult MouseMakesTheLegalMoves(const GameDeal<typename Game::Position>& deal,
                                                   const typename Game::Rules& rules,
                                                   const MoveList& legal, MoveList mouse = {}) {
  DragSourceList sources;
  DropTargetList targets;
  Game::BuildHitLists(deal.position, rules, sources, targets);
  const auto isLegal = [&](const Move& move) {
    return Game::IsLegal(deal.position, deal.stock, rules, move);
  };
  if (const Move click{MoveKind::kStock, Game::kStockPile, 0, -1}; isLegal(click))
    mouse.push_back(click);
  for (int s = 0; s < sources.Size(); ++s) {
    for (int t = 0; t < targets.Size(); ++t) {
      const Move move{MoveKind::kCards, sources.At(s).pile, sources.At(s).index,
                      targets.At(t).pile};
      if (isLegal(move) && std::find(mouse.begin(), mouse.end(), move) == mouse.end())
        mouse.push_back(move);
    }
  }
  if (mouse.size() != legal.size())
    return ::testing::AssertionFailure()
           << "the mouse makes " << mouse.size() << " moves, the rules " << legal.size();
  for (const Move& move : mouse)
    if (std::find(legal.begin(), legal.end(), move) == legal.end())
      return ::testing::AssertionFailure() << "the mouse makes a move the rules do not list";
  return ::testing::AssertionSuccess();
}

// Whether no walk of up to `steps` random legal moves from a table said to have no moves left
// reaches a better standing (a Standing has BetterThan).
template <typename Game, typename StandingOf>
::testing::AssertionResult NoWalkGetsFurther(const GameDeal<typename Game::Position>& from,
                                             const typename Game::Rules& rules, int steps,
                                             std::mt19937& random, StandingOf standingOf) {
  const auto before = standingOf(from.position, from.stock);
  GameDeal<typename Game::Position> walk = from;
  MoveList options;
  for (int step = 0; step < steps; ++step) {
    Game::LegalMoves(walk.position, walk.stock, rules, options);
    if (options.empty()) break;
    Game::ApplyMove(walk.position, walk.stock, rules, options[random() % options.size()]);
    if (standingOf(walk.position, walk.stock).BetterThan(before))
      return ::testing::AssertionFailure()
             << "progress was possible where no move was said to be left (walk move " << step
             << ")";
  }
  return ::testing::AssertionSuccess();
}
