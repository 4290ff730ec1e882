// Loading of the card pictures and the drawing of single cards, backs, markers and samples.
#include "gfx/art/CardArt.h"

#include <cstdio>

#include "gfx/art/ArtworkFiles.h"
#include "gfx/font/Font.h"
#include "platform/DataDir.h"

namespace {

struct DeckFiles {
  const char* faces;
  const char* dark;
};

constexpr DeckFiles kDeckFiles[kCardFrontCount] = {
    {"artwork\\deck1.bmp", "artwork\\deck1_dark.bmp"},
    {"artwork\\deck1_lg.bmp", "artwork\\deck1_lg_dark.bmp"},
    {"artwork\\deck2.bmp", "artwork\\deck2_dark.bmp"},
    {"artwork\\deck2_lg.bmp", "artwork\\deck2_lg_dark.bmp"},
};

constexpr int kDeckWidth = 702;
constexpr int kDeckHeight = 336;
constexpr int kBacksWidth = 1135;
constexpr int kStripHeight = 85;
constexpr int kPlaceholderWidth = 161;
constexpr int kSampleHeight = 84;
constexpr int kCellWidth = 54;
constexpr int kCellHeight = 84;
constexpr int kMarkerX[3] = {0, 54, 107};
// A sample is the Queen of clubs with the King of diamonds fanned over it: black and red in the
// two-colour fronts, green and blue in the four-colour ones, with a court figure of each design
// and the index size in view. Samples sit side by side without overlapping.
constexpr Card kSampleUnder = {0, 10};
constexpr Card kSampleOver = {1, 11};
constexpr int kSampleStep = 53 + kDeckSampleFan + 1;
constexpr int kSampleWidth = kSampleStep * kCardFrontCount;

// The strips read Ace, Two, ..., King from the left, and hold suits 2, 3, 0, 1 from the top.
constexpr int kRowOfSuit[4] = {2, 3, 0, 1};

int ColumnOfRank(int rank) {
  return rank == 12 ? 0 : rank + 1;
}

// Top-left corner of a card's cell in a face strip.
int CellX(const Card& card) {
  return kCellWidth * ColumnOfRank(card.rank) + 1;
}
int CellY(const Card& card) {
  return kCellHeight * kRowOfSuit[card.suit];
}

bool IsDrawable(const Card& card) {
  return card.suit >= 0 && card.suit < 4 && card.rank >= 0 && card.rank < 13;
}

}  // namespace

CardArt::CardArt() = default;

CardArt::~CardArt() {
  FreeArtBuffer(&deck_);
  FreeArtBuffer(&darkDeck_);
  FreeArtBuffer(&backs_);
  FreeArtBuffer(&placeholders_);
  FreeArtBuffer(&samples_);
  if (smallFont_ != 0) GfxFreeFont(smallFont_);
}

int CardArt::CardFront() const {
  const int front = cardFrontSource_ ? cardFrontSource_() : 0;
  return front >= 0 && front < kCardFrontCount ? front : 0;
}

void CardArt::LoadDecks() {
  ActiveBufferKeeper keep;
  // Choosing another front reloads the faces but must not pile up copies of the font.
  if (smallFont_ == 0) smallFont_ = GfxLoadFont(MediaPath("beng8pt.FGF").c_str());

  const DeckFiles& files = kDeckFiles[CardFront()];
  FreeArtBuffer(&deck_);
  FreeArtBuffer(&darkDeck_);
  deck_ = AllocArtBuffer(kDeckWidth, kDeckHeight);
  darkDeck_ = AllocArtBuffer(kDeckWidth, kDeckHeight);
  ShowBmpInBuffer(deck_, files.faces);
  ShowBmpInBuffer(darkDeck_, files.dark);
  cardWidth_ = 52;
  cardHeight_ = 82;

  FreeArtBuffer(&backs_);
  backs_ = AllocArtBuffer(kBacksWidth, kStripHeight);
  ShowBmpInBuffer(backs_, "artwork\\backs.bmp");
}

void CardArt::MakeDeckSamples() {
  ActiveBufferKeeper keep;
  if (samples_ < 0) samples_ = AllocArtBuffer(kSampleWidth, kSampleHeight);
  if (deck_ < 0) deck_ = AllocArtBuffer(kDeckWidth, kDeckHeight);
  if (samples_ < 0 || deck_ < 0) return;
  // Start from a see-through strip so a front whose file is missing leaves an empty slot
  // rather than whatever the buffer held before.
  GfxOpenBuffer(samples_);
  const Color ink = GfxGetColor();
  GfxSetColor(GfxMapRGB(255, 0, 255));
  GfxClear();
  GfxSetColor(ink);
  for (int i = 0; i < kCardFrontCount; ++i) {
    if (ShowBmpInBuffer(deck_, kDeckFiles[i].faces) != 0) continue;
    const int left = kSampleStep * i;
    GfxCopyRect(CellX(kSampleUnder), CellX(kSampleUnder) + cardWidth_, CellY(kSampleUnder),
                CellY(kSampleUnder) + cardHeight_, left, cardHeight_, deck_, samples_);
    GfxCopyRectTransparent(CellX(kSampleOver), CellX(kSampleOver) + cardWidth_, CellY(kSampleOver),
                           CellY(kSampleOver) + cardHeight_, left + kDeckSampleFan, cardHeight_,
                           deck_, samples_);
  }
}

void CardArt::LoadPlaceholders() {
  ActiveBufferKeeper keep;
  FreeArtBuffer(&placeholders_);
  placeholders_ = AllocArtBuffer(kPlaceholderWidth, kStripHeight);
  char name[40];
  std::snprintf(name, sizeof name, "artwork\\placeholder%d.bmp", background_ + 1);
  ShowBmpInBuffer(placeholders_, name);
}

void CardArt::CopyCard(int srcX, int srcY, int x, int y, int source, int dest) const {
  GfxCopyRectTransparent(srcX, srcX + cardWidth_, srcY, srcY + cardHeight_, x, y + cardHeight_,
                         source, dest);
}

void CardArt::DrawCard(int x, int y, Card card, int dest, int dark) const {
  if (!IsDrawable(card)) return;
  CopyCard(CellX(card), CellY(card), x, y, dark != 0 ? darkDeck_ : deck_, dest);
}

void CardArt::DrawCards(int x, int y, const Card* cards, int dest, int count, int dx,
                        int dy) const {
  for (int i = 0; i < count; ++i) DrawCard(x + i * dx, y + i * dy, cards[i], dest, 0);
}

void CardArt::DrawBack(int x, int y, int back, int dest) const {
  if (back < 0 || back >= kCardBackCount) return;
  CopyCard(kCellWidth * back + 1, 0, x, y, backs_, dest);
}

void CardArt::DrawMarker(int x, int y, int marker, int dest) const {
  CopyCard(kMarkerX[marker], 0, x, y, placeholders_, dest);
}

void CardArt::DrawPlaceholder(int x, int y, int dest) const {
  DrawMarker(x, y, 0, dest);
}

void CardArt::DrawPlaceholder2(int x, int y, int dest) const {
  DrawMarker(x, y, 1, dest);
}

void CardArt::DrawPlaceholder3(int x, int y, int dest) const {
  DrawMarker(x, y, 2, dest);
}

void CardArt::DrawDeckSample(int x, int y, int style, int dest) const {
  if (style < 0 || style >= kCardFrontCount) return;
  GfxCopyRectTransparent(kSampleStep * style, kSampleStep * style + DeckSampleWidth(), 0,
                         cardHeight_, x, y + cardHeight_, samples_, dest);
}

Color CardArt::SelectionColor() const {
  switch (colorSelector_) {
    case 1:
      return GfxMapRGB(255, 160, 160);
    case 2:
      return GfxMapRGB(160, 160, 255);
    default:
      return GfxMapRGB(160, 255, 160);
  }
}
