// The cards and the deck: card queries, the generator, pinned shuffles of fixed seeds, dealing,
// peeking and returning, and the 952-byte image with every kind of damage it must refuse.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "engine/Card.h"
#include "engine/Deck.h"
#include "engine/GameServices.h"

namespace {

// "A0" is the Ace of suit 0, "T3" the Ten of suit 3; "--" is no card.
std::string CardText(const Card& card) {
  if (!IsRealCard(card)) return "--";
  return std::string(1, "23456789TJQKA"[card.rank]) + std::to_string(card.suit);
}

// The whole undealt part of the deck, in dealing order.
std::string UndealtText(const Deck& deck) {
  std::string text;
  for (int i = 0; i < deck.Remaining(); ++i) {
    if (!text.empty()) text += ' ';
    text += CardText(deck.PeekCard(i));
  }
  return text;
}

std::vector<Card> DealAll(Deck& deck) {
  std::vector<Card> cards;
  for (Card card = deck.DealCard(); card != kNoCard; card = deck.DealCard()) cards.push_back(card);
  return cards;
}

// Copies of each of the 52 cards among `cards`, index suit * 13 + rank.
std::array<int, 52> Census(const std::vector<Card>& cards) {
  std::array<int, 52> counts{};
  for (const Card& card : cards) ++counts[card.suit * kRankCount + card.rank];
  return counts;
}

// Every deck in these tests is seeded by the test; the clock never decides a result.
class DeckTest : public ::testing::Test {
protected:
  void SetUp() override { ResetGameServices(); }
  void TearDown() override { ResetGameServices(); }

  static Deck SeededDeck(std::uint32_t seed, int copies) {
    TheGameServices().dealSeed = seed;
    Deck deck;
    TheGameServices().dealSeed.reset();
    if (copies != 1) {
      deck.SetCopies(copies);  // shuffles once with the seed's first draws
      SeedRandom(seed);
    }
    deck.Shuffle();
    return deck;
  }
};

using CardTest = DeckTest;
using RandomTest = DeckTest;
using DeckImageTest = DeckTest;

// The image's fields, read back byte by byte as the undo files hold them.
std::int32_t ImageInt(const std::array<std::uint8_t, kDeckImageSize>& image, std::size_t at) {
  return static_cast<std::int32_t>(std::uint32_t{image[at]} | (std::uint32_t{image[at + 1]} << 8) |
                                   (std::uint32_t{image[at + 2]} << 16) |
                                   (std::uint32_t{image[at + 3]} << 24));
}
void SetImageInt(std::array<std::uint8_t, kDeckImageSize>& image, std::size_t at,
                 std::int32_t number) {
  const auto bits = static_cast<std::uint32_t>(number);
  for (int i = 0; i < 4; ++i) image[at + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}
constexpr std::size_t kInStockAt = 52;
constexpr std::size_t kOrderAt = 104;
constexpr std::size_t kNextIndexAt = 936;
constexpr std::size_t kRemainingAt = 940;
constexpr std::size_t kTotalAt = 944;
constexpr std::size_t kCopiesAt = 948;
std::size_t Slot(const Card& card) {
  return static_cast<std::size_t>(card.suit * kRankCount + card.rank);
}

// The edges a damaged snapshot or a hand-edited setting can reach: values past either end of the
// suits and ranks are no card, no face value and no name.
TEST_F(CardTest, OnlyTheFiftyTwoRealCardsHaveAValueAndAName) {
  EXPECT_EQ(Card{}, kNoCard);
  EXPECT_FALSE(IsRealCard(kNoCard));
  EXPECT_TRUE(IsRealCard(Card{0, 0}));
  EXPECT_TRUE(IsRealCard(Card{3, 12}));
  EXPECT_FALSE(IsRealCard(Card{4, 0}));
  EXPECT_FALSE(IsRealCard(Card{0, 13}));
  EXPECT_FALSE(IsRealCard(Card{-1, 5}));
  EXPECT_EQ(FaceValue(12), 1);
  for (int rank : {13, -1, -2147483647 - 1}) {
    EXPECT_EQ(FaceValue(rank), 0);
    EXPECT_STREQ(RankName(rank), "");
  }
  EXPECT_STREQ(RankName(12), "Ace");
}

// The generator's constants decide every deal a seed produces; these draws must never change.
// Each thread keeps its own state: a draw on another thread leaves this thread's sequence alone.
TEST_F(RandomTest, FirstDrawsOfFixedSeedsArePinnedOnEachThread) {
  SeedRandom(0xFFFFFFFFu);
  std::vector<int> draws;
  for (int i = 0; i < 5; ++i) draws.push_back(DrawRandom());
  EXPECT_EQ(draws, (std::vector<int>{35, 29739, 3374, 11141, 31308}));

  SeedRandom(1);
  draws = {DrawRandom(), DrawRandom()};
  std::thread other([] {
    SeedRandom(99);
    for (int i = 0; i < 100; ++i) DrawRandom();
  });
  other.join();
  for (int i = 0; i < 8; ++i) draws.push_back(DrawRandom());
  EXPECT_EQ(draws,
            (std::vector<int>{41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464}));
}

TEST_F(RandomTest, TheServicesSeedSeedsEveryNewDeck) {
  TheGameServices().dealSeed = 1;
  EXPECT_EQ(NextDealSeed(), 1u);
  Deck first;
  first.Shuffle();
  Deck second;
  second.Shuffle();
  EXPECT_EQ(UndealtText(first), UndealtText(second));
  Deck third;
  EXPECT_EQ(DrawRandom(), 41);

  TheGameServices().dealSeed = 0;  // zero is a seed like any other, not "no seed"
  Deck zero;
  EXPECT_EQ(DrawRandom(), 38);
}

// Which deal a seed produces must never change: players replay deals by seed.
TEST_F(DeckTest, ShuffledOrderOfFixedSeedsIsPinned) {
  Deck single = SeededDeck(1, 1);
  EXPECT_EQ(UndealtText(single),
            "91 82 62 K2 21 71 Q1 T3 43 73 Q2 80 J1 72 53 93 23 33 41 61 83 63 K1 J2 K0 40 42 "
            "T2 A1 A0 Q0 J3 60 22 81 30 31 T1 A2 20 J0 K3 32 90 70 A3 T0 Q3 92 52 51 50");
  Deck otherSeed = SeededDeck(20261206, 1);
  EXPECT_EQ(UndealtText(otherSeed),
            "23 31 62 43 73 T3 22 K1 Q1 61 40 Q3 42 80 K0 Q2 20 T1 33 51 82 T2 91 81 K3 60 41 "
            "90 30 K2 50 T0 93 21 A1 A3 A2 J3 J2 32 Q0 71 A0 J0 52 53 63 72 83 70 J1 92");
  Deck doubled = SeededDeck(4242, 2);
  EXPECT_EQ(UndealtText(doubled),
            "83 K1 23 Q2 50 T3 A1 42 K3 50 70 23 72 K1 90 A3 71 K0 K0 J0 32 52 30 72 32 70 T1 "
            "A0 T0 82 42 93 82 31 Q1 41 30 33 Q1 62 80 91 21 62 T3 33 K3 J2 T1 73 80 71 J3 J1 "
            "73 J3 63 52 T0 T2 21 81 Q3 41 60 53 43 43 81 K2 A2 K2 J0 T2 40 83 51 61 93 Q3 91 "
            "51 A0 61 A2 90 Q2 J1 J2 60 40 31 20 63 20 92 A3 A1 Q0 Q0 22 22 92 53");
}

TEST_F(DeckTest, ShuffleDealsEachCardOnceOrTwice) {
  for (std::uint32_t seed : {0u, 1u, 77u, 0xFFFFFFFFu}) {
    for (int copies : {1, 2}) {
      Deck deck = SeededDeck(seed, copies);
      EXPECT_EQ(deck.Remaining(), 52 * copies);
      const std::vector<Card> cards = DealAll(deck);
      ASSERT_EQ(cards.size(), 52u * static_cast<std::size_t>(copies));
      std::array<int, 52> each;
      each.fill(copies);
      EXPECT_EQ(Census(cards), each) << seed << " with " << copies << " copies";
      EXPECT_EQ(deck.Remaining(), 0);
    }
  }
}

TEST_F(DeckTest, RemovedCardsAreNeverDealt) {
  Deck byRank = SeededDeck(5, 1);
  byRank.RemoveRank(kAceRank);
  EXPECT_EQ(byRank.Total(), 48);
  const std::vector<Card> dealt = DealAll(byRank);
  EXPECT_EQ(dealt.size(), 48u);
  for (const Card& card : dealt) EXPECT_NE(card.rank, kAceRank) << CardText(card);

  Deck byCard = SeededDeck(5, 2);
  for (int suit = 0; suit < kSuitCount; ++suit) byCard.RemoveCard(Card{suit, kAceRank});
  byCard.RemoveCard(Card{0, kAceRank});  // already out: nothing more is subtracted
  EXPECT_EQ(byCard.Total(), 96);
  const std::vector<Card> dealtTwice = DealAll(byCard);
  EXPECT_EQ(dealtTwice.size(), 96u);
  for (const Card& card : dealtTwice) EXPECT_NE(card.rank, kAceRank) << CardText(card);

  byCard.IncludeAll();
  EXPECT_EQ(byCard.Total(), 104);
  EXPECT_EQ(byCard.Remaining(), 104);
}

// Names of no card or no rank change nothing; removing every rank leaves nothing to deal. More
// copies than two would need more than the 104 slots and leave the shuffle looking for a free
// slot forever; the count is kept to one or two.
TEST_F(DeckTest, TheCompositionStaysWithinTheSlots) {
  Deck deck = SeededDeck(9, 1);
  deck.RemoveCard(kNoCard);
  deck.RemoveCard(Card{4, 0});
  deck.RemoveRank(13);
  deck.RemoveRank(-1);
  EXPECT_EQ(deck.Total(), 52);
  EXPECT_EQ(deck.Remaining(), 52);

  deck.SetCopies(3);
  EXPECT_EQ(deck.Copies(), 2);
  EXPECT_EQ(deck.Remaining(), 104);
  deck.SetCopies(-5);
  EXPECT_EQ(deck.Copies(), 1);
  EXPECT_EQ(deck.Total(), 52);
  deck.RemoveRank(0);
  deck.SetCopies(2);
  EXPECT_EQ(deck.Total(), 96);
  EXPECT_EQ(DealAll(deck).size(), 96u);

  for (int rank = 0; rank < kRankCount; ++rank) deck.RemoveRank(rank);
  EXPECT_EQ(deck.Total(), 0);
  EXPECT_EQ(deck.DealCard(), kNoCard);
  deck.ReturnCard(Card{0, 0});  // not in the composition
  EXPECT_EQ(deck.Remaining(), 0);
}

// A new deck has nothing to deal until it is shuffled; past the last card comes no card, and
// peeking shows only undealt cards.
TEST_F(DeckTest, DealingAndPeekingStopAtTheUndealtCards) {
  Deck fresh;
  EXPECT_EQ(fresh.Remaining(), 0);
  EXPECT_EQ(fresh.DealCard(), kNoCard);

  Deck deck = SeededDeck(1, 1);
  const Card first = deck.PeekCard(0);
  EXPECT_EQ(deck.DealCard(), first);
  EXPECT_EQ(deck.InStock(first), 0);
  EXPECT_EQ(deck.PeekCard(-1), kNoCard);
  EXPECT_EQ(deck.PeekCard(-2147483647 - 1), kNoCard);
  EXPECT_EQ(deck.PeekCard(50), deck.OrderEntry(51));
  EXPECT_EQ(deck.PeekCard(51), kNoCard);
  EXPECT_EQ(deck.PeekCard(2147483647), kNoCard);
  deck.DealCard();
  EXPECT_EQ(deck.PeekCard(0), deck.OrderEntry(2));
  EXPECT_EQ(deck.PeekCard(49), deck.OrderEntry(51));
  EXPECT_EQ(deck.PeekCard(50), kNoCard);
  EXPECT_EQ(deck.Remaining(), 50);  // peeking deals nothing
  EXPECT_EQ(DealAll(deck).size(), 50u);
  EXPECT_EQ(deck.DealCard(), kNoCard);
  EXPECT_EQ(deck.NextIndex(), 52);
}

TEST_F(DeckTest, ReturnedCardsComeOutAfterAllOthersInReturnOrder) {
  Deck deck = SeededDeck(1, 1);
  std::vector<Card> undealt;
  for (int i = 3; i < 52; ++i) undealt.push_back(deck.OrderEntry(i));
  deck.DealCard();
  deck.DealCard();
  const Card third = deck.DealCard();
  deck.ReturnCard(third);
  EXPECT_EQ(deck.NextIndex(), 0);
  EXPECT_EQ(deck.Remaining(), 50);
  EXPECT_EQ(deck.InStock(third), 1);
  for (int i = 0; i < 49; ++i) EXPECT_EQ(deck.OrderEntry(i), undealt[i]) << i;
  EXPECT_EQ(deck.OrderEntry(49), third);
  // Entries 50 and 51 still hold the old order's last cards, which now lie at 47 and 48: they
  // are not in the stock and must not be shown as if they were.
  EXPECT_EQ(deck.PeekCard(50), kNoCard);
  EXPECT_EQ(deck.PeekCard(51), kNoCard);

  std::vector<Card> dealt = DealAll(deck);
  ASSERT_EQ(dealt.size(), 50u);
  EXPECT_EQ(dealt[49], third);
  EXPECT_EQ(std::vector<Card>(dealt.begin(), dealt.begin() + 49), undealt);

  // Into an empty stock the waste goes back top card first, so its former top is dealt next.
  for (auto card = dealt.rbegin(); card != dealt.rend(); ++card) deck.ReturnCard(*card);
  EXPECT_EQ(deck.Remaining(), 50);
  EXPECT_EQ(DealAll(deck), std::vector<Card>(dealt.rbegin(), dealt.rend()));
}

// Returning a card the stock cannot hold would break the counts the shuffle and the image rely
// on (and, repeated, write past the order's 104 entries); such returns change nothing.
TEST_F(DeckTest, ReturnRefusesCardsTheStockCannotHold) {
  Deck deck = SeededDeck(4, 1);
  const Deck before = deck;
  deck.ReturnCard(deck.PeekCard(0));  // its only copy is undealt already
  deck.ReturnCard(kNoCard);
  deck.ReturnCard(Card{7, 2});
  deck.ReturnCard(Card{1, -3});
  EXPECT_EQ(deck, before);

  const Card ace{2, kAceRank};
  deck.RemoveCard(ace);
  const std::vector<Card> dealt = DealAll(deck);
  const Deck empty = deck;
  deck.ReturnCard(ace);  // not in the composition
  EXPECT_EQ(deck, empty);
  for (int i = 0; i < 200; ++i) deck.ReturnCard(dealt[static_cast<std::size_t>(i) % 51]);
  EXPECT_EQ(deck.Remaining(), 51);
}

// Snapshots written by earlier runs must keep loading: the layout is fixed byte for byte.
TEST_F(DeckImageTest, ImageLayoutIsFixed) {
  Deck deck = SeededDeck(1, 1);
  deck.RemoveCard(Card{3, 5});
  SeedRandom(1);
  deck.Shuffle();
  const Card first = deck.DealCard();
  deck.DealCard();
  const std::array<std::uint8_t, kDeckImageSize> image = deck.SaveImage();
  ASSERT_EQ(image.size(), 952u);

  EXPECT_EQ(image[0], 1);                         // present: suit 0, rank 0
  EXPECT_EQ(image[3 * 13 + 5], 0);                // the removed card
  EXPECT_EQ(image[kInStockAt + Slot(first)], 0);  // dealt
  EXPECT_EQ(image[kInStockAt + Slot(deck.PeekCard(0))], 1);
  EXPECT_EQ(image[kInStockAt + 3 * 13 + 5], 0);

  EXPECT_EQ(ImageInt(image, kOrderAt), first.suit);
  EXPECT_EQ(ImageInt(image, kOrderAt + 4), first.rank);
  EXPECT_EQ(ImageInt(image, kOrderAt + 8 * 2), deck.PeekCard(0).suit);
  EXPECT_EQ(ImageInt(image, kOrderAt + 8 * 2 + 4), deck.PeekCard(0).rank);
  // Entries past the 52 that a single deck ever fills were never written: (-1, -1), all bits set.
  for (std::size_t at = kOrderAt + 8 * 52; at < kNextIndexAt; ++at) EXPECT_EQ(image[at], 0xFF);

  EXPECT_EQ(ImageInt(image, kNextIndexAt), 2);
  EXPECT_EQ(ImageInt(image, kRemainingAt), 49);
  EXPECT_EQ(ImageInt(image, kTotalAt), 51);
  EXPECT_EQ(ImageInt(image, kCopiesAt), 1);
}

// Each damaged image is refused whole: the deck keeps its state and keeps dealing as before.
TEST_F(DeckImageTest, DamagedImagesAreRefusedWithoutChange) {
  Deck source = SeededDeck(17, 1);
  source.DealCard();
  source.DealCard();
  const std::array<std::uint8_t, kDeckImageSize> good = source.SaveImage();
  const Card next = source.PeekCard(0);
  const Card after = source.PeekCard(1);

  struct Damage {
    const char* what;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Damage> damages;
  auto add = [&](const char* what, auto change) {
    std::array<std::uint8_t, kDeckImageSize> image = good;
    change(image);
    damages.push_back({what, std::vector<std::uint8_t>(image.begin(), image.end())});
  };
  damages.push_back({"truncated", std::vector<std::uint8_t>(good.begin(), good.end() - 1)});
  damages.push_back({"empty", {}});
  {
    std::vector<std::uint8_t> longer(good.begin(), good.end());
    longer.push_back(0);
    damages.push_back({"one byte too many", longer});
  }
  add("copies 3", [](auto& image) {
    SetImageInt(image, kCopiesAt, 3);
    SetImageInt(image, kTotalAt, 156);
  });
  add("copies 0", [](auto& image) {
    SetImageInt(image, kCopiesAt, 0);
    SetImageInt(image, kTotalAt, 0);
  });
  add("copies 2 with a single deck's total", [](auto& image) { SetImageInt(image, kCopiesAt, 2); });
  add("present flag 2", [](auto& image) { image[7] = 2; });
  add("present flag 2 with the total kept", [&](auto& image) {
    // Counted as a flag sum the total still matches, but only 51 cards could be placed: the
    // shuffle would never end.
    const Card dealt{ImageInt(image, kOrderAt + 8), ImageInt(image, kOrderAt + 8 + 4)};
    image[Slot(dealt)] = 0;
    image[Slot(next)] = 2;
  });
  add("total not copies times present", [](auto& image) { SetImageInt(image, kTotalAt, 51); });
  {
    // After a return the undealt cards start at 0 and one slot is free, so taking the next card
    // out of the composition (total to match) breaks nothing but "only present cards are dealt".
    Deck returned = source;
    returned.ReturnCard(Card{ImageInt(good, kOrderAt), ImageInt(good, kOrderAt + 4)});
    std::array<std::uint8_t, kDeckImageSize> image = returned.SaveImage();
    ASSERT_EQ(returned.PeekCard(0), next);
    image[Slot(next)] = 0;
    SetImageInt(image, kTotalAt, 51);
    damages.push_back({"undealt card not in the composition",
                       std::vector<std::uint8_t>(image.begin(), image.end())});
  }
  add("a card twice", [&](auto& image) {
    // The next two undealt cards become the same card; the counts are adjusted to match, so only
    // "more often than its copies" is wrong.
    SetImageInt(image, kOrderAt + 8 * 3, next.suit);
    SetImageInt(image, kOrderAt + 8 * 3 + 4, next.rank);
    image[kInStockAt + Slot(next)] = 2;
    image[kInStockAt + Slot(after)] = 0;
  });
  add("in-stock count too low", [&](auto& image) { image[kInStockAt + Slot(next)] = 0; });
  add("in-stock count of a dealt card", [&](auto& image) {
    const Card dealt{ImageInt(image, kOrderAt), ImageInt(image, kOrderAt + 4)};
    image[kInStockAt + Slot(dealt)] = 1;
  });
  add("in-stock counts moved from an undealt card to a dealt one", [&](auto& image) {
    const Card dealt{ImageInt(image, kOrderAt), ImageInt(image, kOrderAt + 4)};
    image[kInStockAt + Slot(dealt)] = 1;
    image[kInStockAt + Slot(next)] = 0;
  });
  add("in-stock count above copies", [&](auto& image) { image[kInStockAt + Slot(next)] = 200; });
  add("next index negative", [](auto& image) { SetImageInt(image, kNextIndexAt, -1); });
  add("next index past the slots", [](auto& image) { SetImageInt(image, kNextIndexAt, 105); });
  add("next index past the undealt cards",
      [](auto& image) { SetImageInt(image, kNextIndexAt, 3); });
  add("next index huge", [](auto& image) { SetImageInt(image, kNextIndexAt, 2147483647); });
  add("remaining negative", [](auto& image) { SetImageInt(image, kRemainingAt, -1); });
  add("remaining beyond total", [](auto& image) {
    SetImageInt(image, kNextIndexAt, 0);
    SetImageInt(image, kRemainingAt, 53);
  });
  add("remaining not the in-stock sum", [](auto& image) { SetImageInt(image, kRemainingAt, 49); });
  add("undealt entry (-1, -1)", [](auto& image) {
    SetImageInt(image, kOrderAt + 8 * 10, -1);
    SetImageInt(image, kOrderAt + 8 * 10 + 4, -1);
  });
  add("undealt entry with suit 4", [](auto& image) { SetImageInt(image, kOrderAt + 8 * 10, 4); });
  add("dealt entry with rank 13", [](auto& image) { SetImageInt(image, kOrderAt + 4, 13); });
  add("unused entry half set", [](auto& image) { SetImageInt(image, kOrderAt + 8 * 60, 2); });

  Deck deck = SeededDeck(23, 2);
  deck.DealCard();
  const Deck before = deck;
  for (const Damage& damage : damages) {
    EXPECT_FALSE(deck.LoadImage(damage.bytes)) << damage.what;
    EXPECT_EQ(deck, before) << damage.what;
  }
  // And the undamaged image still loads after all that.
  EXPECT_TRUE(deck.LoadImage(good));
  EXPECT_EQ(deck.PeekCard(0), next);
}

// Whatever the games do with a deck, its image must stay one that loads back to the same deck:
// otherwise an undo snapshot of a legal position would be refused or restored wrongly. Every step
// is a round trip, two copies, removed and returned cards included.
TEST_F(DeckImageTest, EveryReachableStateSavesAnImageThatLoads) {
  Deck copy;  // made first: a new deck seeds the generator from the clock
  Deck deck = SeededDeck(2024, 1);
  ASSERT_TRUE(Deck(deck).LoadImage(copy.SaveImage())) << "the image of a deck never shuffled";
  std::mt19937 pick(12345);
  std::vector<Card> waste;
  for (int step = 0; step < 3000; ++step) {
    const unsigned what = pick() % 20;
    if (what < 8) {
      const Card card = deck.DealCard();
      if (card != kNoCard) waste.push_back(card);
    } else if (what < 13) {
      if (!waste.empty()) {
        deck.ReturnCard(waste.back());
        waste.pop_back();
      }
    } else if (what == 13) {
      deck.SetCopies(static_cast<int>(pick() % 4));
      waste.clear();
    } else if (what == 14) {
      deck.RemoveCard(Card{static_cast<int>(pick() % 5), static_cast<int>(pick() % 14)});
      waste.clear();
    } else if (what == 15) {
      deck.RemoveRank(static_cast<int>(pick() % 14));
      waste.clear();
    } else if (what == 16) {
      deck.IncludeAll();
      waste.clear();
    } else if (what == 17) {
      deck.Shuffle();
      waste.clear();
    } else {
      deck.ReturnCard(Card{static_cast<int>(pick() % 4), static_cast<int>(pick() % 13)});
    }
    ASSERT_TRUE(copy.LoadImage(deck.SaveImage())) << "step " << step;
    ASSERT_EQ(copy, deck) << "step " << step;
    ASSERT_LE(deck.Total(), kDeckCardSlots);
    ASSERT_LE(deck.NextIndex() + deck.Remaining(), deck.Total());
  }
}

}  // namespace
