// libFuzzer target: a deck image as an undo snapshot starts with it, then the bytes after it as a
// script of deck operations; a refused image must change nothing, an accepted one must save back
// byte for byte, and no operation afterwards may leave a deck whose image would be refused.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "engine/Deck.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

// An image the deck would refuse after a legal operation means the operation broke a rule the
// shuffle relies on to end and the dealing relies on to stay inside the order.
void CheckInvariants(const Deck& deck) {
  Deck copy = deck;
  Require(copy.LoadImage(deck.SaveImage()) && copy == deck);
  Require(deck.Total() <= kDeckCardSlots && deck.NextIndex() + deck.Remaining() <= deck.Total());
  int inStock = 0;
  for (int i = 0; i < kSuitCount * kRankCount; ++i)
    inStock += deck.InStock(Card{i / kRankCount, i % kRankCount});
  Require(inStock == deck.Remaining());
}

// Beyond the 52 real cards, a few values that are not cards at all.
Card CardFrom(std::uint8_t byte) {
  return Card{byte % 6 - 1, (byte / 6) % 15 - 1};
}

// The script's operations by their byte modulo 10, each with one byte of argument.
using Operation = void (*)(Deck&, std::uint8_t);
const Operation kOperations[10] = {
    [](Deck& deck, std::uint8_t) { deck.DealCard(); },
    [](Deck& deck, std::uint8_t) { deck.DealCard(); },
    [](Deck& deck, std::uint8_t at) {
      Require(deck.PeekCard(at - 8) == kNoCard || IsRealCard(deck.PeekCard(at - 8)));
    },
    [](Deck& deck, std::uint8_t card) { deck.ReturnCard(CardFrom(card)); },
    [](Deck& deck, std::uint8_t card) { deck.ReturnCard(CardFrom(card)); },
    [](Deck& deck, std::uint8_t seed) {
      SeedRandom(seed);
      deck.Shuffle();
    },
    [](Deck& deck, std::uint8_t copies) { deck.SetCopies(copies % 5 - 1); },
    [](Deck& deck, std::uint8_t card) { deck.RemoveCard(CardFrom(card)); },
    [](Deck& deck, std::uint8_t rank) { deck.RemoveRank(rank % 15 - 1); },
    [](Deck& deck, std::uint8_t) { deck.IncludeAll(); },
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  const auto image = input.first(std::min(size, kDeckImageSize));
  Deck deck;
  SeedRandom(0);  // the clock seeded the new deck; the run must not depend on it
  deck.Shuffle();
  const Deck before = deck;
  // Short inputs are also tried whole, so that a truncated image is seen as such.
  if (!deck.LoadImage(image)) {
    Require(deck == before);
    if (size < kDeckImageSize) return 0;
  } else {
    const auto saved = deck.SaveImage();
    Require(std::equal(image.begin(), image.end(), saved.begin()));
  }
  CheckInvariants(deck);

  for (std::size_t at = kDeckImageSize; at + 1 < size; at += 2) {
    kOperations[data[at] % 10](deck, data[at + 1]);
    CheckInvariants(deck);
  }
  return 0;
}
