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

// True when no table reachable from `start` offers a move for which `isProgress` holds; false as
// soon as one does, and false too once more than `limit` tables were reached: nobody can say
// then, and a deal is never ended on a guess. `legalMoves(table, moves)` lists a table's moves,
// `play(table, move)` plays one, and `key(table)` names what makes two tables the same.
template <class Table, class LegalMoves, class Play, class Key, class IsProgress>
bool NoProgressReachable(const Table& start, std::size_t limit, LegalMoves&& legalMoves,
                         Play&& play, Key&& key, IsProgress&& isProgress) {
  std::vector<Table> tables{start};
  std::unordered_set<std::string> seen{key(start)};
  MoveList moves;
  for (std::size_t i = 0; i < tables.size(); ++i) {
    if (tables.size() > limit) return false;
    const Table table = tables[i];
    legalMoves(table, moves);
    for (const Move& move : moves) {
      if (isProgress(table, move)) return false;
      Table next = table;
      play(next, move);
      if (seen.insert(key(next)).second) tables.push_back(std::move(next));
    }
  }
  return true;
}

// One byte per card for the table keys: 1 to 52 for the cards, 0 for no card.
constexpr char CardKeyByte(const Card& card) {
  return static_cast<char>(IsRealCard(card) ? card.suit * kRankCount + card.rank + 1 : 0);
}

// The stock's undealt cards, top first, onto a table key.
inline void AppendStockKey(std::string& key, const Deck& stock) {
  for (int i = 0; i < stock.Remaining(); ++i) key += CardKeyByte(stock.PeekCard(i));
}
