// Card drawing with the generated decks: where each card is cut from, stocks, foundations and
// fans (golden images), and reloading the faces. ChoosersTest's goldens pin the deck samples.
#include <gtest/gtest.h>

#include "gfx/font/Font.h"
#include "platform/DataDir.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/support/RequireMedia.h"

namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;

class CardDrawingTest : public ArtworkTest {
protected:
  void SetUp() override {
    ArtworkTest::SetUp();
    if (!UseGeneratedMedia()) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
    LoadArtwork(0);
    art_->LoadDecks();  // as a game does; start-up leaves the last sample deck in place
  }

  // The 53 x 83 card at (x, y) of `canvas` is the strip's at (srcX, srcY), `under` where that
  // is magenta.
  void ExpectCard(int canvas, int x, int y, int strip, int srcX, int srcY, std::uint32_t under) {
    int wrong = 0;
    for (int i = 0; i < 53 * 83; ++i) {
      const std::uint32_t source = PixelAt(strip, srcX + i % 53, srcY + i / 53);
      wrong += PixelAt(canvas, x + i % 53, y + i / 53) != (source == kMagenta ? under : source);
    }
    EXPECT_EQ(wrong, 0) << "card at (" << x << ", " << y << ") from (" << srcX << ", " << srcY
                        << ")";
  }
};

TEST_F(CardDrawingTest, CardsAreCutFromTheirCellsWithCornersSeeThrough) {
  const int canvas = Canvas(200, 100, 0, 90, 50);
  const std::uint32_t felt = PixelAt(canvas, 0, 0);
  art_->DrawCard(5, 5, Card{2, 12}, canvas, 0);   // Ace of suit 2: the first cell
  art_->DrawCard(70, 5, Card{1, 11}, canvas, 0);  // King of suit 1: the last cell
  art_->DrawCard(135, 5, Card{0, 0}, canvas, 1);  // Two of suit 0, darkened
  ExpectCard(canvas, 5, 5, art_->DeckBuffer(), 1, 0, felt);
  ExpectCard(canvas, 70, 5, art_->DeckBuffer(), 649, 252, felt);
  ExpectCard(canvas, 135, 5, art_->DarkDeckBuffer(), 55, 168, felt);
  EXPECT_EQ(PixelAt(canvas, 5, 5), felt) << "the rounded corner must let the table show";
  // No card, or a damaged one, draws nothing.
  const int blank = Canvas(60, 90, 0, 90, 50), before = Canvas(60, 90, 0, 90, 50);
  for (Card card : {Card{}, Card{4, 3}, Card{1, 13}}) art_->DrawCard(0, 0, card, blank, 0);
  EXPECT_EQ(Differences(blank, 0, 0, before, 0, 0, 60, 90), 0);
}

TEST_F(CardDrawingTest, StocksShowOneMoreLayerEveryTenCards) {
  const int canvas = Canvas(330, 100, 0, 90, 50);
  const int counts[] = {0, 0, 9, 10, 25};
  ScreenRect bounds[5];
  for (int i = 0; i < 5; ++i) {
    art_->DrawStock(&bounds[i], 12 + 64 * i, 10, 2, counts[i], canvas, i == 1);
  }
  EXPECT_EQ(bounds[2], (ScreenRect{140, 10, 192, 92}));
  EXPECT_EQ(bounds[3], (ScreenRect{202, 9, 256, 92}));
  EXPECT_EQ(bounds[4], (ScreenRect{264, 8, 320, 92}));
  EXPECT_EQ(art_->StockTop(268, 10, 25), (ScreenPoint{264, 8}));
  EXPECT_EQ(art_->StockTop(268, 10, 0), (ScreenPoint{268, 10}));
  EXPECT_TRUE(MatchesGolden("artwork/stocks", canvas, 0, 329, 0, 99));
}

TEST_F(CardDrawingTest, FannedAndSquaredPiles) {
  const Card pile[23] = {{0, 1}, {1, 2},  {2, 3},  {3, 4},  {0, 5}, {1, 6}, {2, 7}, {3, 8},
                         {0, 9}, {1, 10}, {2, 11}, {3, 12}, {0, 0}, {1, 1}, {2, 2}, {3, 3},
                         {0, 4}, {1, 5},  {2, 6},  {3, 7},  {0, 8}, {1, 9}, {2, 12}};
  const int canvas = Canvas(340, 200, 0, 90, 50);
  // Five cards with three showing, as a waste fans them.
  art_->DrawFannedPile(10, 10, pile, 5, canvas, 3, 12, 0);
  // A column of six, all showing.
  art_->DrawFannedPile(110, 10, pile + 5, 6, canvas, 6, 0, 18);
  // Twenty-three squared: three layers, the last card on top.
  art_->DrawFannedPile(190, 12, pile, 23, canvas, -1, 0, 0);
  // Two cards where three could show: the fan keeps the places of the missing ones.
  art_->DrawFannedPile(250, 10, pile, 2, canvas, 3, 12, 0);
  // Nothing for an empty pile.
  art_->DrawFannedPile(250, 110, pile, 0, canvas, 3, 12, 0);
  EXPECT_TRUE(MatchesGolden("artwork/fans", canvas, 0, 339, 0, 199));
}

TEST_F(CardDrawingTest, FoundationsThickenWithTheCardsUnderTheTop) {
  static_assert(FoundationCardsAbove(3, 12) == 4 && FoundationCardsAbove(9, 0) == 10);
  static_assert(FoundationCardsAbove(12, 12) == 0 && FoundationCardsAbove(11, 12) == 12);
  const int canvas = Canvas(270, 100, 0, 90, 50);
  art_->DrawFoundation(10, 10, Card{1, 3}, canvas, 12, -1);   // Ace up to Five: one layer
  art_->DrawFoundation(80, 10, Card{3, 9}, canvas, 0, -1);    // Two up to Jack: two layers
  art_->DrawFoundation(150, 10, Card{2, 11}, canvas, 0, 25);  // counted: three layers
  art_->DrawFoundation(210, 10, Card{}, canvas, 0, -1);       // empty: nothing
  EXPECT_TRUE(MatchesGolden("artwork/foundations", canvas, 0, 269, 0, 99));
}

TEST_F(CardDrawingTest, ReloadingFacesFollowsTheChoiceAndKeepsOneFont) {
  int front = 0;
  art_->SetCardFrontSource([&front] { return front; });
  const int font = art_->SmallFont();
  ASSERT_NE(font, 0);
  for (int i = 0; i < 20; ++i) {
    front = i % 4;
    art_->LoadDecks();
  }
  EXPECT_EQ(art_->SmallFont(), font);
  // Only one font slot is taken: the next font loaded gets the second handle.
  EXPECT_EQ(GfxLoadFont(MediaPath("windb_10.fgf").c_str()), font + 1);
  // front is 3 now: the faces are deck2_lg's.
  const int canvas = Canvas(60, 90, 0, 90, 50);
  const std::uint32_t felt = PixelAt(canvas, 59, 89);
  art_->DrawCard(0, 0, Card{3, 7}, canvas, 0);
  const int deck = LoadPicture("artwork\\deck2_lg.bmp", 702, 336);
  ExpectCard(canvas, 0, 0, deck, 54 * 8 + 1, 84, felt);
}

}  // namespace
