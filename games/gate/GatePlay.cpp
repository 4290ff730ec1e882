// Gate's rules as plain functions of the position: the game's mouse code, the snapshot reader and
// the tests' move-finder change a position only through these.
#include "games/gate/GatePlay.h"

#include <algorithm>

#include "games/solitaire/Building.h"
#include "games/solitaire/CardTally.h"
#include "games/solitaire/NoMovesSearch.h"
#include "games/solitaire/StockAndWaste.h"
#include "games/solitaire/TableKey.h"

namespace {

constexpr int kFromWasteOrPostToTableauPoints = 5;
constexpr int kFromWasteOrPostToFoundationPoints = 10;
constexpr int kTableauToFoundationPoints = 5;
// The waste thickens by one layer for every so many cards.
constexpr int kWasteCardsPerLayer = 5;

// Tables the no-moves search looks at before it gives up and says moves may be left.
constexpr std::size_t kNoMovesSearchLimit = 4000;

std::size_t At(int index) {
  return static_cast<std::size_t>(index);
}

bool IsRank(int rank) {
  return rank >= 0 && rank < kRankCount;
}

int PostOfPile(int pile) {
  const int post = pile - GatePostPile(0);
  return post >= 0 && post < kGatePosts ? post : -1;
}

int FoundationOfPile(int pile) {
  const int foundation = pile - GateFoundationPile(0);
  return foundation >= 0 && foundation < kGateFoundations ? foundation : -1;
}

int TableauOfPile(int pile) {
  const int t = pile - GateTableauPile(0);
  return t >= 0 && t < kGateTableauPiles ? t : -1;
}

const Card& TableauTop(const GatePosition& p, int t) {
  return p.tableau[At(t)][At(p.tableauCount[At(t)] - 1)];
}

// --- What a move may do -------------------------------------------------------------------------

// The cards a move would lift: where they lie and how many. Nothing for a pile or card that the
// player cannot pick up.
struct Lift {
  const Card* cards = nullptr;
  int count = 0;
  int tableau = -1;  // the tableau pile they come from; -1 for the waste or a post
};

std::optional<Lift> LiftFor(const GatePosition& p, const GateRules& rules, int pile, int index) {
  if (pile == kGateWastePile) {
    if (p.wasteCount <= 0 || index != p.wasteCount - 1) return std::nullopt;
    return Lift{&p.waste[At(index)], 1, -1};
  }
  const int post = PostOfPile(pile);
  if (post >= 0) {
    if (p.postCount[At(post)] <= 0 || index != p.postCount[At(post)] - 1) return std::nullopt;
    return Lift{&p.posts[At(post)][At(index)], 1, -1};
  }
  const int t = TableauOfPile(pile);
  if (t < 0) return std::nullopt;
  const int count = p.tableauCount[At(t)];
  if (index < 0 || index >= count) return std::nullopt;
  // Without MovePartial a press lifts the top card alone or the whole pile.
  if (!rules.movePartial && index != count - 1 && index != 0) return std::nullopt;
  return Lift{&p.tableau[At(t)][At(index)], count - index, t};
}

bool LandingAllowed(const GatePosition& p, const GateRules& rules, const Lift& lift, int from,
                    int to) {
  const Card& card = lift.cards[0];
  const int foundation = FoundationOfPile(to);
  if (foundation >= 0) {
    return lift.count == 1 && FoundationTakes(card, p.foundations[At(foundation)], p.startRank);
  }
  const int t = TableauOfPile(to);
  if (t < 0 || t == lift.tableau) return false;
  const int count = p.tableauCount[At(t)];
  if (count + lift.count > kGateTableauSlots) return false;
  // A blank pile is the posts' to fill; from anywhere else only with FillFromWaste.
  if (count == 0) return PostOfPile(from) >= 0 || rules.fillFromWaste;
  return BuildsDownAlternating(card, TableauTop(p, t), p.startRank);
}

void AddCardMoves(const GatePosition& p, const GateRules& rules, int from, int index,
                  MoveList& moves) {
  const std::optional<Lift> lift = LiftFor(p, rules, from, index);
  if (!lift) return;
  for (int f = 0; f < kGateFoundations; ++f)
    if (LandingAllowed(p, rules, *lift, from, GateFoundationPile(f)))
      moves.push_back({MoveKind::kCards, from, index, GateFoundationPile(f)});
  for (int t = 0; t < kGateTableauPiles; ++t)
    if (LandingAllowed(p, rules, *lift, from, GateTableauPile(t)))
      moves.push_back({MoveKind::kCards, from, index, GateTableauPile(t)});
}

bool StockClickDoesSomething(const GatePosition& p, const Deck& stock, const GateRules& rules) {
  if (stock.Remaining() > 0) return p.wasteCount < kGateWasteSlots;
  return GateCanRecycle(p, rules);
}

MoveResult MoveCards(GatePosition& p, const GateRules& rules, const Move& move) {
  MoveResult result;
  const std::optional<Lift> lift = LiftFor(p, rules, move.from, move.index);
  if (!lift) return result;
  std::array<Card, kMaxCarriedCards> hand{};
  const int count = lift->count;
  std::copy_n(lift->cards, count, hand.begin());
  const int post = PostOfPile(move.from);
  if (move.from == kGateWastePile) {
    p.waste[At(--p.wasteCount)] = kNoCard;
  } else if (post >= 0) {
    p.posts[At(post)][At(--p.postCount[At(post)])] = kNoCard;
  } else {
    auto& pile = p.tableau[At(lift->tableau)];
    std::fill(pile.begin() + move.index, pile.begin() + move.index + count, kNoCard);
    p.tableauCount[At(lift->tableau)] = move.index;
  }

  const bool fromTableau = lift->tableau >= 0;
  MoveStep step{StepKind::kMoved, move.from, move.to, 0, count, true, hand[0]};
  const int foundation = FoundationOfPile(move.to);
  if (foundation >= 0) {
    p.foundations[At(foundation)] = hand[0];
    result.points = fromTableau ? kTableauToFoundationPoints : kFromWasteOrPostToFoundationPoints;
  } else {
    const int t = TableauOfPile(move.to);
    int& size = p.tableauCount[At(t)];
    step.index = size;
    for (int i = 0; i < count; ++i) p.tableau[At(t)][At(size++)] = hand[At(i)];
    result.points = fromTableau ? 0 : kFromWasteOrPostToTableauPoints;
  }
  result.steps.push_back(step);
  return result;
}

// --- The no-moves analysis ---------------------------------------------------------------------

// A move that gets the deal somewhere: a card home, or a card from the waste or a post into
// play. Nothing in Gate lies face down, so moves between tableau piles only shift cards about.
bool IsProgress(const Move& move) {
  if (move.kind != MoveKind::kCards) return false;
  return FoundationOfPile(move.to) >= 0 || move.from == kGateWastePile ||
         PostOfPile(move.from) >= 0;
}

bool SomeCandidatePlays(const GatePosition& p, const GateRules& rules,
                        const StockCandidates& candidates) {
  const bool foundationEmpty =
      std::find(p.foundations.begin(), p.foundations.end(), kNoCard) != p.foundations.end();
  bool tableauEmpty = false;
  for (int count : p.tableauCount) tableauEmpty = tableauEmpty || count == 0;
  for (int k = 0; k < candidates.Count(); ++k) {
    const Card& card = candidates[k];
    if (card.rank == p.startRank && foundationEmpty) return true;
    if (tableauEmpty && rules.fillFromWaste) return true;
    for (const Card& top : p.foundations)
      if (BuildsUpInSuit(card, top, p.startRank)) return true;
    for (int t = 0; t < kGateTableauPiles; ++t)
      if (p.tableauCount[At(t)] > 0 && BuildsDownAlternating(card, TableauTop(p, t), p.startRank))
        return true;
  }
  return false;
}

}  // namespace

GatePosition EmptyGatePosition(int startRank) {
  GatePosition p;
  p.startRank = startRank;
  p.foundations.fill(kNoCard);
  p.waste.fill(kNoCard);
  for (auto& post : p.posts) post.fill(kNoCard);
  for (auto& pile : p.tableau) pile.fill(kNoCard);
  return p;
}

GateRules GatePlayableRules(GateRules rules) {
  rules.recycles = PlayableRecycles(rules.recycles);
  if (!IsRank(rules.startCard)) rules.startCard = kStartCardNextFromDeck;
  return rules;
}

ScreenPoint GateWasteTop(int wasteCount) {
  const int layers = std::max(0, wasteCount) / kWasteCardsPerLayer;
  return {kGateWasteX - 2 * layers, kGateWasteY - layers};
}

// --- The deal ---------------------------------------------------------------------------------

GatePosition GatePrepareDeal(Deck& stock, const GateRules& rules, std::uint32_t seed) {
  const GateRules playable = GatePlayableRules(rules);
  GatePosition p = EmptyGatePosition(playable.startCard);

  SeedRandom(seed);
  stock.SetCopies(1);
  stock.IncludeAll();
  stock.Shuffle();
  if (playable.filledIn) {
    if (p.startRank == kStartCardNextFromDeck) p.startRank = stock.PeekCard(0).rank;
    for (int s = 0; s < kSuitCount; ++s) {
      p.foundations[At(s)] = Card{s, p.startRank};
      stock.RemoveCard(p.foundations[At(s)]);
    }
  } else if (p.startRank == kStartCardNextFromDeck) {
    p.foundations[0] = stock.DealCard();
    p.startRank = p.foundations[0].rank;
  }
  return p;
}

std::vector<MoveStep> GateDealTable(GatePosition& p, Deck& stock) {
  std::vector<MoveStep> steps;
  steps.reserve(kGatePosts * kGatePostSlots + kGateTableauPiles);
  const auto deal = [&](int pile, Card& slot, int& count) {
    const Card card = stock.DealCard();
    if (!IsRealCard(card)) return false;
    steps.push_back({StepKind::kDealt, kGateStockPile, pile, count, 1, true, card});
    slot = card;
    ++count;
    return true;
  };
  for (int slot = 0; slot < kGatePostSlots; ++slot) {
    for (int post = 0; post < kGatePosts; ++post) {
      int& count = p.postCount[At(post)];
      if (!deal(GatePostPile(post), p.posts[At(post)][At(count)], count)) return steps;
    }
  }
  for (int t = 0; t < kGateTableauPiles; ++t) {
    int& count = p.tableauCount[At(t)];
    if (!deal(GateTableauPile(t), p.tableau[At(t)][At(count)], count)) return steps;
  }
  return steps;
}

// --- Moves --------------------------------------------------------------------------------------

void GateLegalMoves(const GatePosition& p, const Deck& stock, const GateRules& rules,
                    MoveList& moves) {
  moves.clear();
  if (StockClickDoesSomething(p, stock, rules))
    moves.push_back({MoveKind::kStock, kGateStockPile, 0, -1});
  if (p.wasteCount > 0) AddCardMoves(p, rules, kGateWastePile, p.wasteCount - 1, moves);
  for (int post = 0; post < kGatePosts; ++post)
    if (p.postCount[At(post)] > 0)
      AddCardMoves(p, rules, GatePostPile(post), p.postCount[At(post)] - 1, moves);
  for (int t = 0; t < kGateTableauPiles; ++t)
    for (int i = p.tableauCount[At(t)] - 1; i >= 0; --i)
      AddCardMoves(p, rules, GateTableauPile(t), i, moves);
}

bool GateIsLegal(const GatePosition& p, const Deck& stock, const GateRules& rules,
                 const Move& move) {
  switch (move.kind) {
    case MoveKind::kStock:
      return move.from == kGateStockPile && StockClickDoesSomething(p, stock, rules);
    case MoveKind::kTurnUp:
      return false;  // nothing in Gate lies face down
    case MoveKind::kSelect:
      return false;
    case MoveKind::kCards: {
      const std::optional<Lift> lift = LiftFor(p, rules, move.from, move.index);
      return lift && LandingAllowed(p, rules, *lift, move.from, move.to);
    }
  }
  return false;
}

MoveResult GateApplyMove(GatePosition& p, Deck& stock, const GateRules& rules, const Move& move) {
  MoveResult result;
  if (!GateIsLegal(p, stock, rules, move)) return result;
  if (move.kind == MoveKind::kCards) return MoveCards(p, rules, move);
  if (stock.Remaining() > 0) {
    const int first = p.wasteCount;
    const int turned = TurnFromStock(stock, p.waste, p.wasteCount, 1);
    result.steps.push_back({StepKind::kStockTurned, kGateStockPile, kGateWastePile, first, turned,
                            true, p.waste[At(first)]});
  } else {
    const int returned = RecycleWaste(stock, p.waste, p.wasteCount);
    ++p.recyclesUsed;
    result.steps.push_back(
        {StepKind::kRecycled, kGateWastePile, kGateStockPile, 0, returned, false, kNoCard});
  }
  return result;
}

bool GateCanRecycle(const GatePosition& p, const GateRules& rules) {
  // With the waste empty too there is nothing to turn back, and the click would only use up a
  // recycle.
  return p.wasteCount > 0 && RecycleLeft(rules.recycles, p.recyclesUsed);
}

// --- The hit lists and the end ------------------------------------------------------------------

void GateBuildHitLists(const GatePosition& p, const GateRules& rules, DragSourceList& sources,
                       DropTargetList& targets, int cardWidth, int cardHeight) {
  sources.Clear();
  targets.Clear();
  if (p.wasteCount > 0) {
    const ScreenPoint top = GateWasteTop(p.wasteCount);
    sources.Add(top.x, top.y, &p.waste[At(p.wasteCount - 1)], 1, kGateWastePile, p.wasteCount - 1);
  }
  for (int post = 0; post < kGatePosts; ++post) {
    const int count = p.postCount[At(post)];
    if (count <= 0) continue;
    const int pile = GatePostPile(post);
    const ScreenPoint place = kGateLayout[At(pile)].CardPlace(count - 1);
    sources.Add(place.x, place.y, &p.posts[At(post)][At(count - 1)], 1, pile, count - 1);
  }
  // The top card first: a click on it finds it alone; a click on the visible strip of a lower
  // card misses it and finds the run that starts lower down (or the whole pile).
  for (int t = 0; t < kGateTableauPiles; ++t) {
    const int count = p.tableauCount[At(t)];
    if (count <= 0) continue;
    const int pile = GateTableauPile(t);
    const auto addRun = [&](int from) {
      const ScreenPoint place = kGateLayout[At(pile)].CardPlace(from);
      sources.Add(place.x, place.y, &p.tableau[At(t)][At(from)], count - from, pile, from);
    };
    addRun(count - 1);
    if (!rules.movePartial) {
      addRun(0);
    } else {
      for (int i = count - 2; i >= 0; --i) addRun(i);
    }
  }

  for (int f = 0; f < kGateFoundations; ++f) {
    const int pile = GateFoundationPile(f);
    const PileLayout& layout = kGateLayout[At(pile)];
    targets.Add(layout.x, layout.y, layout.x, layout.y, layout.x + cardWidth, layout.y + cardHeight,
                DropKindOf(layout.kind), pile);
  }
  for (int t = 0; t < kGateTableauPiles; ++t) {
    const int pile = GateTableauPile(t);
    const PileLayout& layout = kGateLayout[At(pile)];
    const ScreenPoint next = layout.CardPlace(p.tableauCount[At(t)]);
    targets.Add(next.x, next.y, next.x, next.y, next.x + cardWidth, next.y + cardHeight,
                DropKindOf(layout.kind), pile);
  }
}

bool GateNoMovesLeft(const GatePosition& p, const Deck& stock, const GateRules& rules) {
  // Until the stock has been gone through once, its cards are still unknown ground.
  if (p.recyclesUsed == 0 && stock.Remaining() > 0) return false;
  // A post card can always fill a blank pile.
  const bool postHolds = p.postCount[0] > 0 || p.postCount[1] > 0;
  for (int count : p.tableauCount)
    if (postHolds && count == 0) return false;
  // The quick answers: a card the stock and waste can bring up that plays somewhere.
  StockCandidates candidates;
  candidates.AddStockAndWaste(stock, p.waste, p.wasteCount, 1,
                              CandidateRecycles(rules.recycles, p.recyclesUsed));
  if (SomeCandidatePlays(p, rules, candidates)) return false;

  // Then every table the stock turns, the recycles and the runs shifted between piles can reach.
  return NoProgressReachable(
      p, stock, rules,
      RulePath<GatePosition, GateRules>{&GateLegalMoves, &GateApplyMove, &GateTableKey},
      kNoMovesSearchLimit, [](const GatePosition&, const Move& move) { return IsProgress(move); });
}

std::string GateTableKey(const GatePosition& p, const Deck& stock, const GateRules& rules) {
  std::string key;
  key.reserve(96);
  AppendStockAndWasteKey(key, stock, p.waste, p.wasteCount);
  for (const Card& top : p.foundations) key += CardKeyByte(top);
  for (int post = 0; post < kGatePosts; ++post) {
    key += '|';
    for (int i = 0; i < p.postCount[At(post)]; ++i) key += CardKeyByte(p.posts[At(post)][At(i)]);
  }
  for (int t = 0; t < kGateTableauPiles; ++t) {
    key += '|';
    for (int i = 0; i < p.tableauCount[At(t)]; ++i) key += CardKeyByte(p.tableau[At(t)][At(i)]);
  }
  // With unlimited recycles the count grows for ever and changes nothing.
  if (rules.recycles != kRecyclesUnlimited) key += static_cast<char>(p.recyclesUsed);
  return key;
}

bool GateCleared(const GatePosition& p, const Deck& stock) {
  if (stock.Remaining() > 0 || p.wasteCount > 0) return false;
  for (int count : p.postCount)
    if (count > 0) return false;
  for (int count : p.tableauCount)
    if (count > 0) return false;
  return true;
}

double GateScoreFactor(const GateRules& rules) {
  double factor = rules.movePartial ? 0.95 : 1.0;
  if (rules.filledIn) factor *= 0.9;
  if (rules.fillFromWaste) factor *= 0.75;
  return factor;
}

// --- The snapshot block ------------------------------------------------------------------------

void WriteGateBlock(SnapshotWriter& out, const GatePosition& p, int points, int elapsedSeconds) {
  out.PutInt32(p.startRank);
  out.PutCards(p.foundations);
  out.PutCards(p.waste);
  out.PutInt32(p.wasteCount);
  for (const auto& post : p.posts) out.PutCards(post);
  for (int count : p.postCount) out.PutInt32(count);
  for (const auto& pile : p.tableau) out.PutCards(pile);
  for (int count : p.tableauCount) out.PutInt32(count);
  out.PutInt32(points);
  out.PutInt32(p.recyclesUsed);
  out.PutInt32(elapsedSeconds);
}

namespace {

bool EveryCardOnce(const GatePosition& p, const Deck& stock) {
  CardTally tally;
  if (!tally.AddStockAndWaste(stock, p.waste, p.wasteCount)) return false;
  for (int post = 0; post < kGatePosts; ++post)
    if (!tally.AddPile(p.posts[At(post)], p.postCount[At(post)])) return false;
  for (int t = 0; t < kGateTableauPiles; ++t)
    if (!tally.AddPile(p.tableau[At(t)], p.tableauCount[At(t)])) return false;
  return tally.AddFoundations(p.foundations, p.startRank) && tally.Complete();
}

}  // namespace

std::optional<GateSnapshot> ReadGateBlock(SnapshotReader& in, const Deck& stock) {
  GateSnapshot snapshot;
  GatePosition& p = snapshot.position;
  p = EmptyGatePosition(kAceRank);
  std::int32_t startRank = 0, wasteCount = 0, points = 0, recyclesUsed = 0, elapsed = 0;
  std::array<std::int32_t, kGatePosts> postCount{};
  std::array<std::int32_t, kGateTableauPiles> tableauCount{};
  in.GetInt32(startRank);
  in.GetCards(p.foundations);
  in.GetCards(p.waste);
  in.GetInt32(wasteCount);
  for (auto& post : p.posts) in.GetCards(post);
  for (auto& count : postCount) in.GetInt32(count);
  for (auto& pile : p.tableau) in.GetCards(pile);
  for (auto& count : tableauCount) in.GetInt32(count);
  in.GetInt32(points);
  in.GetInt32(recyclesUsed);
  in.GetInt32(elapsed);
  // The block ends the snapshot: bytes after it mean a file of some other layout.
  if (!in.Finished()) return std::nullopt;

  if (!IsRank(startRank) || recyclesUsed < 0 || elapsed < 0) return std::nullopt;
  p.startRank = startRank;
  p.recyclesUsed = recyclesUsed;
  p.wasteCount = wasteCount;
  if (!KeepCards(p.waste, wasteCount)) return std::nullopt;
  for (int post = 0; post < kGatePosts; ++post) {
    p.postCount[At(post)] = postCount[At(post)];
    if (!KeepCards(p.posts[At(post)], postCount[At(post)])) return std::nullopt;
  }
  for (int t = 0; t < kGateTableauPiles; ++t) {
    p.tableauCount[At(t)] = tableauCount[At(t)];
    if (!KeepCards(p.tableau[At(t)], tableauCount[At(t)])) return std::nullopt;
  }
  for (const Card& top : p.foundations)
    if (top != kNoCard && !IsRealCard(top)) return std::nullopt;
  if (!EveryCardOnce(p, stock)) return std::nullopt;
  // The waste must have room for the whole stock, as it always has in a deal.
  if (stock.Remaining() + p.wasteCount > kGateWasteSlots) return std::nullopt;
  snapshot.points = points;
  snapshot.elapsedSeconds = elapsed;
  return snapshot;
}
