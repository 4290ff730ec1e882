// libFuzzer target: a deck image as an undo snapshot starts with it, then the bytes after it as a
// script of deck operations; a refused image must change nothing, an accepted one must save back
// byte for byte, and no operation afterwards may leave a deck whose image would be refused.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "engine/Deck.h"

namespace {

// An image the deck would refuse after a legal operation means the operation broke a rule the
// shuffle relies on to end and the dealing relies on to stay inside the order.
void CheckInvariants(const Deck& deck) {
  Deck copy = deck;
  if (!copy.LoadImage(deck.SaveImage()) || !(copy == deck)) std::abort();
  if (deck.Total() > kDeckCardSlots || deck.NextIndex() + deck.Remaining() > deck.Total()) {
    std::abort();
  }
  int inStock = 0;
  for (int suit = 0; suit < kSuitCount; ++suit) {
    for (int rank = 0; rank < kRankCount; ++rank) inStock += deck.InStock(Card{suit, rank});
  }
  if (inStock != deck.Remaining()) std::abort();
}

Card CardFrom(std::uint8_t byte) {
  // Beyond the 52 real cards, a few values that are not cards at all.
  return Card{byte % 6 - 1, (byte / 6) % 15 - 1};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  const std::span<const std::uint8_t> image =
      input.first(size < kDeckImageSize ? size : kDeckImageSize);

  Deck deck;
  SeedRandom(0);  // the clock seeded the new deck; the run must not depend on it
  deck.Shuffle();
  const Deck before = deck;
  // Short inputs are also tried whole, so that a truncated image is seen as such.
  if (!deck.LoadImage(image)) {
    if (!(deck == before)) std::abort();
    if (size < kDeckImageSize) return 0;
  } else {
    const auto saved = deck.SaveImage();
    for (std::size_t i = 0; i < kDeckImageSize; ++i) {
      if (saved[i] != image[i]) std::abort();
    }
  }
  CheckInvariants(deck);

  const std::span<const std::uint8_t> script =
      size > kDeckImageSize ? input.subspan(kDeckImageSize) : std::span<const std::uint8_t>();
  for (std::size_t at = 0; at + 1 < script.size(); at += 2) {
    const std::uint8_t operation = script[at];
    const std::uint8_t argument = script[at + 1];
    switch (operation % 10) {
      case 0:
      case 1:
        deck.DealCard();
        break;
      case 2: {
        const Card peeked = deck.PeekCard(static_cast<int>(argument) - 8);
        if (peeked != kNoCard && !IsRealCard(peeked)) std::abort();
        break;
      }
      case 3:
      case 4:
        deck.ReturnCard(CardFrom(argument));
        break;
      case 5:
        SeedRandom(argument);
        deck.Shuffle();
        break;
      case 6:
        deck.SetCopies(static_cast<int>(argument % 5) - 1);
        break;
      case 7:
        deck.RemoveCard(CardFrom(argument));
        break;
      case 8:
        deck.RemoveRank(static_cast<int>(argument % 15) - 1);
        break;
      default:
        deck.IncludeAll();
        break;
    }
    CheckInvariants(deck);
  }
  return 0;
}
