// Depth-first search over the moves the hit lists offer, the promising ones first, with every
// position seen once. Good enough to find wins for scenario tests; not a strong solver.
#include "tests/games/klondike/KlondikeSolver.h"

#include <algorithm>
#include <string>
#include <unordered_set>

namespace {

std::size_t At(int index) {
  return static_cast<std::size_t>(index);
}

char CardByte(const Card& card) {
  return static_cast<char>(IsRealCard(card) ? card.suit * kRankCount + card.rank + 1 : 0);
}

int AutoFlipAll(KlondikePosition& position) {
  int points = 0;
  for (int c = 0; c < kKlondikeColumns; ++c) points += KlondikeTurnUp(position, c);
  return points;
}

// The column a drag source lies in, or -1 for the waste.
int SourceColumn(const DragSource& source) {
  for (int c = 0; c < kKlondikeColumns; ++c)
    if (source.x == KlondikeColumnX(c) && source.y >= kKlondikeColumnY) return c;
  return -1;
}

bool IsFoundationTarget(const DropTarget& target) {
  return target.kind == kKlondikeFoundationKind;
}

struct Candidate {
  KlondikeMove move;
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

  const std::vector<KlondikeMove>& Path() const { return path_; }

private:
  std::string Key(const KlondikeDeal& deal) const {
    const KlondikePosition& p = deal.position;
    std::string key;
    key.reserve(96);
    for (int i = 0; i < deal.stock.Remaining(); ++i) key += CardByte(deal.stock.PeekCard(i));
    key += '|';
    for (int i = 0; i < p.wasteCount; ++i) key += CardByte(p.waste[At(i)]);
    key += '|';
    for (const Card& top : p.foundations) key += CardByte(top);
    for (int c = 0; c < kKlondikeColumns; ++c) {
      key += static_cast<char>('|' + p.faceDown[At(c)]);
      for (int i = 0; i < p.columnCount[At(c)]; ++i) key += CardByte(p.tableau[At(c)][At(i)]);
    }
    // With unlimited recycles the count grows for ever; the same cards in the same places are
    // the same position then.
    if (rules_.recycles != kRecyclesUnlimited) key += static_cast<char>(p.recyclesUsed);
    return key;
  }

  std::vector<Candidate> Moves(const KlondikeDeal& deal) const {
    const KlondikePosition& p = deal.position;
    std::vector<Candidate> moves;
    // Turning a card up can only help, so nothing else needs trying first.
    for (int c = 0; c < kKlondikeColumns; ++c) {
      if (!rules_.autoFlip && KlondikeCanTurnUp(p, c)) {
        KlondikeMove move;
        move.kind = KlondikeMove::Kind::kTurnUp;
        move.column = c;
        return {{move, 0}};
      }
    }

    DragSourceList sources;
    DropTargetList targets;
    KlondikeBuildHitLists(p, deal.stock, rules_, sources, targets);
    for (int s = 0; s < sources.Size(); ++s) {
      const DragSource& source = sources.At(s);
      // A one-card run is listed twice, as the top card and as the whole run.
      if (s > 0 && source.x == sources.At(s - 1).x && source.y == sources.At(s - 1).y &&
          source.count == sources.At(s - 1).count) {
        continue;
      }
      const int column = SourceColumn(source);
      for (int t = 0; t < targets.Size(); ++t) {
        const DropTarget& target = targets.At(t);
        if (!KlondikeCanDrop(p, rules_, source, target)) continue;
        const int priority = Priority(p, source, column, target);
        if (priority < 0) continue;
        KlondikeMove move;
        move.kind = KlondikeMove::Kind::kMove;
        move.sourceX = source.x;
        move.sourceY = source.y;
        move.targetX = target.x;
        move.targetY = target.y;
        move.count = source.count;
        moves.push_back({move, priority});
      }
    }
    if (deal.stock.Remaining() > 0 || (p.wasteCount > 0 && KlondikeCanRecycle(p, rules_)))
      moves.push_back({KlondikeMove{}, 50});
    std::stable_sort(moves.begin(), moves.end(), [](const Candidate& a, const Candidate& b) {
      return a.priority < b.priority;
    });
    return moves;
  }

  // How promising a drag looks; -1 for moves that only shuffle cards sideways.
  int Priority(const KlondikePosition& p, const DragSource& source, int column,
               const DropTarget& target) const {
    const int startRank = p.startRank;
    if (IsFoundationTarget(target)) {
      // The two lowest cards of a suit never hold anything up.
      const int height = (source.cards[0].rank - startRank + kRankCount) % kRankCount;
      return height <= 1 ? 0 : 10;
    }
    if (column < 0) return 40;  // waste onto a column
    const int lowest = p.faceDown[At(column)];
    const int index = (source.y - kKlondikeColumnY) / kKlondikeFanDy;
    const bool targetEmpty = target.y == kKlondikeColumnY;
    if (index == lowest) {
      if (lowest > 0) return targetEmpty ? 30 - lowest : 20 - lowest;
      // The whole column moves away: worth it only when something can fill the gap.
      return targetEmpty ? -1 : 60;
    }
    // Part of a run: worth it when the card it uncovers can go up.
    const Card& below = p.tableau[At(column)][At(index - 1)];
    for (const Card& top : p.foundations)
      if (top != kNoCard && KlondikeFoundationAccepts(below, top, startRank)) return 45;
    return -1;
  }

  KlondikeRules rules_;
  int nodeLimit_;
  int nodes_ = 0;
  std::unordered_set<std::string> seen_;
  std::vector<KlondikeMove> path_;
};

}  // namespace

KlondikeDeal DealKlondike(std::uint32_t seed, const KlondikeRules& rules) {
  const std::optional<std::uint32_t> before = DeckSeedOverride();
  SetDeckSeedOverride(seed);
  KlondikeDeal deal{EmptyKlondikePosition(kAceRank), Deck()};
  SetDeckSeedOverride(before);
  deal.position = KlondikePrepareDeal(deal.stock, rules);
  KlondikeDealTableau(deal.position, deal.stock);
  return deal;
}

std::optional<int> PlayKlondikeMove(KlondikeDeal& deal, const KlondikeRules& rules,
                                    const KlondikeMove& move) {
  KlondikePosition& p = deal.position;
  switch (move.kind) {
    case KlondikeMove::Kind::kStockClick:
      if (deal.stock.Remaining() > 0) {
        KlondikeTurnStock(p, deal.stock, rules);
        return 0;
      }
      if (!KlondikeCanRecycle(p, rules)) return std::nullopt;
      return KlondikeRecycle(p, deal.stock);
    case KlondikeMove::Kind::kTurnUp:
      if (!KlondikeCanTurnUp(p, move.column)) return std::nullopt;
      return KlondikeTurnUp(p, move.column);
    case KlondikeMove::Kind::kMove:
      break;
  }

  DragSourceList sources;
  DropTargetList targets;
  KlondikeBuildHitLists(p, deal.stock, rules, sources, targets);
  const DragSource* source = nullptr;
  for (int s = 0; s < sources.Size() && source == nullptr; ++s) {
    const DragSource& record = sources.At(s);
    if (record.x == move.sourceX && record.y == move.sourceY && record.count == move.count)
      source = &record;
  }
  const DropTarget* target = nullptr;
  for (int t = 0; t < targets.Size() && target == nullptr; ++t) {
    if (targets.At(t).x == move.targetX && targets.At(t).y == move.targetY) target = &targets.At(t);
  }
  if (source == nullptr || target == nullptr || !KlondikeCanDrop(p, rules, *source, *target))
    return std::nullopt;
  // The hit lists are rebuilt after the pick-up, as the game does; keep copies of the records.
  const DragSource record = *source;
  const DropTarget onto = *target;
  if (!KlondikePickUp(p, record)) return std::nullopt;
  const std::optional<int> points = KlondikeDrop(p, record, onto);
  if (!points) {
    KlondikeCancelCarry(p);
    return std::nullopt;
  }
  return *points + (rules.autoFlip ? AutoFlipAll(p) : 0);
}

std::optional<KlondikeSolution> SolveKlondike(std::uint32_t seed, const KlondikeRules& rules,
                                              int nodeLimit) {
  const KlondikeDeal deal = DealKlondike(seed, rules);
  Search search(rules, nodeLimit);
  if (!search.Run(deal)) return std::nullopt;

  KlondikeSolution solution;
  solution.moves = search.Path();
  KlondikeDeal replay = deal;
  for (const KlondikeMove& move : solution.moves)
    solution.points += *PlayKlondikeMove(replay, rules, move);
  return solution;
}
