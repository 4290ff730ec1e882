// Quadrille's rules as plain functions of the position: the game's mouse code, the snapshot
// reader and the tests' move-finder change a position only through these.
#include "games/quadrille/QuadrillePlay.h"

#include <algorithm>

#include "games/solitaire/Building.h"
#include "games/solitaire/CardTally.h"
#include "games/solitaire/StockAndWaste.h"
#include "games/solitaire/TableKey.h"

namespace {

constexpr int kRecyclePoints = -5;
constexpr int kPlacedPoints = 5;

std::size_t At(int index) {
  return static_cast<std::size_t>(index);
}

int SixOfPile(int pile) {
  const int f = pile - QuadrilleSixPile(0);
  return f >= 0 && f < kQuadrilleFoundations ? f : -1;
}

int FiveOfPile(int pile) {
  const int f = pile - QuadrilleFivePile(0);
  return f >= 0 && f < kQuadrilleFoundations ? f : -1;
}

int SuitOf(int foundation) {
  return kQuadrilleFoundationSuits[At(foundation)];
}

bool IsQueen(const Card& card) {
  return IsRealCard(card) && card.rank == kQueenRank;
}

bool StockClickDoesSomething(const QuadrillePosition& position, const Deck& stock,
                             const QuadrilleRules& rules) {
  return stock.Remaining() > 0 || QuadrilleCanRecycle(position, rules);
}

// The only card the player can move is the waste's top card, and it moves only onto a pile.
bool CardMoveAllowed(const QuadrillePosition& position, const Move& move) {
  if (move.from != kQuadrilleWastePile || position.wasteCount <= 0 ||
      move.index != position.wasteCount - 1)
    return false;
  return QuadrilleAccepts(position, move.to, position.waste[At(move.index)]);
}

MoveResult TurnOrRecycle(QuadrillePosition& position, Deck& stock, const QuadrilleRules& rules) {
  MoveResult result;
  if (stock.Remaining() > 0) {
    const int first = position.wasteCount;
    position.turned =
        TurnFromStock(stock, position.waste, position.wasteCount, std::max(1, rules.cardsDealt));
    result.steps.push_back({StepKind::kStockTurned, kQuadrilleStockPile, kQuadrilleWastePile, first,
                            position.turned, true, position.waste[At(first)]});
  } else {
    const int returned = RecycleWaste(stock, position.waste, position.wasteCount);
    ++position.recyclesUsed;
    position.turned = 0;
    result.points = kRecyclePoints;
    result.steps.push_back({StepKind::kRecycled, kQuadrilleWastePile, kQuadrilleStockPile, 0,
                            returned, false, kNoCard});
  }
  return result;
}

MoveResult PlaceCard(QuadrillePosition& position, const Move& move) {
  MoveResult result;
  const Card card = position.waste[At(move.index)];
  position.waste[At(--position.wasteCount)] = kNoCard;
  position.turned = std::max(0, position.turned - 1);
  MoveStep step{StepKind::kMoved, move.from, move.to, 0, 1, true, card};
  if (move.to == kQuadrilleCentrePile) {
    step.index = position.centreCount;
    position.centre[At(position.centreCount++)] = card;
  } else if (const int six = SixOfPile(move.to); six >= 0) {
    position.sixes[At(six)] = card;
  } else {
    position.fives[At(FiveOfPile(move.to))] = card;
  }
  result.points = kPlacedPoints;
  result.steps.push_back(step);
  return result;
}

}  // namespace

QuadrillePosition EmptyQuadrillePosition() {
  QuadrillePosition position;
  position.sixes.fill(kNoCard);
  position.fives.fill(kNoCard);
  position.waste.fill(kNoCard);
  position.centre.fill(kNoCard);
  return position;
}

QuadrilleRules QuadrillePlayableRules(QuadrilleRules rules) {
  rules.cardsDealt = std::clamp(rules.cardsDealt, 1, 3);
  rules.recycles = PlayableRecycles(rules.recycles);
  return rules;
}

Card QuadrilleFoundationNeeds(const QuadrillePosition& position, int pile) {
  int rank = -1;
  int suit = -1;
  if (const int six = SixOfPile(pile); six >= 0) {
    // Six, Seven, ... Jack: the next rank up.
    const Card& top = position.sixes[At(six)];
    suit = SuitOf(six);
    rank = IsRealCard(top) ? NextRank(top.rank) : kSixRank;
  } else if (const int five = FiveOfPile(pile); five >= 0) {
    // Five, Four, Three, Two, Ace, King: the next rank down, the Ace wrapping to the King.
    const Card& top = position.fives[At(five)];
    suit = SuitOf(five);
    rank = IsRealCard(top) ? PreviousRank(top.rank) : kFiveRank;
  }
  // A Queen never goes onto a foundation: a Six foundation ends at the Jack, a Five at the King.
  if (suit < 0 || rank == kQueenRank) return kNoCard;
  return Card{suit, rank};
}

bool QuadrilleAccepts(const QuadrillePosition& position, int pile, const Card& card) {
  if (!IsRealCard(card)) return false;
  if (pile == kQuadrilleCentrePile)
    return IsQueen(card) && position.centreCount < kQuadrilleCentreSlots;
  return card == QuadrilleFoundationNeeds(position, pile);
}

// --- The deal ---------------------------------------------------------------------------------

QuadrillePosition QuadrillePrepareDeal(Deck& stock, const QuadrilleRules& rules,
                                       std::uint32_t seed) {
  QuadrillePosition position = EmptyQuadrillePosition();
  SeedRandom(seed);
  stock.SetCopies(1);
  stock.IncludeAll();
  stock.Shuffle();
  if (!rules.filledIn) return position;
  // The Fives, then the Sixes, then the Queens, each in the ring's suit order: every removal
  // reshuffles, so the order decides the deal.
  for (int f = 0; f < kQuadrilleFoundations; ++f) {
    position.fives[At(f)] = Card{SuitOf(f), kFiveRank};
    stock.RemoveCard(position.fives[At(f)]);
  }
  for (int f = 0; f < kQuadrilleFoundations; ++f) {
    position.sixes[At(f)] = Card{SuitOf(f), kSixRank};
    stock.RemoveCard(position.sixes[At(f)]);
  }
  for (int f = 0; f < kQuadrilleFoundations; ++f) {
    position.centre[At(f)] = Card{SuitOf(f), kQueenRank};
    stock.RemoveCard(position.centre[At(f)]);
  }
  position.centreCount = kQuadrilleCentreSlots;
  return position;
}

// --- Moves --------------------------------------------------------------------------------------

void QuadrilleLegalMoves(const QuadrillePosition& position, const Deck& stock,
                         const QuadrilleRules& rules, MoveList& moves) {
  moves.clear();
  if (StockClickDoesSomething(position, stock, rules))
    moves.push_back({MoveKind::kStock, kQuadrilleStockPile, 0, -1});
  if (position.wasteCount <= 0) return;
  const int top = position.wasteCount - 1;
  for (int pile = QuadrilleSixPile(0); pile < kQuadrillePileCount; ++pile) {
    const Move move{MoveKind::kCards, kQuadrilleWastePile, top, pile};
    if (CardMoveAllowed(position, move)) moves.push_back(move);
  }
}

bool QuadrilleIsLegal(const QuadrillePosition& position, const Deck& stock,
                      const QuadrilleRules& rules, const Move& move) {
  switch (move.kind) {
    case MoveKind::kStock:
      return move.from == kQuadrilleStockPile && StockClickDoesSomething(position, stock, rules);
    case MoveKind::kTurnUp:
    case MoveKind::kSelect:
      return false;
    case MoveKind::kCards:
      return CardMoveAllowed(position, move);
  }
  return false;
}

MoveResult QuadrilleApplyMove(QuadrillePosition& position, Deck& stock, const QuadrilleRules& rules,
                              const Move& move) {
  if (!QuadrilleIsLegal(position, stock, rules, move)) return {};
  if (move.kind == MoveKind::kStock) return TurnOrRecycle(position, stock, rules);
  return PlaceCard(position, move);
}

bool QuadrilleCanRecycle(const QuadrillePosition& position, const QuadrilleRules& rules) {
  // With the waste empty too every card is placed; a click must not cost 5 points for nothing.
  return position.wasteCount > 0 && RecycleLeft(rules.recycles, position.recyclesUsed);
}

// --- The hit lists and the end ------------------------------------------------------------------

ScreenPoint QuadrilleWasteTopPlace(const QuadrillePosition& position, const QuadrilleRules& rules) {
  const PileLayout& waste = kQuadrilleLayout[At(kQuadrilleWastePile)];
  if (rules.cardsDealt < 2) {
    // The single-card waste is a squared pile, one layer up and two pixels left for every ten
    // cards, as the card drawing lays it.
    const int layers = position.wasteCount / 10;
    return {waste.x - 2 * layers, waste.y - layers};
  }
  return waste.CardPlace(std::max(0, position.turned - 1));
}

void QuadrilleBuildHitLists(const QuadrillePosition& position, const QuadrilleRules& rules,
                            DragSourceList& sources, DropTargetList& targets, int cardWidth,
                            int cardHeight) {
  sources.Clear();
  targets.Clear();
  if (position.wasteCount > 0) {
    const int top = position.wasteCount - 1;
    const ScreenPoint place = QuadrilleWasteTopPlace(position, rules);
    sources.Add(place.x, place.y, &position.waste[At(top)], 1, kQuadrilleWastePile, top);
  }
  // The Five foundations, the Six foundations, then the centre: the double click sends a card to
  // the first that takes it, and only one ever does.
  const auto addTarget = [&](int pile) {
    const PileLayout& layout = kQuadrilleLayout[At(pile)];
    targets.Add(layout.x, layout.y, layout.x, layout.y, layout.x + cardWidth, layout.y + cardHeight,
                DropKindOf(layout.kind), pile);
  };
  for (int f = 0; f < kQuadrilleFoundations; ++f) addTarget(QuadrilleFivePile(f));
  for (int f = 0; f < kQuadrilleFoundations; ++f) addTarget(QuadrilleSixPile(f));
  addTarget(kQuadrilleCentrePile);
}

bool QuadrilleNoMovesLeft(const QuadrillePosition& position, const Deck& stock,
                          const QuadrilleRules& rules) {
  // Until the stock has been gone through once, its cards are still unknown ground.
  if (position.recyclesUsed == 0 && stock.Remaining() > 0) return false;
  // No card is placed without moving the waste's top card, and clicks alone change no pile a card
  // could go onto: moves are left exactly when some card the clicks can bring up can be placed.
  StockCandidates candidates;
  const int recyclesLeft = rules.recycles == kRecyclesUnlimited
                               ? 2
                               : std::max(0, rules.recycles - position.recyclesUsed);
  candidates.AddStockAndWaste(stock, position.waste, position.wasteCount,
                              std::max(1, rules.cardsDealt), recyclesLeft);
  // Each foundation takes one card next, and the centre any Queen: nine cards to look for.
  std::array<bool, kSuitCount * kRankCount> wanted{};
  for (int pile = QuadrilleSixPile(0); pile < kQuadrilleCentrePile; ++pile) {
    const Card needs = QuadrilleFoundationNeeds(position, pile);
    if (IsRealCard(needs)) wanted[At(needs.suit * kRankCount + needs.rank)] = true;
  }
  for (int k = 0; k < candidates.Count(); ++k) {
    const Card& card = candidates[k];
    if (wanted[At(card.suit * kRankCount + card.rank)] ||
        QuadrilleAccepts(position, kQuadrilleCentrePile, card))
      return false;
  }
  return true;
}

std::string QuadrilleTableKey(const QuadrillePosition& p, const Deck& stock,
                              const QuadrilleRules& rules) {
  std::string key;
  key.reserve(72);
  AppendStockAndWasteKey(key, stock, p.waste, p.wasteCount);
  for (const Card& top : p.sixes) key += CardKeyByte(top);
  for (const Card& top : p.fives) key += CardKeyByte(top);
  key += static_cast<char>(p.centreCount);
  // With unlimited recycles the count grows for ever and changes nothing.
  if (rules.recycles != kRecyclesUnlimited) key += static_cast<char>(p.recyclesUsed);
  return key;
}

bool QuadrilleCleared(const QuadrillePosition& position, const Deck& stock) {
  return stock.Remaining() == 0 && position.wasteCount == 0;
}

double QuadrilleScoreFactor(const QuadrilleRules& rules) {
  double factor = rules.filledIn ? 0.9 : 1.0;
  if (rules.cardsDealt == 2) factor *= 1.1;
  if (rules.cardsDealt == 3) factor *= 1.2;
  return factor;
}

// --- The snapshot block ------------------------------------------------------------------------

void WriteQuadrilleBlock(SnapshotWriter& out, const QuadrillePosition& position, int points,
                         int elapsedSeconds) {
  out.PutCards(position.centre);
  out.PutInt32(position.centreCount);
  out.PutCards(position.sixes);
  out.PutCards(position.fives);
  out.PutCards(position.waste);
  out.PutInt32(position.wasteCount);
  out.PutInt32(points);
  out.PutInt32(elapsedSeconds);
}

namespace {

// A foundation keeps only its top card: the cards under it run from its base card to the top, so
// a top its pile could never show (another suit, a rank past the pile's end) is refused first.
bool AddFoundations(CardTally& tally, const QuadrillePosition& p) {
  for (int f = 0; f < kQuadrilleFoundations; ++f) {
    const Card& six = p.sixes[At(f)];
    if (six != kNoCard) {
      const bool onPile = six.suit == SuitOf(f) && six.rank >= kSixRank && six.rank < kQueenRank;
      if (!onPile || !tally.AddBuiltPile(six, kSixRank, +1)) return false;
    }
    const Card& five = p.fives[At(f)];
    if (five != kNoCard) {
      const bool onPile =
          five.suit == SuitOf(f) && (five.rank <= kFiveRank || five.rank > kQueenRank);
      if (!onPile || !tally.AddBuiltPile(five, kFiveRank, -1)) return false;
    }
  }
  return true;
}

bool EveryCardOnce(const QuadrillePosition& p, const Deck& stock) {
  CardTally tally;
  if (!tally.AddStockAndWaste(stock, p.waste, p.wasteCount)) return false;
  for (int i = 0; i < p.centreCount; ++i)
    if (!IsQueen(p.centre[At(i)]) || !tally.Add(p.centre[At(i)])) return false;
  return AddFoundations(tally, p) && tally.Complete();
}

}  // namespace

std::optional<QuadrilleSnapshot> ReadQuadrilleBlock(SnapshotReader& in,
                                                    const QuadrillePosition& current,
                                                    const Deck& stock) {
  QuadrilleSnapshot snapshot;
  QuadrillePosition& position = snapshot.position;
  position = current;
  std::int32_t centreCount = 0, wasteCount = 0, points = 0, elapsed = 0;
  in.GetCards(position.centre);
  in.GetInt32(centreCount);
  in.GetCards(position.sixes);
  in.GetCards(position.fives);
  in.GetCards(position.waste);
  in.GetInt32(wasteCount);
  in.GetInt32(points);
  in.GetInt32(elapsed);
  // The block ends the snapshot: bytes after it mean a file of some other layout.
  if (!in.Finished() || elapsed < 0) return std::nullopt;
  if (!KeepCards(position.centre, centreCount) || !KeepCards(position.waste, wasteCount))
    return std::nullopt;
  position.centreCount = centreCount;
  position.wasteCount = wasteCount;
  if (!EveryCardOnce(position, stock)) return std::nullopt;
  position.turned = std::clamp(current.turned, 0, position.wasteCount);
  snapshot.points = points;
  snapshot.elapsedSeconds = elapsed;
  return snapshot;
}
