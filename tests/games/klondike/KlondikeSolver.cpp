// Depth-first search over the legal moves, the promising ones first, with every position seen
// once. Good enough to find wins for scenario tests; not a strong solver. It knows no rule: what
// may be played and what it does come from LegalMoves and ApplyMove.
#include "tests/games/klondike/KlondikeSolver.h"

#include <algorithm>
#include <string>
#include <unordered_set>

namespace {

std::size_t At(int index) {
  return static_cast<std::size_t>(index);
}

struct Candidate {
  Move move;
  int priority;  // lower first
};

class Search {
public:
  Search(const KlondikeRules& rules, int nodeLimit) : rules_(rules), nodeLimit_(nodeLimit) {}

  bool Run(const KlondikeDeal& deal) {
    if (KlondikeCleared(deal.position, deal.stock)) return true;
    if (++nodes_ > nodeLimit_) return false;
    if (!seen_.insert(Key(deal)).second) return false;
    for (const Candidate& candidate : Moves(deal)) {
      KlondikeDeal next = deal;
      if (!PlayKlondikeMove(next, rules_, candidate.move)) continue;
      path_.push_back(candidate.move);
      if (Run(next)) return true;
      path_.pop_back();
    }
    return false;
  }

  const std::vector<Move>& Path() const { return path_; }

private:
  std::string Key(const KlondikeDeal& deal) const {
    return KlondikeTableKey(deal.position, deal.stock, rules_);
  }

  std::vector<Candidate> Moves(const KlondikeDeal& deal) const {
    MoveList legal;
    KlondikeLegalMoves(deal.position, deal.stock, rules_, legal);
    std::vector<Candidate> moves;
    for (const Move& move : legal) {
      // Turning a card up can only help, so nothing else needs trying first.
      if (move.kind == MoveKind::kTurnUp) return {{move, 0}};
      const int priority = Priority(deal.position, move);
      if (priority >= 0) moves.push_back({move, priority});
    }
    std::stable_sort(moves.begin(), moves.end(), [](const Candidate& a, const Candidate& b) {
      return a.priority < b.priority;
    });
    return moves;
  }

  // How promising a move looks; -1 for moves that only shuffle cards sideways.
  int Priority(const KlondikePosition& p, const Move& move) const {
    if (move.kind == MoveKind::kStock) return 50;
    const int startRank = p.startRank;
    const bool toFoundation = move.to < KlondikeColumnPile(0);
    const int column = move.from - KlondikeColumnPile(0);
    const Card& card = column < 0 ? p.waste[At(move.index)] : p.tableau[At(column)][At(move.index)];
    if (toFoundation) {
      // The two lowest cards of a suit never hold anything up.
      const int height = (card.rank - startRank + kRankCount) % kRankCount;
      return height <= 1 ? 0 : 10;
    }
    if (column < 0) return 40;  // waste onto a column
    const int lowest = p.faceDown[At(column)];
    const bool targetEmpty = p.columnCount[At(move.to - KlondikeColumnPile(0))] == 0;
    if (move.index == lowest) {
      if (lowest > 0) return targetEmpty ? 30 - lowest : 20 - lowest;
      // The whole column moves away: worth it only when something can fill the gap.
      return targetEmpty ? -1 : 60;
    }
    // Part of a run: worth it when the card it uncovers can go up.
    const Card& below = p.tableau[At(column)][At(move.index - 1)];
    for (const Card& top : p.foundations)
      if (top != kNoCard && KlondikeFoundationAccepts(below, top, startRank)) return 45;
    return -1;
  }

  KlondikeRules rules_;
  int nodeLimit_;
  int nodes_ = 0;
  std::unordered_set<std::string> seen_;
  std::vector<Move> path_;
};

}  // namespace

KlondikeDeal DealKlondike(std::uint32_t seed, const KlondikeRules& rules) {
  KlondikeDeal deal{EmptyKlondikePosition(kAceRank), Deck()};
  deal.position = KlondikePrepareDeal(deal.stock, rules, seed);
  KlondikeDealTableau(deal.position, deal.stock);
  return deal;
}

std::optional<int> PlayKlondikeMove(KlondikeDeal& deal, const KlondikeRules& rules,
                                    const Move& move) {
  const MoveResult result = KlondikeApplyMove(deal.position, deal.stock, rules, move);
  if (!result.Happened()) return std::nullopt;
  int points = result.points;
  MoveList automatic;
  KlondikeAutoFlipMoves(deal.position, rules, automatic);
  for (const Move& flip : automatic)
    points += KlondikeApplyMove(deal.position, deal.stock, rules, flip).points;
  return points;
}

std::optional<KlondikeSolution> SolveKlondike(std::uint32_t seed, const KlondikeRules& rules,
                                              int nodeLimit) {
  const KlondikeDeal deal = DealKlondike(seed, rules);
  Search search(rules, nodeLimit);
  if (!search.Run(deal)) return std::nullopt;

  KlondikeSolution solution;
  solution.moves = search.Path();
  KlondikeDeal replay = deal;
  for (const Move& move : solution.moves) solution.points += *PlayKlondikeMove(replay, rules, move);
  return solution;
}
