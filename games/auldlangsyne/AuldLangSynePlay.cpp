// Auld Lang Syne's rules as plain functions of the position: the game's mouse code, the snapshot
// reader and the tests' move-finder change a position only through these.
#include "games/auldlangsyne/AuldLangSynePlay.h"

#include <algorithm>

#include "games/solitaire/Building.h"
#include "games/solitaire/CardTally.h"
#include "games/solitaire/TableKey.h"

namespace {

constexpr int kPlacedPoints = 5;
constexpr int kDefaultStartRank = 12;  // the Ace

std::size_t At(int index) {
  return static_cast<std::size_t>(index);
}

int TableauOfPile(int pile) {
  const int t = pile - AlsTableauPile(0);
  return t >= 0 && t < kAlsTableauPiles ? t : -1;
}

int FoundationOfPile(int pile) {
  const int f = pile - AlsFoundationPile(0);
  return f >= 0 && f < kAlsFoundations ? f : -1;
}

const Card* TopOf(const AuldLangSynePosition& position, int t) {
  const int count = position.tableauCount[At(t)];
  return count > 0 ? &position.tableau[At(t)][At(count - 1)] : nullptr;
}

// Only a tableau pile's top card moves, and only onto a foundation that takes it.
bool CardMoveAllowed(const AuldLangSynePosition& position, const Move& move) {
  const int t = TableauOfPile(move.from);
  const int f = FoundationOfPile(move.to);
  if (t < 0 || f < 0) return false;
  const Card* top = TopOf(position, t);
  return top != nullptr && move.index == position.tableauCount[At(t)] - 1 &&
         AuldLangSyneAccepts(position, f, *top);
}

}  // namespace

AuldLangSynePosition EmptyAuldLangSynePosition() {
  AuldLangSynePosition position;
  position.foundations.fill(kNoCard);
  for (auto& pile : position.tableau) pile.fill(kNoCard);
  return position;
}

AuldLangSyneRules AuldLangSynePlayableRules(AuldLangSyneRules rules) {
  if (rules.startCard < -1 || rules.startCard >= kRankCount) rules.startCard = kDefaultStartRank;
  return rules;
}

bool AuldLangSyneAccepts(const AuldLangSynePosition& position, int f, const Card& card) {
  if (f < 0 || f >= kAlsFoundations || !IsRealCard(card)) return false;
  const Card& top = position.foundations[At(f)];
  if (top == kNoCard) return card.rank == position.startRank;
  // Suits do not matter; the start rank only begins a pile.
  return card.rank != position.startRank && card.rank == NextRank(top.rank);
}

// --- The deal ---------------------------------------------------------------------------------

AuldLangSynePosition AuldLangSynePrepareDeal(Deck& stock, const AuldLangSyneRules& rules,
                                             std::uint32_t seed) {
  AuldLangSynePosition position = EmptyAuldLangSynePosition();
  SeedRandom(seed);
  stock.SetCopies(1);
  stock.IncludeAll();
  stock.Shuffle();
  position.startRank = rules.startCard;
  if (rules.filledIn) {
    // The next card only names the rank: the four cards of that rank are put out below, so
    // dealing it onto a foundation first would lose it.
    if (position.startRank < 0) position.startRank = stock.PeekCard(0).rank;
    for (int f = 0; f < kAlsFoundations; ++f) {
      position.foundations[At(f)] = Card{f, position.startRank};
      stock.RemoveCard(position.foundations[At(f)]);
    }
  } else if (position.startRank < 0) {
    position.foundations[0] = stock.DealCard();
    position.startRank = position.foundations[0].rank;
  }
  return position;
}

std::vector<MoveStep> AuldLangSyneDealRound(AuldLangSynePosition& position, Deck& stock) {
  std::vector<MoveStep> steps;
  for (int t = 0; t < kAlsTableauPiles && stock.Remaining() > 0; ++t) {
    int& count = position.tableauCount[At(t)];
    // A full pile cannot take another card; the snapshot reader refuses tables that would need it.
    if (count >= kAlsTableauSlots) break;
    const Card card = stock.DealCard();
    position.tableau[At(t)][At(count)] = card;
    steps.push_back({StepKind::kDealt, kAlsStockPile, AlsTableauPile(t), count, 1, true, card});
    ++count;
  }
  return steps;
}

// --- Moves --------------------------------------------------------------------------------------

int AuldLangSyneTargetOf(const AuldLangSynePosition& position, int t) {
  if (t < 0 || t >= kAlsTableauPiles) return -1;
  const Card* top = TopOf(position, t);
  if (top == nullptr) return -1;
  for (int f = 0; f < kAlsFoundations; ++f)
    if (AuldLangSyneAccepts(position, f, *top)) return f;
  return -1;
}

void AuldLangSyneLegalMoves(const AuldLangSynePosition& position, const Deck& stock,
                            MoveList& moves) {
  moves.clear();
  if (stock.Remaining() > 0) moves.push_back({MoveKind::kStock, kAlsStockPile, 0, -1});
  for (int t = 0; t < kAlsTableauPiles; ++t) {
    const int f = AuldLangSyneTargetOf(position, t);
    if (f >= 0)
      moves.push_back({MoveKind::kCards, AlsTableauPile(t), position.tableauCount[At(t)] - 1,
                       AlsFoundationPile(f)});
  }
}

bool AuldLangSyneIsLegal(const AuldLangSynePosition& position, const Move& move) {
  switch (move.kind) {
    case MoveKind::kStock:
      return move.from == kAlsStockPile;
    case MoveKind::kTurnUp:
    case MoveKind::kSelect:
      return false;
    case MoveKind::kCards:
      return CardMoveAllowed(position, move);
  }
  return false;
}

MoveResult AuldLangSyneApplyMove(AuldLangSynePosition& position, Deck& stock, const Move& move) {
  MoveResult result;
  if (!AuldLangSyneIsLegal(position, move)) return result;
  if (move.kind == MoveKind::kStock) {
    result.steps = AuldLangSyneDealRound(position, stock);
    return result;
  }
  const int t = TableauOfPile(move.from);
  int& count = position.tableauCount[At(t)];
  const Card card = position.tableau[At(t)][At(--count)];
  position.tableau[At(t)][At(count)] = kNoCard;
  position.foundations[At(FoundationOfPile(move.to))] = card;
  result.points = kPlacedPoints;
  result.steps.push_back({StepKind::kMoved, move.from, move.to, count, 1, true, card});
  return result;
}

// --- The hit lists and the end ------------------------------------------------------------------

void AuldLangSyneBuildHitLists(DropTargetList& targets, int cardWidth, int cardHeight) {
  targets.Clear();
  for (int f = 0; f < kAlsFoundations; ++f) {
    const PileLayout& layout = kAlsLayout[At(AlsFoundationPile(f))];
    targets.Add(layout.x, layout.y, layout.x, layout.y, layout.x + cardWidth, layout.y + cardHeight,
                DropKindOf(layout.kind), AlsFoundationPile(f));
  }
}

bool AuldLangSyneNoMovesLeft(const AuldLangSynePosition& position, const Deck& stock) {
  if (stock.Remaining() > 0) return false;
  for (int t = 0; t < kAlsTableauPiles; ++t)
    if (AuldLangSyneTargetOf(position, t) >= 0) return false;
  return true;
}

std::string AuldLangSyneTableKey(const AuldLangSynePosition& p, const Deck& stock) {
  std::string key;
  key.reserve(64);
  AppendStockAndWasteKey(key, stock, {}, 0);
  // Suits on the foundations never matter again, and which foundation holds which run neither:
  // the sorted top ranks say all the rules can see.
  std::array<int, kAlsFoundations> ranks{};
  for (int f = 0; f < kAlsFoundations; ++f) ranks[At(f)] = p.foundations[At(f)].rank;
  std::sort(ranks.begin(), ranks.end());
  for (const int rank : ranks) key += static_cast<char>(rank + 2);
  for (int t = 0; t < kAlsTableauPiles; ++t) {
    for (int i = 0; i < p.tableauCount[At(t)]; ++i) key += CardKeyByte(p.tableau[At(t)][At(i)]);
    key += '|';
  }
  return key;
}

bool AuldLangSyneCleared(const AuldLangSynePosition& position, const Deck& stock) {
  return stock.Remaining() == 0 &&
         std::all_of(position.tableauCount.begin(), position.tableauCount.end(),
                     [](int count) { return count == 0; });
}

double AuldLangSyneScoreFactor(const AuldLangSyneRules& rules) {
  return rules.filledIn ? 0.75 : 1.0;
}

// --- The snapshot block ------------------------------------------------------------------------

void WriteAuldLangSyneBlock(SnapshotWriter& out, const AuldLangSynePosition& position, int points,
                            int elapsedSeconds) {
  out.PutCards(position.foundations);
  for (const auto& pile : position.tableau) out.PutCards(pile);
  for (const int count : position.tableauCount) out.PutInt32(count);
  out.PutInt32(points);
  out.PutInt32(elapsedSeconds);
}

namespace {

// The foundations build regardless of suit, so a top card tells how many cards lie under it and
// of which ranks, but not which suits. The cards the table shows (stock, tableau, tops) must be
// distinct, and for every rank the cards of it not shown must be exactly as many as the
// foundations' runs hold under their tops: then some choice of suits makes the table real.
bool EveryCardOnce(const AuldLangSynePosition& p, const Deck& stock) {
  if (p.startRank < 0 || p.startRank >= kRankCount) return false;
  CardTally tally;
  std::array<int, kRankCount> shown{};  // stock and tableau cards of each rank
  for (int i = 0; i < stock.Remaining(); ++i) {
    const Card card = stock.PeekCard(i);
    if (!tally.Add(card)) return false;
    ++shown[At(card.rank)];
  }
  for (int t = 0; t < kAlsTableauPiles; ++t) {
    for (int i = 0; i < p.tableauCount[At(t)]; ++i) {
      const Card& card = p.tableau[At(t)][At(i)];
      // Every tableau card was dealt from this deck.
      if (!stock.IsPresent(card) || !tally.Add(card)) return false;
      ++shown[At(card.rank)];
    }
  }
  std::array<int, kRankCount> onFoundations{};
  for (const Card& top : p.foundations) {
    if (top == kNoCard) continue;
    if (!tally.Add(top)) return false;
    for (int k = 0, rank = p.startRank; k < FoundationDepth(top, p.startRank);
         ++k, rank = NextRank(rank))
      ++onFoundations[At(rank)];
  }
  for (int rank = 0; rank < kRankCount; ++rank)
    if (shown[At(rank)] + onFoundations[At(rank)] != kSuitCount) return false;
  return true;
}

// Every click deals from pile 0 on, one card a pile: the stock left must fit on the piles.
bool StockFits(const AuldLangSynePosition& p, const Deck& stock) {
  const int rounds = stock.Remaining() / kAlsTableauPiles;
  const int extra = stock.Remaining() % kAlsTableauPiles;
  for (int t = 0; t < kAlsTableauPiles; ++t)
    if (p.tableauCount[At(t)] + rounds + (t < extra ? 1 : 0) > kAlsTableauSlots) return false;
  return true;
}

}  // namespace

std::optional<AuldLangSyneSnapshot> ReadAuldLangSyneBlock(SnapshotReader& in,
                                                          const AuldLangSynePosition& current,
                                                          const Deck& stock) {
  AuldLangSyneSnapshot snapshot;
  AuldLangSynePosition& position = snapshot.position;
  position = current;
  std::array<std::int32_t, kAlsTableauPiles> counts{};
  std::int32_t points = 0, elapsed = 0;
  in.GetCards(position.foundations);
  for (auto& pile : position.tableau) in.GetCards(pile);
  for (std::int32_t& count : counts) in.GetInt32(count);
  in.GetInt32(points);
  in.GetInt32(elapsed);
  // The block ends the snapshot: bytes after it mean a file of some other layout.
  if (!in.Finished() || elapsed < 0) return std::nullopt;
  for (const Card& top : position.foundations)
    if (top != kNoCard && !IsRealCard(top)) return std::nullopt;
  for (int t = 0; t < kAlsTableauPiles; ++t) {
    if (!KeepCards(position.tableau[At(t)], counts[At(t)])) return std::nullopt;
    position.tableauCount[At(t)] = counts[At(t)];
  }
  if (!EveryCardOnce(position, stock) || !StockFits(position, stock)) return std::nullopt;
  snapshot.points = points;
  snapshot.elapsedSeconds = elapsed;
  return snapshot;
}
