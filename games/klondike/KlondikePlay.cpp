// Klondike's rules as plain functions of the position: the game's mouse and drawing code, the
// snapshot reader and the move-finder of the tests all change a position only through these.
#include "games/klondike/KlondikePlay.h"

#include <algorithm>
#include <span>

namespace {

constexpr int kRecyclePoints = -5;
constexpr int kTurnUpPoints = 5;
constexpr int kWasteToFoundationPoints = 10;
constexpr int kColumnToFoundationPoints = 5;
constexpr int kWasteToColumnPointsPerCard = 5;

// More than the no-moves analysis can ever collect: the waste top, three passes over at most 52
// cards, and every column card.
constexpr int kMaxCandidates = 256;

bool IsColumn(int column) {
  return column >= 0 && column < kKlondikeColumns;
}

bool IsStartRank(int rank) {
  return rank >= 0 && rank < kRankCount;
}

std::size_t At(int index) {
  return static_cast<std::size_t>(index);
}

// One more than the rank, wrapping from the Ace to the Two.
int NextRank(int rank) {
  return (rank + 1) % kRankCount;
}

int FaceUpCount(const KlondikePosition& position, int column) {
  return position.columnCount[At(column)] - position.faceDown[At(column)];
}

const Card& ColumnCard(const KlondikePosition& position, int column, int index) {
  return position.tableau[At(column)][At(index)];
}

const Card& ColumnTop(const KlondikePosition& position, int column) {
  return ColumnCard(position, column, position.columnCount[At(column)] - 1);
}

// The lowest face-up card: the card a whole-run move would lay down first.
const Card& LowestFaceUp(const KlondikePosition& position, int column) {
  return ColumnCard(position, column, position.faceDown[At(column)]);
}

// A setting of 0 or less would make the stock click do nothing forever.
int CardsPerClick(const KlondikeRules& rules) {
  return std::max(1, rules.cardsDealt);
}

int FoundationAt(int x, int y) {
  if (y != kKlondikeFoundationY) return -1;
  for (int f = 0; f < kKlondikeFoundations; ++f)
    if (KlondikeFoundationX(f) == x) return f;
  return -1;
}

// The column whose next card place (its own position when empty) is this point.
int ColumnAt(const KlondikePosition& position, int x, int y) {
  for (int c = 0; c < kKlondikeColumns; ++c) {
    const ScreenPoint next = KlondikeNextPlace(position, c);
    if (next.x == x && next.y == y) return c;
  }
  return -1;
}

void ClearCarry(KlondikePosition& position) {
  position.carried.fill(kNoCard);
  position.carriedCount = 0;
  position.source = kKlondikeCarryingNothing;
}

void AppendToColumn(KlondikePosition& position, int column, const Card* cards, int count) {
  auto& pile = position.tableau[At(column)];
  int& size = position.columnCount[At(column)];
  for (int i = 0; i < count; ++i) pile[At(size++)] = cards[i];
}

// Cards that a number of stock clicks could bring to the top of the waste, without playing
// anything in between.
class Candidates {
public:
  void Add(const Card& card) {
    if (count_ < kMaxCandidates && IsRealCard(card)) cards_[At(count_++)] = card;
  }
  // One pass through a stock dealt in the order `card(i)`, i = 0 first: each click of n cards
  // leaves card k*n - 1 on top, and the last click, which may turn fewer, leaves the last card.
  template <typename CardAt>
  void AddPass(int length, int perClick, CardAt card) {
    for (int i = perClick - 1; i < length; i += perClick) Add(card(i));
    if (length > 0) Add(card(length - 1));
  }

  int Count() const { return count_; }
  const Card& operator[](int i) const { return cards_[At(i)]; }

private:
  std::array<Card, kMaxCandidates> cards_;
  int count_ = 0;
};

void CollectStockAndWaste(const KlondikePosition& position, const Deck& stock,
                          const KlondikeRules& rules, Candidates& candidates) {
  const int perClick = CardsPerClick(rules);
  const int stockCount = stock.Remaining();
  const int wasteCount = position.wasteCount;
  const auto stockCard = [&stock](int i) { return stock.PeekCard(i); };
  const auto wasteCard = [&position](int i) { return position.waste[At(i)]; };

  if (wasteCount > 0) candidates.Add(wasteCard(wasteCount - 1));
  candidates.AddPass(stockCount, perClick, stockCard);

  const bool unlimited = rules.recycles == kRecyclesUnlimited;
  const int recyclesLeft = unlimited ? 2 : rules.recycles - position.recyclesUsed;
  if (recyclesLeft < 1) return;
  // After the stock runs out the waste holds the old waste with the whole stock on it. A recycle
  // returns it from the top down, so the new stock deals the last stock card first and the old
  // waste's bottom card last.
  const int all = stockCount + wasteCount;
  candidates.AddPass(all, perClick, [&](int i) {
    return i < stockCount ? stockCard(stockCount - 1 - i)
                          : wasteCard(wasteCount - 1 - (i - stockCount));
  });
  if (recyclesLeft < 2) return;
  // A second recycle reverses that order again, back to the old waste bottom first; a third
  // would repeat the first, so two passes show every card that recycling can reach.
  candidates.AddPass(all, perClick, [&](int i) {
    return i < wasteCount ? wasteCard(i) : stockCard(i - wasteCount);
  });
}

bool SomeCandidateFillsAnEmptyColumn(const Candidates& candidates, int startRank,
                                     const KlondikeRules& rules) {
  for (int k = 0; k < candidates.Count(); ++k)
    if (KlondikeEmptyColumnAccepts(candidates[k], startRank, rules)) return true;
  return false;
}

// Whether emptying a column by moving its whole run onto `target` leads anywhere: the emptied
// column must be refillable by something, or the move only shuffles a run sideways.
bool EmptiedColumnCanBeRefilled(const KlondikePosition& position, const KlondikeRules& rules,
                                const Candidates& candidates, int target) {
  if (candidates.Count() > 0 &&
      SomeCandidateFillsAnEmptyColumn(candidates, position.startRank, rules)) {
    return true;
  }
  for (int k = 0; k < kKlondikeColumns; ++k) {
    if (k == target || FaceUpCount(position, k) <= 0) continue;
    if (!rules.tableauStart) return true;
    if (position.faceDown[At(k)] > 0 &&
        NextRank(LowestFaceUp(position, k).rank) == position.startRank) {
      return true;
    }
  }
  return false;
}

bool AColumnMoveExists(const KlondikePosition& position, const KlondikeRules& rules,
                       const Candidates& candidates) {
  for (int i = 0; i < kKlondikeColumns; ++i) {
    if (FaceUpCount(position, i) <= 0) continue;
    const Card& lowest = LowestFaceUp(position, i);
    const bool exposesFaceDown = position.faceDown[At(i)] > 0;
    for (int j = 0; j < kKlondikeColumns; ++j) {
      if (j == i) continue;
      if (position.columnCount[At(j)] == 0) {
        if (exposesFaceDown && KlondikeEmptyColumnAccepts(lowest, position.startRank, rules))
          return true;
        continue;
      }
      if (FaceUpCount(position, j) <= 0) continue;
      if (!KlondikeColumnAccepts(lowest, ColumnTop(position, j), position.startRank)) continue;
      if (exposesFaceDown || EmptiedColumnCanBeRefilled(position, rules, candidates, j))
        return true;
    }
  }
  return false;
}

void CollectColumnCards(const KlondikePosition& position, const KlondikeRules& rules,
                        Candidates& candidates) {
  for (int c = 0; c < kKlondikeColumns; ++c)
    if (FaceUpCount(position, c) > 0) candidates.Add(ColumnTop(position, c));
  if (!rules.movePartial) return;
  // A partial run moved away exposes the face-up card below it.
  for (int c = 0; c < kKlondikeColumns; ++c) {
    for (int m = position.faceDown[At(c)] + 1; m < position.columnCount[At(c)]; ++m) {
      const Card& moving = ColumnCard(position, c, m);
      for (int other = 0; other < kKlondikeColumns; ++other) {
        if (other == c || FaceUpCount(position, other) <= 0) continue;
        if (KlondikeColumnAccepts(moving, ColumnTop(position, other), position.startRank)) {
          candidates.Add(ColumnCard(position, c, m - 1));
          break;
        }
      }
    }
  }
}

bool SomeCandidateReachesAFoundation(const KlondikePosition& position,
                                     const Candidates& candidates) {
  for (int k = 0; k < candidates.Count(); ++k) {
    if (candidates[k].rank == position.startRank) return true;
    for (const Card& top : position.foundations)
      if (top != kNoCard && KlondikeFoundationAccepts(candidates[k], top, position.startRank))
        return true;
  }
  return false;
}

}  // namespace

KlondikePosition EmptyKlondikePosition(int startRank) {
  KlondikePosition position;
  position.foundations.fill(kNoCard);
  position.carried.fill(kNoCard);
  position.waste.fill(kNoCard);
  for (auto& column : position.tableau) column.fill(kNoCard);
  position.startRank = startRank;
  return position;
}

bool KlondikeFoundationAccepts(const Card& card, const Card& top, int startRank) {
  if (!IsRealCard(card) || !IsRealCard(top) || card.rank == startRank) return false;
  return NextRank(top.rank) == card.rank && top.suit == card.suit;
}

bool KlondikeColumnAccepts(const Card& card, const Card& top, int startRank) {
  if (!IsRealCard(card) || !IsRealCard(top) || card.rank == startRank) return false;
  return NextRank(card.rank) == top.rank && SuitColor(card) != SuitColor(top);
}

bool KlondikeEmptyColumnAccepts(const Card& card, int startRank, const KlondikeRules& rules) {
  if (!IsRealCard(card)) return false;
  return !rules.tableauStart || NextRank(card.rank) == startRank;
}

ScreenPoint KlondikeCardPlace(const KlondikePosition& position, int column, int index) {
  (void)position;  // every column fans the same way; the position is there for a later layout
  return {KlondikeColumnX(column), kKlondikeColumnY + kKlondikeFanDy * index};
}

ScreenPoint KlondikeNextPlace(const KlondikePosition& position, int column) {
  if (!IsColumn(column)) return {-1, -1};
  return KlondikeCardPlace(position, column, position.columnCount[At(column)]);
}

// --- The deal ---------------------------------------------------------------------------------

KlondikePosition KlondikePrepareDeal(Deck& stock, const KlondikeRules& rules) {
  // A stored start rank that is neither a rank nor "first card decides" is damage: play the
  // usual game rather than one that no card can start.
  int startRank = rules.startCard;
  if (startRank != kStartCardNextFromDeck && !IsStartRank(startRank)) startRank = kAceRank;
  KlondikePosition position = EmptyKlondikePosition(startRank);

  stock.SetCopies(1);
  stock.IncludeAll();
  stock.Shuffle();
  if (startRank == kStartCardNextFromDeck) {
    position.foundations[0] = stock.DealCard();
    position.startRank = position.foundations[0].rank;
  }
  if (rules.filledIn) {
    for (int s = 0; s < kSuitCount; ++s) {
      position.foundations[At(s)] = Card{s, position.startRank};
      stock.RemoveCard(position.foundations[At(s)]);
    }
  }
  return position;
}

bool KlondikeDealToColumn(KlondikePosition& position, Deck& stock, int column, bool faceUp) {
  if (!IsColumn(column)) return false;
  int& count = position.columnCount[At(column)];
  // Face-down cards lie only under face-up ones: the count of them says which cards they are.
  if (count >= kKlondikeColumnSlots || (!faceUp && position.faceDown[At(column)] != count))
    return false;
  const Card card = stock.DealCard();
  if (!IsRealCard(card)) return false;
  position.tableau[At(column)][At(count)] = card;
  ++count;
  if (!faceUp) ++position.faceDown[At(column)];
  return true;
}

void KlondikeDealTableau(KlondikePosition& position, Deck& stock) {
  for (int row = 0; row < kKlondikeColumns; ++row) {
    if (!KlondikeDealToColumn(position, stock, row, true)) return;
    for (int column = row + 1; column < kKlondikeColumns; ++column)
      if (!KlondikeDealToColumn(position, stock, column, false)) return;
  }
}

// --- Stock and waste ------------------------------------------------------------------------

int KlondikeTurnStock(KlondikePosition& position, Deck& stock, const KlondikeRules& rules) {
  if (stock.Remaining() < 1) return 0;
  position.turned = 0;
  for (int i = 0; i < CardsPerClick(rules) && position.wasteCount < kKlondikeWasteSlots; ++i) {
    const Card card = stock.DealCard();
    if (!IsRealCard(card)) break;
    position.waste[At(position.wasteCount++)] = card;
    ++position.turned;
  }
  return position.turned;
}

bool KlondikeCanRecycle(const KlondikePosition& position, const KlondikeRules& rules) {
  // With the waste empty too there is nothing to turn back, and a click must not cost the
  // player a recycle and 5 points for it.
  if (position.wasteCount <= 0) return false;
  return rules.recycles == kRecyclesUnlimited || position.recyclesUsed < rules.recycles;
}

int KlondikeRecycle(KlondikePosition& position, Deck& stock) {
  // The top card goes back first, so it is the first to be dealt again. A card the deck refuses
  // (not of its composition) stays on the waste instead of vanishing.
  int kept = 0;
  std::array<Card, kKlondikeWasteSlots> refused;
  for (int i = position.wasteCount - 1; i >= 0; --i) {
    const Card card = position.waste[At(i)];
    const int before = stock.Remaining();
    stock.ReturnCard(card);
    if (stock.Remaining() == before) refused[At(kept++)] = card;
  }
  position.waste.fill(kNoCard);
  position.wasteCount = 0;
  for (int i = kept - 1; i >= 0; --i) position.waste[At(position.wasteCount++)] = refused[At(i)];
  ++position.recyclesUsed;
  position.turned = 0;
  return kRecyclePoints;
}

// --- Columns --------------------------------------------------------------------------------

bool KlondikeCanTurnUp(const KlondikePosition& position, int column) {
  if (!IsColumn(column)) return false;
  const int count = position.columnCount[At(column)];
  return count > 0 && position.faceDown[At(column)] >= count;
}

int KlondikeTurnUp(KlondikePosition& position, int column) {
  if (!KlondikeCanTurnUp(position, column)) return 0;
  position.faceDown[At(column)] = position.columnCount[At(column)] - 1;
  return kTurnUpPoints;
}

// --- Moves ----------------------------------------------------------------------------------

bool KlondikePickUp(KlondikePosition& position, const DragSource& record) {
  if (position.source != kKlondikeCarryingNothing || record.count < 1) return false;
  const Card& first = record.cards[0];
  if (!IsRealCard(first)) return false;

  if (position.wasteCount > 0 && position.waste[At(position.wasteCount - 1)] == first) {
    ClearCarry(position);
    position.carried[0] = first;
    position.carriedCount = 1;
    position.source = kKlondikeFromWaste;
    position.waste[At(--position.wasteCount)] = kNoCard;
    position.turned = std::max(0, position.turned - 1);
    return true;
  }

  for (int c = 0; c < kKlondikeColumns; ++c) {
    const int count = position.columnCount[At(c)];
    for (int i = position.faceDown[At(c)]; i < count; ++i) {
      const ScreenPoint place = KlondikeCardPlace(position, c, i);
      if (place.x != record.x || place.y != record.y || ColumnCard(position, c, i) != first)
        continue;
      if (count - i > kMaxCarriedCards) return false;
      ClearCarry(position);
      for (int k = i; k < count; ++k) {
        position.carried[At(k - i)] = ColumnCard(position, c, k);
        position.tableau[At(c)][At(k)] = kNoCard;
      }
      position.carriedCount = count - i;
      position.columnCount[At(c)] = i;
      position.source = c;
      return true;
    }
  }
  return false;
}

bool KlondikeCanDrop(const KlondikePosition& position, const KlondikeRules& rules,
                     const DragSource& record, const DropTarget& target) {
  if (record.count < 1) return false;
  const Card& card = record.cards[0];
  const int startRank = position.startRank;

  const int foundation = FoundationAt(target.x, target.y);
  if (foundation >= 0) {
    if (record.count != 1) return false;
    const Card& top = position.foundations[At(foundation)];
    if (top == kNoCard) return IsRealCard(card) && card.rank == startRank;
    return KlondikeFoundationAccepts(card, top, startRank);
  }

  const int column = ColumnAt(position, target.x, target.y);
  if (column < 0) return false;
  const int count = position.columnCount[At(column)];
  if (count + record.count > kKlondikeColumnSlots) return false;
  if (count == 0) return KlondikeEmptyColumnAccepts(card, startRank, rules);
  // A face-down top offers nothing to build on; it has to be turned up first.
  if (FaceUpCount(position, column) <= 0) return false;
  return KlondikeColumnAccepts(card, ColumnTop(position, column), startRank);
}

std::optional<int> KlondikeDrop(KlondikePosition& position, const DragSource& record,
                                const DropTarget& target) {
  const int count = position.carriedCount;
  if (count < 1 || count > kMaxCarriedCards || record.count < 1 ||
      record.cards[0] != position.carried[0]) {
    return std::nullopt;
  }
  const bool fromWaste = position.source == kKlondikeFromWaste;

  const int foundation = FoundationAt(target.x, target.y);
  if (foundation >= 0) {
    if (count != 1) return std::nullopt;
    position.foundations[At(foundation)] = position.carried[0];
    ClearCarry(position);
    return fromWaste ? kWasteToFoundationPoints : kColumnToFoundationPoints;
  }

  const int column = ColumnAt(position, target.x, target.y);
  if (column < 0 || position.columnCount[At(column)] + count > kKlondikeColumnSlots)
    return std::nullopt;
  AppendToColumn(position, column, position.carried.data(), count);
  ClearCarry(position);
  return fromWaste ? kWasteToColumnPointsPerCard * count : 0;
}

void KlondikeCancelCarry(KlondikePosition& position) {
  const int count = std::clamp(position.carriedCount, 0, kMaxCarriedCards);
  if (position.source == kKlondikeFromWaste && count > 0 &&
      position.wasteCount + count <= kKlondikeWasteSlots) {
    for (int i = 0; i < count; ++i)
      position.waste[At(position.wasteCount++)] = position.carried[At(i)];
    position.turned = std::min(position.turned + count, position.wasteCount);
  } else if (IsColumn(position.source) &&
             position.columnCount[At(position.source)] + count <= kKlondikeColumnSlots) {
    AppendToColumn(position, position.source, position.carried.data(), count);
  }
  ClearCarry(position);
}

// --- The hit lists and the end ------------------------------------------------------------------

void KlondikeBuildHitLists(const KlondikePosition& position, const Deck& stock,
                           const KlondikeRules& rules, DragSourceList& sources,
                           DropTargetList& targets, int cardWidth, int cardHeight) {
  (void)stock;  // the stock is clicked, never dragged
  sources.Clear();
  targets.Clear();

  if (position.wasteCount > 0) {
    const Card& top = position.waste[At(position.wasteCount - 1)];
    if (rules.cardsDealt < 2) {
      // The single-card waste is a squared pile that thickens up and to the left, one layer for
      // every ten cards as the card drawing lays it, so the top card lifts from where it is seen.
      const int layers = position.wasteCount / 10;
      sources.Add(kKlondikeWasteX - 2 * layers, kKlondikeWasteY - layers, &top, 1);
    } else {
      const int fanned = std::max(0, position.turned - 1);
      sources.Add(kKlondikeWasteX + kKlondikeWasteFanDx * fanned, kKlondikeWasteY, &top, 1);
    }
  }

  // The top card first: a click on it finds it alone; a click on the visible strip of a lower
  // card misses it and finds the run that starts lower down.
  for (int c = 0; c < kKlondikeColumns; ++c) {
    const int count = position.columnCount[At(c)];
    const int lowest = position.faceDown[At(c)];
    if (count <= lowest) continue;
    const auto addRun = [&](int from) {
      const ScreenPoint place = KlondikeCardPlace(position, c, from);
      sources.Add(place.x, place.y, &position.tableau[At(c)][At(from)],
                  std::min(count - from, kMaxCarriedCards));
    };
    addRun(count - 1);
    if (!rules.movePartial) {
      addRun(lowest);
    } else {
      for (int i = count - 2; i >= lowest; --i) addRun(i);
    }
  }

  for (int f = 0; f < kKlondikeFoundations; ++f) {
    const int x = KlondikeFoundationX(f);
    targets.Add(x, kKlondikeFoundationY, x, kKlondikeFoundationY, x + cardWidth,
                kKlondikeFoundationY + cardHeight, kKlondikeFoundationKind);
  }
  for (int c = 0; c < kKlondikeColumns; ++c) {
    const int count = position.columnCount[At(c)];
    if (count > 0 && FaceUpCount(position, c) <= 0) continue;
    const ScreenPoint next = KlondikeNextPlace(position, c);
    targets.Add(next.x, next.y, next.x, next.y, next.x + cardWidth, next.y + cardHeight,
                kKlondikeColumnKind);
  }
}

bool KlondikeNoMovesLeft(const KlondikePosition& position, const Deck& stock,
                         const KlondikeRules& rules) {
  // Cards in the hand are a move under way.
  if (position.source != kKlondikeCarryingNothing) return false;
  for (int c = 0; c < kKlondikeColumns; ++c)
    if (KlondikeCanTurnUp(position, c)) return false;
  // Until the stock has been gone through once, its cards are still unknown ground.
  if (position.recyclesUsed == 0 && stock.Remaining() > 0) return false;

  Candidates candidates;
  CollectStockAndWaste(position, stock, rules, candidates);
  for (int k = 0; k < candidates.Count(); ++k) {
    for (int c = 0; c < kKlondikeColumns; ++c) {
      const bool accepted =
          position.columnCount[At(c)] == 0
              ? KlondikeEmptyColumnAccepts(candidates[k], position.startRank, rules)
              : KlondikeColumnAccepts(candidates[k], ColumnTop(position, c), position.startRank);
      if (accepted) return false;
    }
  }
  if (AColumnMoveExists(position, rules, candidates)) return false;
  CollectColumnCards(position, rules, candidates);
  return !SomeCandidateReachesAFoundation(position, candidates);
}

bool KlondikeCleared(const KlondikePosition& position, const Deck& stock) {
  if (stock.Remaining() > 0 || position.wasteCount > 0 || position.carriedCount > 0) return false;
  for (int count : position.columnCount)
    if (count > 0) return false;
  return true;
}

double KlondikeScoreFactor(const KlondikeRules& rules) {
  // Moving part of a run makes the game easier whatever else is chosen; it sets the base.
  double factor = rules.movePartial ? 0.95 : 1.0;
  if (rules.tableauStart) factor *= 1.25;
  if (rules.filledIn) factor *= 0.9;
  if (rules.cardsDealt == 2) factor *= 1.1;
  if (rules.cardsDealt == 3) factor *= 1.2;
  return factor;
}

// --- The snapshot block ------------------------------------------------------------------------

void WriteKlondikeBlock(SnapshotWriter& out, const KlondikePosition& position, int points,
                        int elapsedSeconds) {
  out.PutCards(position.foundations);
  out.PutCards(position.carried);
  out.PutCards(position.waste);
  out.PutInt32(position.wasteCount);
  for (const auto& column : position.tableau) out.PutCards(column);
  for (int count : position.columnCount) out.PutInt32(count);
  for (int count : position.faceDown) out.PutInt32(count);
  out.PutInt32(points);
  out.PutInt32(elapsedSeconds);
}

namespace {

// Every slot up to `count` holds a real card; the slots past it are blanked, whatever the file
// held there, so a loaded position looks like one that was played to.
bool KeepCards(std::span<Card> slots, int count) {
  for (int i = 0; i < static_cast<int>(slots.size()); ++i) {
    if (i >= count) {
      slots[At(i)] = kNoCard;
    } else if (!IsRealCard(slots[At(i)])) {
      return false;
    }
  }
  return true;
}

// Counts the cards of a position against the stock: every card of the pack once and only once.
class CardTally {
public:
  bool Add(const Card& card) {
    if (!IsRealCard(card)) return false;
    int& seen = seen_[At(card.suit * kRankCount + card.rank)];
    return ++seen == 1;
  }
  bool Complete() const {
    return std::all_of(seen_.begin(), seen_.end(), [](int seen) { return seen == 1; });
  }

private:
  std::array<int, kSuitCount * kRankCount> seen_{};
};

bool EveryCardOnce(const KlondikePosition& position, const Deck& stock) {
  CardTally tally;
  for (int i = 0; i < stock.Remaining(); ++i)
    if (!tally.Add(stock.PeekCard(i))) return false;
  for (int i = 0; i < position.wasteCount; ++i) {
    // A recycle hands the waste back to the deck, which takes only cards of its composition.
    if (!stock.IsPresent(position.waste[At(i)]) || !tally.Add(position.waste[At(i)])) return false;
  }
  for (int c = 0; c < kKlondikeColumns; ++c)
    for (int i = 0; i < position.columnCount[At(c)]; ++i)
      if (!tally.Add(ColumnCard(position, c, i))) return false;
  // A foundation keeps only its top card; the cards under it run up from the start rank.
  for (const Card& top : position.foundations) {
    if (top == kNoCard) continue;
    if (!IsRealCard(top)) return false;
    const int depth = (top.rank - position.startRank + kRankCount) % kRankCount;
    for (int k = 0; k <= depth; ++k)
      if (!tally.Add(Card{top.suit, (position.startRank + k) % kRankCount})) return false;
  }
  return tally.Complete();
}

}  // namespace

std::optional<KlondikeSnapshot> ReadKlondikeBlock(SnapshotReader& in,
                                                  const KlondikePosition& current,
                                                  const Deck& stock) {
  if (!IsStartRank(current.startRank)) return std::nullopt;
  KlondikeSnapshot snapshot;
  KlondikePosition& position = snapshot.position;
  position = current;

  // The carried cards are written but their count is not: a snapshot is taken with nothing in
  // the hand, so they are read past and the hand stays as it is.
  std::array<Card, kMaxCarriedCards> carried;
  std::int32_t wasteCount = 0, points = 0, elapsed = 0;
  std::array<std::int32_t, kKlondikeColumns> columnCount{}, faceDown{};
  in.GetCards(position.foundations);
  in.GetCards(carried);
  in.GetCards(position.waste);
  in.GetInt32(wasteCount);
  for (auto& column : position.tableau) in.GetCards(column);
  for (auto& count : columnCount) in.GetInt32(count);
  for (auto& count : faceDown) in.GetInt32(count);
  in.GetInt32(points);
  in.GetInt32(elapsed);
  // The block ends the snapshot: bytes after it mean a file of some other layout.
  if (!in.Finished()) return std::nullopt;

  if (wasteCount < 0 || wasteCount > kKlondikeWasteSlots || elapsed < 0) return std::nullopt;
  position.wasteCount = wasteCount;
  if (!KeepCards(position.waste, wasteCount)) return std::nullopt;
  for (int c = 0; c < kKlondikeColumns; ++c) {
    const int count = columnCount[At(c)];
    const int down = faceDown[At(c)];
    if (count < 0 || count > kKlondikeColumnSlots || down < 0 || down > count) return std::nullopt;
    position.columnCount[At(c)] = count;
    position.faceDown[At(c)] = down;
    if (!KeepCards(position.tableau[At(c)], count)) return std::nullopt;
  }
  if (!EveryCardOnce(position, stock)) return std::nullopt;

  // The turned count stays, but never claims more cards than the restored waste holds.
  position.turned = std::clamp(current.turned, 0, static_cast<int>(wasteCount));
  snapshot.points = points;
  snapshot.elapsedSeconds = elapsed;
  return snapshot;
}
