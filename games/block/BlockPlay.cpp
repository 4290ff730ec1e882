// Block Solitaire's rules as plain functions of the position: the game's mouse code, the snapshot
// reader and the tests' move-finder change a position only through these.
#include "games/block/BlockPlay.h"

#include "games/solitaire/TableKey.h"

namespace {

// Jacks, Queens and Kings (rank indexes 9, 10, 11) are not in the pack.
constexpr int kFirstCourtRank = 9, kLastCourtRank = 11;

std::size_t At(int index) {
  return static_cast<std::size_t>(index);
}

bool InPack(const Card& card) {
  return IsRealCard(card) && (card.rank < kFirstCourtRank || card.rank > kLastCourtRank);
}

bool IsSlot(int pile) {
  return pile >= 0 && pile < kBlockSlots;
}

bool MakesPair(const Card& a, const Card& b) {
  return IsRealCard(a) && IsRealCard(b) && BlockValue(a) + BlockValue(b) == kBlockPairTotal;
}

int FirstSelected(const BlockPosition& position) {
  for (int slot = 0; slot < kBlockSlots; ++slot)
    if (position.selected[At(slot)] != 0) return slot;
  return -1;
}

// The second selection settles at once: the pair goes, or the card just chosen is let go again.
void SettlePair(BlockPosition& p, Deck& stock, int chosen, MoveResult& result) {
  const int a = FirstSelected(p);
  int b = -1;
  for (int slot = a + 1; slot < kBlockSlots && b < 0; ++slot)
    if (p.selected[At(slot)] != 0) b = slot;
  // A position whose count disagrees with its flags (none the reader lets in) pairs nothing.
  if (a < 0 || b < 0 || !MakesPair(p.slots[At(a)], p.slots[At(b)])) {
    p.selected[At(chosen)] = 0;
    --p.selectedCount;
    result.steps.push_back(
        {StepKind::kUnselected, chosen, chosen, 0, 1, true, p.slots[At(chosen)]});
    return;
  }
  result.steps.push_back({StepKind::kPairRemoved, a, b, 0, 2, true, p.slots[At(a)]});
  for (int slot : {a, b}) {
    p.slots[At(slot)] = kNoCard;
    p.selected[At(slot)] = 0;
  }
  p.selectedCount -= 2;
  result.points = kBlockPairPoints;
  for (const MoveStep& step : BlockRefill(p, stock)) result.steps.push_back(step);
}

}  // namespace

BlockPosition EmptyBlockPosition() {
  BlockPosition position;
  position.slots.fill(kNoCard);
  return position;
}

// --- The deal ---------------------------------------------------------------------------------

void BlockPrepareDeal(Deck& stock, std::uint32_t seed) {
  SeedRandom(seed);
  stock.SetCopies(1);
  stock.IncludeAll();
  // Each removal reshuffles: the last one is the deal's shuffle.
  for (int rank = kFirstCourtRank; rank <= kLastCourtRank; ++rank) stock.RemoveRank(rank);
}

std::vector<MoveStep> BlockRefill(BlockPosition& position, Deck& stock) {
  std::vector<MoveStep> steps;
  for (int slot = 0; slot < kBlockSlots && stock.Remaining() > 0; ++slot) {
    if (IsRealCard(position.slots[At(slot)])) continue;
    const Card card = stock.DealCard();
    position.slots[At(slot)] = card;
    position.selected[At(slot)] = 0;
    steps.push_back({StepKind::kDealt, kBlockStockPile, slot, 0, 1, true, card});
  }
  return steps;
}

BlockPosition BlockDeal(Deck& stock, std::uint32_t seed) {
  BlockPosition position = EmptyBlockPosition();
  BlockPrepareDeal(stock, seed);
  BlockRefill(position, stock);
  return position;
}

// --- Moves --------------------------------------------------------------------------------------

bool BlockIsLegal(const BlockPosition& position, const Move& move) {
  if (move.kind != MoveKind::kSelect || !IsSlot(move.from)) return false;
  if (!IsRealCard(position.slots[At(move.from)])) return false;
  return position.selected[At(move.from)] != 0 || position.selectedCount < 2;
}

void BlockLegalMoves(const BlockPosition& position, MoveList& moves) {
  moves.clear();
  const int first = FirstSelected(position);
  for (int slot = 0; slot < kBlockSlots; ++slot) {
    const Card& card = position.slots[At(slot)];
    if (!IsRealCard(card)) continue;
    const bool offered =
        first < 0 || position.selected[At(slot)] != 0 ||
        (position.selectedCount == 1 && MakesPair(position.slots[At(first)], card));
    if (offered) moves.push_back({MoveKind::kSelect, slot, 0, -1});
  }
}

MoveResult BlockApplyMove(BlockPosition& position, Deck& stock, const Move& move) {
  MoveResult result;
  if (!BlockIsLegal(position, move)) return result;
  const int slot = move.from;
  const Card card = position.slots[At(slot)];
  if (position.selected[At(slot)] != 0) {
    position.selected[At(slot)] = 0;
    --position.selectedCount;
    result.steps.push_back({StepKind::kUnselected, slot, slot, 0, 1, true, card});
    return result;
  }
  position.selected[At(slot)] = 1;
  ++position.selectedCount;
  result.steps.push_back({StepKind::kSelected, slot, slot, 0, 1, true, card});
  if (position.selectedCount == 2) SettlePair(position, stock, slot, result);
  return result;
}

// --- The end ------------------------------------------------------------------------------------

int BlockSlotAt(int x, int y, int cardWidth, int cardHeight) {
  for (int slot = 0; slot < kBlockSlots; ++slot) {
    const PileLayout& layout = kBlockLayout[At(slot)];
    if (x >= layout.x && x <= layout.x + cardWidth && y >= layout.y && y <= layout.y + cardHeight)
      return slot;
  }
  return -1;
}

bool BlockNoMovesLeft(const BlockPosition& position, const Deck& stock) {
  bool gap = false;
  for (int a = 0; a < kBlockSlots; ++a) {
    const Card& card = position.slots[At(a)];
    gap = gap || !IsRealCard(card);
    for (int b = a + 1; b < kBlockSlots; ++b)
      if (MakesPair(card, position.slots[At(b)])) return false;
  }
  return !(gap && stock.Remaining() > 0);
}

bool BlockCleared(const BlockPosition& position, const Deck& stock) {
  if (stock.Remaining() > 0) return false;
  for (const Card& card : position.slots)
    if (IsRealCard(card)) return false;
  return true;
}

std::string BlockTableKey(const BlockPosition& position, const Deck& stock) {
  std::string key;
  key.reserve(56);
  AppendStockAndWasteKey(key, stock, {}, 0);
  for (int slot = 0; slot < kBlockSlots; ++slot)
    key += static_cast<char>(CardKeyByte(position.slots[At(slot)]) +
                             (position.selected[At(slot)] != 0 ? 64 : 0));
  return key;
}

// --- The snapshot block ------------------------------------------------------------------------

void WriteBlockSnapshotBlock(SnapshotWriter& out, const BlockPosition& position, int points,
                             int elapsedSeconds) {
  out.PutCards(position.slots);
  out.PutBytes(position.selected);
  out.PutInt32(position.selectedCount);
  out.PutInt32(points);
  out.PutInt32(elapsedSeconds);
}

namespace {

// The stock must be this game's pack: one copy of every card but the Jacks, Queens and Kings.
bool IsBlockPack(const Deck& stock) {
  if (stock.Copies() != 1) return false;
  for (int suit = 0; suit < kSuitCount; ++suit)
    for (int rank = 0; rank < kRankCount; ++rank)
      if (stock.IsPresent(Card{suit, rank}) != InPack(Card{suit, rank})) return false;
  return true;
}

// Each card of the pack lies at most once in the stock and the slots, and the cards in neither
// were taken out in pairs: as many of each value as of the value that makes 11 with it.
bool CardsAccountedFor(const BlockPosition& p, const Deck& stock) {
  std::array<int, kSuitCount * kRankCount> seen{};
  const auto add = [&seen](const Card& card) {
    if (!InPack(card)) return false;
    return ++seen[At(card.suit * kRankCount + card.rank)] == 1;
  };
  for (int i = 0; i < stock.Remaining(); ++i)
    if (!add(stock.PeekCard(i))) return false;
  for (const Card& card : p.slots)
    if (IsRealCard(card) && !add(card)) return false;
  std::array<int, kBlockPairTotal> removed{};
  for (int suit = 0; suit < kSuitCount; ++suit)
    for (int rank = 0; rank < kRankCount; ++rank) {
      const Card card{suit, rank};
      if (InPack(card) && seen[At(suit * kRankCount + rank)] == 0) ++removed[At(BlockValue(card))];
    }
  for (int value = 1; value < kBlockPairTotal; ++value)
    if (removed[At(value)] != removed[At(kBlockPairTotal - value)]) return false;
  return true;
}

}  // namespace

std::optional<BlockSnapshot> ReadBlockSnapshotBlock(SnapshotReader& in, const Deck& stock) {
  BlockSnapshot snapshot;
  BlockPosition& p = snapshot.position;
  std::int32_t count = 0, points = 0, elapsed = 0;
  in.GetCards(p.slots);
  const std::span<const std::uint8_t> flags = in.GetBytes(kBlockSlots);
  in.GetInt32(count);
  in.GetInt32(points);
  in.GetInt32(elapsed);
  // The block ends the snapshot: bytes after it mean a file of some other layout.
  if (!in.Finished() || elapsed < 0 || !IsBlockPack(stock)) return std::nullopt;
  int flagged = 0;
  bool gap = false;
  for (int slot = 0; slot < kBlockSlots; ++slot) {
    const Card& card = p.slots[At(slot)];
    const std::uint8_t flag = flags[At(slot)];
    if (card != kNoCard && !IsRealCard(card)) return std::nullopt;
    if (flag > 1 || (flag == 1 && card == kNoCard)) return std::nullopt;
    gap = gap || card == kNoCard;
    p.selected[At(slot)] = flag;
    flagged += flag;
  }
  // Two selected cards never outlast the move that selected the second.
  if (count != flagged || count > 1) return std::nullopt;
  // The refill leaves no gap while the stock holds a card.
  if (gap && stock.Remaining() > 0) return std::nullopt;
  if (!CardsAccountedFor(p, stock)) return std::nullopt;
  p.selectedCount = count;
  snapshot.points = points;
  snapshot.elapsedSeconds = elapsed;
  return snapshot;
}
