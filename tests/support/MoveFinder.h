// A small move-finder for tests: depth-first over the legal moves in the game's own order, every
// table seen once, until cleared or the node limit is spent. It knows no rule; its order pins the
// wins the tests replay, so any change to it moves every pinned result.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/Deck.h"
#include "engine/Move.h"

// A game's table and what is left of the pack.
template <typename Position>
struct GameDeal {
  Position position;
  Deck stock;
};

struct FoundWin {
  std::vector<Move> moves;
  int points = 0;  // the sum of what the moves earned
};

// The game's rule functions, and its order: the legal moves worth trying, most promising first.
template <typename Position, typename Rules>
struct MoveFinderGame {
  void (*legalMoves)(const Position&, const Deck&, const Rules&, MoveList&);
  MoveResult (*applyMove)(Position&, Deck&, const Rules&, const Move&);
  std::string (*tableKey)(const Position&, const Deck&, const Rules&);
  bool (*cleared)(const Position&, const Deck&);
  std::vector<Move> (*order)(const Position&, const MoveList& legal);
};

// The legal moves as listed, or last first (where the click is listed first, to place a card
// first).
template <typename Position>
std::vector<Move> AsListed(const Position&, const MoveList& legal) {
  return legal;
}
template <typename Position>
std::vector<Move> LastFirst(const Position&, const MoveList& legal) {
  return {legal.rbegin(), legal.rend()};
}

// The moves of priority 0 or more, lowest first; equal ones keep the order LegalMoves gave them.
template <typename PriorityOf>
std::vector<Move> OrderByPriority(const MoveList& legal, PriorityOf priorityOf) {
  struct Candidate {
    Move move;
    int priority;
  };
  std::vector<Candidate> candidates;
  for (const Move& move : legal) {
    const int priority = priorityOf(move);
    if (priority >= 0) candidates.push_back({move, priority});
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Candidate& a, const Candidate& b) { return a.priority < b.priority; });
  std::vector<Move> moves;
  moves.reserve(candidates.size());
  for (const Candidate& candidate : candidates) moves.push_back(candidate.move);
  return moves;
}

namespace move_finder_detail {

template <typename Position, typename Rules>
class Search {
public:
  Search(const MoveFinderGame<Position, Rules>& game, const Rules& rules, int nodeLimit)
      : game_(game), rules_(rules), nodeLimit_(nodeLimit) {}
  bool Run(const GameDeal<Position>& deal) {
    if (game_.cleared(deal.position, deal.stock)) return true;
    if (++nodes_ > nodeLimit_) return false;
    if (!seen_.insert(game_.tableKey(deal.position, deal.stock, rules_)).second) return false;
    MoveList legal;
    game_.legalMoves(deal.position, deal.stock, rules_, legal);
    for (const Move& move : game_.order(deal.position, legal)) {
      GameDeal<Position> next = deal;
      if (!game_.applyMove(next.position, next.stock, rules_, move).Happened()) continue;
      path_.push_back(move);
      if (Run(next)) return true;
      path_.pop_back();
    }
    return false;
  }
  const std::vector<Move>& Path() const { return path_; }

private:
  const MoveFinderGame<Position, Rules>& game_;
  const Rules& rules_;
  int nodeLimit_;
  int nodes_ = 0;
  std::unordered_set<std::string> seen_;
  std::vector<Move> path_;
};

}  // namespace move_finder_detail

// A won game from this deal, or nothing when none was found within `nodeLimit` positions.
template <typename Position, typename Rules>
std::optional<FoundWin> FindWin(const MoveFinderGame<Position, Rules>& game,
                                const GameDeal<Position>& deal, const Rules& rules, int nodeLimit) {
  move_finder_detail::Search<Position, Rules> search(game, rules, nodeLimit);
  if (!search.Run(deal)) return std::nullopt;
  FoundWin win;
  win.moves = search.Path();
  GameDeal<Position> replay = deal;
  for (const Move& move : win.moves)
    win.points += game.applyMove(replay.position, replay.stock, rules, move).points;
  return win;
}
