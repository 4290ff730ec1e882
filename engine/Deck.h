// The deck every game deals from: which cards take part, one or two copies of each, the shuffled
// order that doubles as the stock, and the fixed 952-byte image that opens every undo snapshot.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "engine/Card.h"

// The random generator that decides every deal. Its state belongs to the calling thread, so a
// draw on another thread (the music's song choice) never changes which deal a seed produces.
void SeedRandom(std::uint32_t seed);
// The next number from 0 to 32767.
int DrawRandom();

// The seed of the next deal: the game services' seed when one is set (`--seed N`), else the clock
// in whole seconds. A game's deal takes it as an argument, so the same seed always gives the same
// deal.
std::uint32_t NextDealSeed();

inline constexpr int kDeckCardSlots = 104;  // two full packs
inline constexpr std::size_t kDeckImageSize = 952;

class Deck {
public:
  // Every card present, one copy, nothing shuffled yet; seeds this thread's generator.
  Deck();

  // Copies of each present card: 1 or 2. Other numbers are taken as the nearer of the two, so
  // the deck can never hold more cards than its 104 slots. Shuffles.
  void SetCopies(int copies);
  // Takes one card (every copy of it) out of the composition, if it is in it. Shuffles.
  void RemoveCard(const Card& card);
  // Takes the card of this rank out in every suit. Shuffles.
  void RemoveRank(int rank);
  // Puts every removed card back. Shuffles.
  void IncludeAll();
  // A new random order of all the cards of the composition; nothing is dealt yet.
  void Shuffle();

  // The next card of the stock, or (-1, -1) when the stock is empty.
  Card DealCard();
  // The card `i` places after the next one without dealing it (0 is the one DealCard would
  // give), or (-1, -1) when there is no such undealt card.
  Card PeekCard(int i) const;
  // Puts a card back as the last one to deal. Refused (nothing changes) for anything that cannot
  // be an undealt card of this deck: (-1, -1), a card not in the composition, or one whose copies
  // are all undealt already.
  void ReturnCard(const Card& card);

  // The deck as it lies in an undo snapshot: present flags, in-stock counts, the order, then
  // next index, remaining, total and copies as little-endian 32-bit numbers.
  std::array<std::uint8_t, kDeckImageSize> SaveImage() const;
  // Reads an image written by SaveImage. An image of the wrong size or one that breaks any rule
  // of the deck is refused: false, and the deck is left exactly as it was.
  bool LoadImage(std::span<const std::uint8_t> image);

  int NextIndex() const { return nextIndex_; }
  int Remaining() const { return remaining_; }
  int Total() const { return total_; }
  int Copies() const { return copies_; }
  bool IsPresent(const Card& card) const;
  // Undealt copies of the card; 0 for anything that is not a card.
  int InStock(const Card& card) const;

  friend bool operator==(const Deck&, const Deck&) = default;

private:
  static int Slot(const Card& card) { return card.suit * kRankCount + card.rank; }
  int PresentCount() const;

  // The order of these fields is the order of the image.
  std::array<std::uint8_t, kSuitCount * kRankCount> present_;
  std::array<std::uint8_t, kSuitCount * kRankCount> inStock_;
  std::array<Card, kDeckCardSlots> order_;
  std::int32_t nextIndex_ = 0;
  std::int32_t remaining_ = 0;
  std::int32_t total_ = kSuitCount * kRankCount;
  std::int32_t copies_ = 1;
};
