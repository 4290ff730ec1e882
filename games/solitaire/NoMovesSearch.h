// The search behind "no moves left" in the games with a stock: every table that the moves which
// change nothing for good (stock turns, recycles, runs shifted between piles) can reach, each
// looked at once, for a move that gets the deal somewhere. A one-move lookahead is not enough:
// shifting a run may uncover a card that goes home, and such moves exist for ever.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

#include "engine/Card.h"
#include "engine/Deck.h"
#include "engine/Move.h"

// A position with its stock, as the search copies it from table to table.
template <class Position>
struct TableWithStock {
  Position position;
  Deck stock;
};

// A game's rule functions, as the search plays them: the legal moves of a table, a move played
// on one, and the key that makes two tables the same.
template <class Position, class Rules>
struct RulePath {
  void (*legalMoves)(const Position&, const Deck&, const Rules&, MoveList&);
  MoveResult (*apply)(Position&, Deck&, const Rules&, const Move&);
  std::string (*key)(const Position&, const Deck&, const Rules&);
};

// True when no table reachable from the position and its stock offers a move for which
// `isProgress(table, move)` holds; false as soon as one does, and false too once more than
// `limit` tables were reached: nobody can say then, and a deal is never ended on a guess.
template <class Position, class Rules, class IsProgress>
bool NoProgressReachable(const Position& position, const Deck& stock, const Rules& rules,
                         const RulePath<Position, Rules>& path, std::size_t limit,
                         IsProgress&& isProgress) {
  using Table = TableWithStock<Position>;
  std::vector<Table> tables{{position, stock}};
  std::unordered_set<std::string> seen{path.key(position, stock, rules)};
  MoveList moves;
  for (std::size_t i = 0; i < tables.size(); ++i) {
    if (tables.size() > limit) return false;
    const Table table = tables[i];
    path.legalMoves(table.position, table.stock, rules, moves);
    for (const Move& move : moves) {
      if (isProgress(table.position, move)) return false;
      Table next = table;
      path.apply(next.position, next.stock, rules, move);
      if (seen.insert(path.key(next.position, next.stock, rules)).second)
        tables.push_back(std::move(next));
    }
  }
  return true;
}
