// Klondike's rules as plain functions of the position: every caller, the game's mouse code, the
// snapshot reader, hints and the tests' move-finder, changes a position only through these.
#include "games/klondike/KlondikePlay.h"

#include <algorithm>
#include <string>

#include "games/solitaire/Building.h"
#include "games/solitaire/CardTally.h"
#include "games/solitaire/NoMovesSearch.h"
#include "games/solitaire/StockAndWaste.h"
#include "games/solitaire/TableKey.h"

namespace {

constexpr int kRecyclePoints = -5;
constexpr int kTurnUpPoints = 5;
constexpr int kWasteToFoundationPoints = 10;
constexpr int kColumnToFoundationPoints = 5;
constexpr int kWasteToColumnPointsPerCard = 5;

// Positions the no-moves search looks at before it gives up and says moves may be left: a stuck
// table reaches a few hundred at most (stock turns times the ways runs can shift sideways).
constexpr std::size_t kNoMovesSearchLimit = 4000;

bool IsColumn(int column) {
  return column >= 0 && column < kKlondikeColumns;
}

bool IsStartRank(int rank) {
  return rank >= 0 && rank < kRankCount;
}

std::size_t At(int index) {
  return static_cast<std::size_t>(index);
}

int ColumnOfPile(int pile) {
  const int column = pile - KlondikeColumnPile(0);
  return IsColumn(column) ? column : -1;
}

int FoundationOfPile(int pile) {
  const int foundation = pile - KlondikeFoundationPile(0);
  return foundation >= 0 && foundation < kKlondikeFoundations ? foundation : -1;
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

// A setting of 0 or less would make the stock click do nothing forever.
int CardsPerClick(const KlondikeRules& rules) {
  return std::max(1, rules.cardsDealt);
}

void AppendToColumn(KlondikePosition& position, int column, const Card* cards, int count) {
  auto& pile = position.tableau[At(column)];
  int& size = position.columnCount[At(column)];
  for (int i = 0; i < count; ++i) pile[At(size++)] = cards[i];
}

// --- What a move may do -------------------------------------------------------------------------

// The cards a move would lift: where they lie and how many. Nothing for a pile or card that the
// player cannot pick up.
struct Lift {
  const Card* cards = nullptr;
  int count = 0;
  int column = -1;  // -1 for the waste
};

std::optional<Lift> LiftFor(const KlondikePosition& position, const KlondikeRules& rules, int pile,
                            int index) {
  if (pile == kKlondikeWastePile) {
    if (position.wasteCount <= 0 || index != position.wasteCount - 1) return std::nullopt;
    return Lift{&position.waste[At(index)], 1, -1};
  }
  const int column = ColumnOfPile(pile);
  if (column < 0) return std::nullopt;
  const int count = position.columnCount[At(column)];
  const int lowest = position.faceDown[At(column)];
  if (index < lowest || index >= count || count - index > kMaxCarriedCards) return std::nullopt;
  // Without MovePartial a press lifts the top card alone or the whole face-up run.
  if (!rules.movePartial && index != count - 1 && index != lowest) return std::nullopt;
  return Lift{&position.tableau[At(column)][At(index)], count - index, column};
}

bool LandingAllowed(const KlondikePosition& position, const KlondikeRules& rules, const Lift& lift,
                    int to) {
  const Card& card = lift.cards[0];
  const int foundation = FoundationOfPile(to);
  if (foundation >= 0) {
    return lift.count == 1 &&
           FoundationTakes(card, position.foundations[At(foundation)], position.startRank);
  }
  const int column = ColumnOfPile(to);
  if (column < 0 || column == lift.column) return false;
  const int count = position.columnCount[At(column)];
  if (count + lift.count > kKlondikeColumnSlots) return false;
  if (count == 0) return KlondikeEmptyColumnAccepts(card, position.startRank, rules);
  // A face-down top offers nothing to build on; it has to be turned up first.
  if (FaceUpCount(position, column) <= 0) return false;
  return KlondikeColumnAccepts(card, ColumnTop(position, column), position.startRank);
}

void AddCardMoves(const KlondikePosition& position, const KlondikeRules& rules, int from, int index,
                  MoveList& moves) {
  const std::optional<Lift> lift = LiftFor(position, rules, from, index);
  if (!lift) return;
  for (int f = 0; f < kKlondikeFoundations; ++f) {
    const int to = KlondikeFoundationPile(f);
    if (LandingAllowed(position, rules, *lift, to))
      moves.push_back({MoveKind::kCards, from, index, to});
  }
  for (int c = 0; c < kKlondikeColumns; ++c) {
    const int to = KlondikeColumnPile(c);
    if (LandingAllowed(position, rules, *lift, to))
      moves.push_back({MoveKind::kCards, from, index, to});
  }
}

bool StockClickDoesSomething(const KlondikePosition& position, const Deck& stock,
                             const KlondikeRules& rules) {
  // A full waste (only a snapshot can hold one beside a stock) has no room for another card.
  if (stock.Remaining() > 0) return position.wasteCount < kKlondikeWasteSlots;
  return KlondikeCanRecycle(position, rules);
}

// Turns up to CardsDealt cards from the stock onto the waste; returns how many were turned.
int TurnStock(KlondikePosition& position, Deck& stock, const KlondikeRules& rules) {
  position.turned = TurnFromStock(stock, position.waste, position.wasteCount, CardsPerClick(rules));
  return position.turned;
}

// Turns the waste back into the stock and counts the recycle. Returns how many cards went back.
int Recycle(KlondikePosition& position, Deck& stock) {
  const int returned = RecycleWaste(stock, position.waste, position.wasteCount);
  ++position.recyclesUsed;
  position.turned = 0;
  return returned;
}

MoveResult MoveCards(KlondikePosition& position, const KlondikeRules& rules, const Move& move) {
  MoveResult result;
  const std::optional<Lift> lift = LiftFor(position, rules, move.from, move.index);
  if (!lift) return result;
  std::array<Card, kMaxCarriedCards> hand{};
  const int count = lift->count;
  std::copy_n(lift->cards, count, hand.begin());
  const bool fromWaste = lift->column < 0;
  if (fromWaste) {
    position.waste[At(--position.wasteCount)] = kNoCard;
    position.turned = std::max(0, position.turned - 1);
  } else {
    auto& pile = position.tableau[At(lift->column)];
    std::fill(pile.begin() + move.index, pile.begin() + move.index + count, kNoCard);
    position.columnCount[At(lift->column)] = move.index;
  }

  MoveStep step{StepKind::kMoved, move.from, move.to, 0, count, true, hand[0]};
  const int foundation = FoundationOfPile(move.to);
  if (foundation >= 0) {
    position.foundations[At(foundation)] = hand[0];
    result.points = fromWaste ? kWasteToFoundationPoints : kColumnToFoundationPoints;
  } else {
    const int column = ColumnOfPile(move.to);
    step.index = position.columnCount[At(column)];
    AppendToColumn(position, column, hand.data(), count);
    result.points = fromWaste ? kWasteToColumnPointsPerCard * count : 0;
  }
  result.steps.push_back(step);
  return result;
}

// --- The no-moves analysis ---------------------------------------------------------------------

// A move that gets the deal somewhere: a card turned up or about to be, a card home, a card from
// the stock or waste into play. Everything else only shifts cards about.
bool IsProgress(const KlondikePosition& position, const Move& move) {
  switch (move.kind) {
    case MoveKind::kTurnUp:
      return true;
    case MoveKind::kStock:
    case MoveKind::kSelect:
      return false;
    case MoveKind::kCards: {
      if (FoundationOfPile(move.to) >= 0 || move.from == kKlondikeWastePile) return true;
      const int column = ColumnOfPile(move.from);
      const int lowest = column >= 0 ? position.faceDown[At(column)] : 0;
      return column >= 0 && lowest > 0 && move.index == lowest;
    }
  }
  return false;
}

bool SomeCandidatePlays(const KlondikePosition& position, const KlondikeRules& rules,
                        const StockCandidates& candidates) {
  for (int k = 0; k < candidates.Count(); ++k) {
    const Card& card = candidates[k];
    if (card.rank == position.startRank) return true;
    for (const Card& top : position.foundations)
      if (top != kNoCard && KlondikeFoundationAccepts(card, top, position.startRank)) return true;
    for (int c = 0; c < kKlondikeColumns; ++c) {
      const bool accepted =
          position.columnCount[At(c)] == 0
              ? KlondikeEmptyColumnAccepts(card, position.startRank, rules)
              : FaceUpCount(position, c) > 0 &&
                    KlondikeColumnAccepts(card, ColumnTop(position, c), position.startRank);
      if (accepted) return true;
    }
  }
  return false;
}

}  // namespace

KlondikePosition EmptyKlondikePosition(int startRank) {
  KlondikePosition position;
  position.foundations.fill(kNoCard);
  position.waste.fill(kNoCard);
  for (auto& column : position.tableau) column.fill(kNoCard);
  position.startRank = startRank;
  return position;
}

KlondikeRules KlondikePlayableRules(KlondikeRules rules) {
  rules.cardsDealt = std::clamp(rules.cardsDealt, 1, 3);
  rules.recycles = PlayableRecycles(rules.recycles);
  // A start rank that is neither a rank nor "first card decides" would be a game no card can
  // start: play the usual one.
  if (rules.startCard != kStartCardNextFromDeck && !IsStartRank(rules.startCard))
    rules.startCard = kAceRank;
  return rules;
}

bool KlondikeFoundationAccepts(const Card& card, const Card& top, int startRank) {
  return BuildsUpInSuit(card, top, startRank);
}

bool KlondikeColumnAccepts(const Card& card, const Card& top, int startRank) {
  return BuildsDownAlternating(card, top, startRank);
}

bool KlondikeEmptyColumnAccepts(const Card& card, int startRank, const KlondikeRules& rules) {
  if (!IsRealCard(card)) return false;
  return !rules.tableauStart || NextRank(card.rank) == startRank;
}

ScreenPoint KlondikeCardPlace(int column, int index) {
  if (!IsColumn(column)) return {-1, -1};
  return kKlondikeLayout[At(KlondikeColumnPile(column))].CardPlace(index);
}

std::string KlondikeTableKey(const KlondikePosition& p, const Deck& stock,
                             const KlondikeRules& rules) {
  std::string key;
  key.reserve(96);
  AppendStockAndWasteKey(key, stock, p.waste, p.wasteCount);
  for (const Card& top : p.foundations) key += CardKeyByte(top);
  for (int c = 0; c < kKlondikeColumns; ++c) {
    key += static_cast<char>('|' + p.faceDown[At(c)]);
    for (int i = 0; i < p.columnCount[At(c)]; ++i) key += CardKeyByte(p.tableau[At(c)][At(i)]);
  }
  // With unlimited recycles the count grows for ever and changes nothing.
  if (rules.recycles != kRecyclesUnlimited) key += static_cast<char>(p.recyclesUsed);
  return key;
}

// --- The deal ---------------------------------------------------------------------------------

KlondikePosition KlondikePrepareDeal(Deck& stock, const KlondikeRules& rules, std::uint32_t seed) {
  const KlondikeRules playable = KlondikePlayableRules(rules);
  KlondikePosition position = EmptyKlondikePosition(playable.startCard);

  SeedRandom(seed);
  stock.SetCopies(1);
  stock.IncludeAll();
  stock.Shuffle();
  if (playable.startCard == kStartCardNextFromDeck) {
    position.foundations[0] = stock.DealCard();
    position.startRank = position.foundations[0].rank;
  }
  if (playable.filledIn) {
    for (int s = 0; s < kSuitCount; ++s) {
      position.foundations[At(s)] = Card{s, position.startRank};
      stock.RemoveCard(position.foundations[At(s)]);
    }
  }
  return position;
}

std::vector<MoveStep> KlondikeDealTableau(KlondikePosition& position, Deck& stock) {
  std::vector<MoveStep> steps;
  steps.reserve(kKlondikeColumns * (kKlondikeColumns + 1) / 2);
  const auto deal = [&](int column, bool faceUp) {
    int& count = position.columnCount[At(column)];
    // Face-down cards lie only under face-up ones: the count of them says which cards they are.
    if (count >= kKlondikeColumnSlots || (!faceUp && position.faceDown[At(column)] != count))
      return false;
    const Card card = stock.DealCard();
    if (!IsRealCard(card)) return false;
    steps.push_back(
        {StepKind::kDealt, kKlondikeStockPile, KlondikeColumnPile(column), count, 1, faceUp, card});
    position.tableau[At(column)][At(count)] = card;
    ++count;
    if (!faceUp) ++position.faceDown[At(column)];
    return true;
  };
  for (int row = 0; row < kKlondikeColumns; ++row) {
    if (!deal(row, true)) break;
    bool stockLeft = true;
    for (int column = row + 1; column < kKlondikeColumns && stockLeft; ++column)
      stockLeft = deal(column, false);
    if (!stockLeft) break;
  }
  return steps;
}

// --- Moves --------------------------------------------------------------------------------------

void KlondikeLegalMoves(const KlondikePosition& position, const Deck& stock,
                        const KlondikeRules& rules, MoveList& moves) {
  moves.clear();
  if (StockClickDoesSomething(position, stock, rules))
    moves.push_back({MoveKind::kStock, kKlondikeStockPile, 0, -1});
  for (int c = 0; c < kKlondikeColumns; ++c)
    if (KlondikeCanTurnUp(position, c))
      moves.push_back({MoveKind::kTurnUp, KlondikeColumnPile(c), 0, -1});
  if (position.wasteCount > 0)
    AddCardMoves(position, rules, kKlondikeWastePile, position.wasteCount - 1, moves);
  for (int c = 0; c < kKlondikeColumns; ++c) {
    const int count = position.columnCount[At(c)];
    const int lowest = position.faceDown[At(c)];
    const int pile = KlondikeColumnPile(c);
    for (int i = count - 1; i >= lowest; --i) AddCardMoves(position, rules, pile, i, moves);
  }
}

bool KlondikeIsLegal(const KlondikePosition& position, const Deck& stock,
                     const KlondikeRules& rules, const Move& move) {
  switch (move.kind) {
    case MoveKind::kStock:
      return move.from == kKlondikeStockPile && StockClickDoesSomething(position, stock, rules);
    case MoveKind::kTurnUp:
      return KlondikeCanTurnUp(position, ColumnOfPile(move.from));
    case MoveKind::kSelect:
      return false;
    case MoveKind::kCards: {
      const std::optional<Lift> lift = LiftFor(position, rules, move.from, move.index);
      return lift && LandingAllowed(position, rules, *lift, move.to);
    }
  }
  return false;
}

MoveResult KlondikeApplyMove(KlondikePosition& position, Deck& stock, const KlondikeRules& rules,
                             const Move& move) {
  MoveResult result;
  if (!KlondikeIsLegal(position, stock, rules, move)) return result;
  switch (move.kind) {
    case MoveKind::kStock:
      if (stock.Remaining() > 0) {
        const int first = position.wasteCount;
        const int turned = TurnStock(position, stock, rules);
        result.steps.push_back({StepKind::kStockTurned, kKlondikeStockPile, kKlondikeWastePile,
                                first, turned, true, position.waste[At(first)]});
      } else {
        const int returned = Recycle(position, stock);
        result.points = kRecyclePoints;
        result.steps.push_back({StepKind::kRecycled, kKlondikeWastePile, kKlondikeStockPile, 0,
                                returned, false, kNoCard});
      }
      return result;
    case MoveKind::kTurnUp: {
      const int column = ColumnOfPile(move.from);
      const int top = position.columnCount[At(column)] - 1;
      position.faceDown[At(column)] = top;
      result.points = kTurnUpPoints;
      result.steps.push_back({StepKind::kTurnedUp, move.from, move.from, top, 1, true,
                              ColumnCard(position, column, top)});
      return result;
    }
    case MoveKind::kCards:
      return MoveCards(position, rules, move);
    case MoveKind::kSelect:
      break;
  }
  return result;
}

void KlondikeAutoFlipMoves(const KlondikePosition& position, const KlondikeRules& rules,
                           MoveList& moves) {
  moves.clear();
  if (!rules.autoFlip) return;
  for (int c = 0; c < kKlondikeColumns; ++c)
    if (KlondikeCanTurnUp(position, c))
      moves.push_back({MoveKind::kTurnUp, KlondikeColumnPile(c), 0, -1});
}

bool KlondikeCanRecycle(const KlondikePosition& position, const KlondikeRules& rules) {
  // With the waste empty too there is nothing to turn back, and a click must not cost the
  // player a recycle and 5 points for it.
  if (position.wasteCount <= 0) return false;
  return rules.recycles == kRecyclesUnlimited || position.recyclesUsed < rules.recycles;
}

bool KlondikeCanTurnUp(const KlondikePosition& position, int column) {
  if (!IsColumn(column)) return false;
  const int count = position.columnCount[At(column)];
  return count > 0 && position.faceDown[At(column)] >= count;
}

// --- The hit lists and the end ------------------------------------------------------------------

void KlondikeBuildHitLists(const KlondikePosition& position, const KlondikeRules& rules,
                           DragSourceList& sources, DropTargetList& targets, int cardWidth,
                           int cardHeight) {
  sources.Clear();
  targets.Clear();

  if (position.wasteCount > 0) {
    const int top = position.wasteCount - 1;
    const PileLayout& waste = kKlondikeLayout[At(kKlondikeWastePile)];
    if (rules.cardsDealt < 2) {
      // The single-card waste is a squared pile that thickens up and to the left, one layer for
      // every ten cards as the card drawing lays it, so the top card lifts from where it is seen.
      const int layers = position.wasteCount / 10;
      sources.Add(waste.x - 2 * layers, waste.y - layers, &position.waste[At(top)], 1,
                  kKlondikeWastePile, top);
    } else {
      const ScreenPoint place = waste.CardPlace(std::max(0, position.turned - 1));
      sources.Add(place.x, place.y, &position.waste[At(top)], 1, kKlondikeWastePile, top);
    }
  }

  // The top card first: a click on it finds it alone; a click on the visible strip of a lower
  // card misses it and finds the run that starts lower down.
  for (int c = 0; c < kKlondikeColumns; ++c) {
    const int count = position.columnCount[At(c)];
    const int lowest = position.faceDown[At(c)];
    if (count <= lowest) continue;
    const int pile = KlondikeColumnPile(c);
    const auto addRun = [&](int from) {
      const ScreenPoint place = kKlondikeLayout[At(pile)].CardPlace(from);
      sources.Add(place.x, place.y, &position.tableau[At(c)][At(from)],
                  std::min(count - from, kMaxCarriedCards), pile, from);
    };
    addRun(count - 1);
    if (!rules.movePartial) {
      addRun(lowest);
    } else {
      for (int i = count - 2; i >= lowest; --i) addRun(i);
    }
  }

  for (int f = 0; f < kKlondikeFoundations; ++f) {
    const int pile = KlondikeFoundationPile(f);
    const PileLayout& layout = kKlondikeLayout[At(pile)];
    targets.Add(layout.x, layout.y, layout.x, layout.y, layout.x + cardWidth, layout.y + cardHeight,
                DropKindOf(layout.kind), pile);
  }
  for (int c = 0; c < kKlondikeColumns; ++c) {
    const int count = position.columnCount[At(c)];
    if (count > 0 && FaceUpCount(position, c) <= 0) continue;
    const int pile = KlondikeColumnPile(c);
    const PileLayout& layout = kKlondikeLayout[At(pile)];
    const ScreenPoint next = layout.CardPlace(count);
    targets.Add(next.x, next.y, next.x, next.y, next.x + cardWidth, next.y + cardHeight,
                DropKindOf(layout.kind), pile);
  }
}

bool KlondikeNoMovesLeft(const KlondikePosition& position, const Deck& stock,
                         const KlondikeRules& rules) {
  for (int c = 0; c < kKlondikeColumns; ++c)
    if (KlondikeCanTurnUp(position, c)) return false;
  // Until the stock has been gone through once, its cards are still unknown ground.
  if (position.recyclesUsed == 0 && stock.Remaining() > 0) return false;
  // The quick answers first: a card the stock and waste can bring up that plays somewhere.
  StockCandidates candidates;
  candidates.AddStockAndWaste(stock, position.waste, position.wasteCount, CardsPerClick(rules),
                              CandidateRecycles(rules.recycles, position.recyclesUsed));
  if (SomeCandidatePlays(position, rules, candidates)) return false;

  // Then every table the moves that change nothing for good can reach, stock turns included:
  // shifting a run may uncover a card that goes home, or make room for another run.
  return NoProgressReachable(position, stock, rules,
                             RulePath<KlondikePosition, KlondikeRules>{
                                 &KlondikeLegalMoves, &KlondikeApplyMove, &KlondikeTableKey},
                             kNoMovesSearchLimit, IsProgress);
}

bool KlondikeCleared(const KlondikePosition& position, const Deck& stock) {
  if (stock.Remaining() > 0 || position.wasteCount > 0) return false;
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
  // The hand: nothing is ever carried when a snapshot is taken.
  const std::array<Card, kMaxCarriedCards> hand = [] {
    std::array<Card, kMaxCarriedCards> empty;
    empty.fill(kNoCard);
    return empty;
  }();
  out.PutCards(hand);
  out.PutCards(position.waste);
  out.PutInt32(position.wasteCount);
  for (const auto& column : position.tableau) out.PutCards(column);
  for (int count : position.columnCount) out.PutInt32(count);
  for (int count : position.faceDown) out.PutInt32(count);
  out.PutInt32(points);
  out.PutInt32(elapsedSeconds);
}

namespace {

bool EveryCardOnce(const KlondikePosition& position, const Deck& stock) {
  CardTally tally;
  if (!tally.AddStockAndWaste(stock, position.waste, position.wasteCount)) return false;
  for (int c = 0; c < kKlondikeColumns; ++c)
    if (!tally.AddPile(position.tableau[At(c)], position.columnCount[At(c)])) return false;
  return tally.AddFoundations(position.foundations, position.startRank) && tally.Complete();
}

}  // namespace

std::optional<KlondikeSnapshot> ReadKlondikeBlock(SnapshotReader& in,
                                                  const KlondikePosition& current,
                                                  const Deck& stock) {
  if (!IsStartRank(current.startRank)) return std::nullopt;
  KlondikeSnapshot snapshot;
  KlondikePosition& position = snapshot.position;
  position = current;

  // The hand is written but its count is not: a snapshot is taken with nothing in it, so it is
  // read past.
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

// --- The full state ------------------------------------------------------------------------------

namespace {

// "QSKF" and a version: a full state is recognised before a byte of it is trusted.
constexpr std::int32_t kFullStateMagic = 0x464B5351;
constexpr std::int32_t kFullStateVersion = 1;

}  // namespace

std::vector<std::uint8_t> WriteKlondikeFullState(const KlondikeFullState& state) {
  SnapshotWriter out;
  out.PutInt32(kFullStateMagic);
  out.PutInt32(kFullStateVersion);
  out.PutBytes(state.stock.SaveImage());
  out.PutInt32(state.position.startRank);
  out.PutInt32(state.position.recyclesUsed);
  out.PutInt32(state.position.turned);
  // The snapshot block last: it insists on ending what it reads.
  WriteKlondikeBlock(out, state.position, state.points, state.elapsedSeconds);
  return out.Bytes();
}

std::optional<KlondikeFullState> ReadKlondikeFullState(std::span<const std::uint8_t> bytes) {
  SnapshotReader in(bytes);
  std::int32_t magic = 0, version = 0, startRank = 0, recyclesUsed = 0, turned = 0;
  in.GetInt32(magic);
  in.GetInt32(version);
  if (!in.Ok() || magic != kFullStateMagic || version != kFullStateVersion) return std::nullopt;
  KlondikeFullState state;
  if (!state.stock.LoadImage(in.GetBytes(kDeckImageSize))) return std::nullopt;
  in.GetInt32(startRank);
  in.GetInt32(recyclesUsed);
  in.GetInt32(turned);
  if (!in.Ok() || !IsStartRank(startRank) || recyclesUsed < 0 || turned < 0) return std::nullopt;
  KlondikePosition current = EmptyKlondikePosition(startRank);
  current.recyclesUsed = recyclesUsed;
  current.turned = turned;
  const std::optional<KlondikeSnapshot> block = ReadKlondikeBlock(in, current, state.stock);
  if (!block) return std::nullopt;
  state.position = block->position;
  state.points = block->points;
  state.elapsedSeconds = block->elapsedSeconds;
  return state;
}
