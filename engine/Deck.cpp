// The deck: composition, rejection-sampling shuffle, dealing, and its checked image.
#include "engine/Deck.h"

#include <ctime>

#include "engine/GameServices.h"

namespace {

// Which deal a seed produces depends on these constants and on the order of the draws in
// Shuffle; changing either deals every seed differently.
constexpr std::uint32_t kRandomMultiplier = 214013;
constexpr std::uint32_t kRandomIncrement = 2531011;

thread_local std::uint32_t tRandomState = 1;

constexpr std::size_t kPresentOffset = 0;
constexpr std::size_t kInStockOffset = kPresentOffset + kSuitCount * kRankCount;
constexpr std::size_t kOrderOffset = kInStockOffset + kSuitCount * kRankCount;
constexpr std::size_t kNextIndexOffset = kOrderOffset + kDeckCardSlots * 8;
constexpr std::size_t kRemainingOffset = kNextIndexOffset + 4;
constexpr std::size_t kTotalOffset = kRemainingOffset + 4;
constexpr std::size_t kCopiesOffset = kTotalOffset + 4;
static_assert(kCopiesOffset + 4 == kDeckImageSize, "the deck's image is 952 bytes");

void PutInt32(std::uint8_t* out, std::int32_t number) {
  const auto bits = static_cast<std::uint32_t>(number);
  out[0] = static_cast<std::uint8_t>(bits);
  out[1] = static_cast<std::uint8_t>(bits >> 8);
  out[2] = static_cast<std::uint8_t>(bits >> 16);
  out[3] = static_cast<std::uint8_t>(bits >> 24);
}

std::int32_t GetInt32(const std::uint8_t* in) {
  const std::uint32_t bits = std::uint32_t{in[0]} | (std::uint32_t{in[1]} << 8) |
                             (std::uint32_t{in[2]} << 16) | (std::uint32_t{in[3]} << 24);
  return static_cast<std::int32_t>(bits);
}

}  // namespace

void SeedRandom(std::uint32_t seed) {
  tRandomState = seed;
}

int DrawRandom() {
  tRandomState = tRandomState * kRandomMultiplier + kRandomIncrement;
  return static_cast<int>((tRandomState >> 16) & 0x7FFF);
}

std::uint32_t NextDealSeed() {
  const std::optional<std::uint32_t>& seed = TheGameServices().dealSeed;
  return seed ? *seed : static_cast<std::uint32_t>(std::time(nullptr));
}

Deck::Deck() {
  present_.fill(1);
  inStock_.fill(0);
  order_.fill(kNoCard);
  SeedRandom(NextDealSeed());
}

int Deck::PresentCount() const {
  int count = 0;
  for (std::uint8_t flag : present_) count += flag;
  return count;
}

void Deck::SetCopies(int copies) {
  copies_ = copies < 1 ? 1 : (copies > 2 ? 2 : copies);
  total_ = copies_ * PresentCount();
  Shuffle();
}

void Deck::RemoveCard(const Card& card) {
  if (IsRealCard(card) && present_[Slot(card)] != 0) {
    present_[Slot(card)] = 0;
    total_ -= copies_;
  }
  Shuffle();
}

void Deck::RemoveRank(int rank) {
  for (int suit = 0; suit < kSuitCount; ++suit) {
    const Card card{suit, rank};
    if (IsRealCard(card) && present_[Slot(card)] != 0) {
      present_[Slot(card)] = 0;
      total_ -= copies_;
    }
  }
  Shuffle();
}

void Deck::IncludeAll() {
  for (std::uint8_t& flag : present_) {
    if (flag == 0) {
      flag = 1;
      total_ += copies_;
    }
  }
  Shuffle();
}

// Draws a suit and then a rank until it hits a card that is present and still has a copy to
// place. It ends because total never exceeds the copies of the present cards, which every
// operation and every accepted image keep true.
void Deck::Shuffle() {
  inStock_.fill(0);
  for (int placed = 0; placed < total_;) {
    const int suit = DrawRandom() % kSuitCount;
    const int rank = DrawRandom() % kRankCount;
    const int slot = suit * kRankCount + rank;
    if (inStock_[slot] == copies_) continue;
    if (present_[slot] == 0) continue;
    ++inStock_[slot];
    order_[placed] = Card{suit, rank};
    ++placed;
  }
  remaining_ = total_;
  nextIndex_ = 0;
}

Card Deck::DealCard() {
  if (remaining_ < 1) return kNoCard;
  const Card card = order_[nextIndex_];
  ++nextIndex_;
  --remaining_;
  --inStock_[Slot(card)];
  return card;
}

// Bounded by the undealt cards rather than by total alone: once cards have been returned, the
// entries past the undealt ones are leftovers of the old order, cards that lie elsewhere.
Card Deck::PeekCard(int i) const {
  if (i < 0 || i >= remaining_ || nextIndex_ + i >= total_) return kNoCard;
  return order_[nextIndex_ + i];
}

void Deck::ReturnCard(const Card& card) {
  if (!IsRealCard(card) || present_[Slot(card)] == 0 || inStock_[Slot(card)] >= copies_) return;
  if (nextIndex_ != 0) {
    for (int i = 0; i < remaining_; ++i) order_[i] = order_[nextIndex_ + i];
    nextIndex_ = 0;
  }
  order_[remaining_] = card;
  ++remaining_;
  ++inStock_[Slot(card)];
}

bool Deck::IsPresent(const Card& card) const {
  return IsRealCard(card) && present_[Slot(card)] != 0;
}

int Deck::InStock(const Card& card) const {
  return IsRealCard(card) ? inStock_[Slot(card)] : 0;
}

std::array<std::uint8_t, kDeckImageSize> Deck::SaveImage() const {
  std::array<std::uint8_t, kDeckImageSize> image{};
  for (std::size_t i = 0; i < present_.size(); ++i) image[kPresentOffset + i] = present_[i];
  for (std::size_t i = 0; i < inStock_.size(); ++i) image[kInStockOffset + i] = inStock_[i];
  for (std::size_t i = 0; i < order_.size(); ++i) {
    PutInt32(&image[kOrderOffset + 8 * i], order_[i].suit);
    PutInt32(&image[kOrderOffset + 8 * i + 4], order_[i].rank);
  }
  PutInt32(&image[kNextIndexOffset], nextIndex_);
  PutInt32(&image[kRemainingOffset], remaining_);
  PutInt32(&image[kTotalOffset], total_);
  PutInt32(&image[kCopiesOffset], copies_);
  return image;
}

// Everything is read into a staging deck and checked whole before it replaces this one: the
// rest of the deck indexes its arrays with these numbers and relies on them to end a shuffle.
bool Deck::LoadImage(std::span<const std::uint8_t> image) {
  if (image.size() != kDeckImageSize) return false;
  Deck staged = *this;
  for (std::size_t i = 0; i < staged.present_.size(); ++i) {
    staged.present_[i] = image[kPresentOffset + i];
    staged.inStock_[i] = image[kInStockOffset + i];
  }
  for (std::size_t i = 0; i < staged.order_.size(); ++i) {
    staged.order_[i] =
        Card{GetInt32(&image[kOrderOffset + 8 * i]), GetInt32(&image[kOrderOffset + 8 * i + 4])};
  }
  staged.nextIndex_ = GetInt32(&image[kNextIndexOffset]);
  staged.remaining_ = GetInt32(&image[kRemainingOffset]);
  staged.total_ = GetInt32(&image[kTotalOffset]);
  staged.copies_ = GetInt32(&image[kCopiesOffset]);

  if (staged.copies_ != 1 && staged.copies_ != 2) return false;
  int inStockSum = 0;
  for (std::size_t i = 0; i < staged.present_.size(); ++i) {
    if (staged.present_[i] > 1) return false;
    if (staged.inStock_[i] > (staged.present_[i] != 0 ? staged.copies_ : 0)) return false;
    inStockSum += staged.inStock_[i];
  }
  if (staged.total_ != staged.copies_ * staged.PresentCount()) return false;
  // Dealing and returning keep the undealt cards inside the first `total` entries.
  if (staged.nextIndex_ < 0 || staged.nextIndex_ > staged.total_) return false;
  if (staged.remaining_ < 0 || staged.remaining_ > staged.total_ - staged.nextIndex_) return false;
  if (staged.remaining_ != inStockSum) return false;

  // Every entry is a card or no card; the undealt ones are cards, each exactly as often as its
  // in-stock count says (so never more often than the copies).
  std::array<std::uint8_t, kSuitCount * kRankCount> undealt{};
  for (int i = 0; i < kDeckCardSlots; ++i) {
    const Card& card = staged.order_[i];
    const bool isUndealt = i >= staged.nextIndex_ && i < staged.nextIndex_ + staged.remaining_;
    if (!IsRealCard(card)) {
      if (isUndealt || card != kNoCard) return false;
      continue;
    }
    if (isUndealt && ++undealt[Slot(card)] > staged.inStock_[Slot(card)]) return false;
  }
  if (undealt != staged.inStock_) return false;

  *this = staged;
  return true;
}
