// The card pictures (faces, darkened faces, backs, empty-pile markers, deck samples) and every
// card-drawing call the games and the card choosers use.
#pragma once

#include <functional>

#include "engine/Card.h"
#include "gfx/Gfx.h"
#include "platform/Screen.h"

inline constexpr int kCardFrontCount = 4;
inline constexpr int kCardBackCount = 21;

// Extra layers a squared pile of n cards shows: one more for every ten cards.
constexpr int PileLayers(int cards) {
  return cards >= 1 ? cards / 10 : 0;
}

// Cards lying above the base card of a foundation whose top card has rank `topRank`, counting
// round the corner from King to Ace to Two.
constexpr int FoundationCardsAbove(int topRank, int baseRank) {
  if (topRank == baseRank) return 0;
  return baseRank > topRank ? topRank + 13 - baseRank : topRank + 1 - baseRank;
}

// How far the upper card of a front's sample lies to the right of the lower one: enough to leave
// the lower card's index in view.
inline constexpr int kDeckSampleFan = 14;

class CardArt {
public:
  CardArt();
  virtual ~CardArt();
  CardArt(const CardArt&) = delete;
  CardArt& operator=(const CardArt&) = delete;

  // Where the chosen card front comes from (the player's preference); front 0 until set.
  // Read at every LoadDecks, so a new choice takes effect with the next load.
  void SetCardFrontSource(std::function<int()> source) { cardFrontSource_ = std::move(source); }
  int CardFront() const;
  int CardBack() const { return cardBack_; }
  void SetCardBack(int back) { cardBack_ = back; }

  // Loads the small text font once, then (again) the chosen faces, their dark twin and the backs.
  void LoadDecks();
  // Cuts a sample of each of the four fronts for the card-front chooser: two cards fanned, so
  // that the fronts' colours and court figures tell them apart. Leaves the face buffer holding
  // the last front; the next LoadDecks puts the chosen one back.
  void MakeDeckSamples();
  // (Re)loads the three empty-pile markers of the current background.
  void LoadPlaceholders();

  // All drawing places the picture's top-left corner at (x, y) of buffer `dest` and lets the
  // magenta around the rounded corners show what is underneath.
  void DrawCard(int x, int y, Card card, int dest, int dark) const;
  void DrawCards(int x, int y, const Card* cards, int dest, int count, int dx, int dy) const;
  void DrawBack(int x, int y, int back, int dest) const;
  void DrawPlaceholder(int x, int y, int dest) const;   // empty pile
  void DrawPlaceholder2(int x, int y, int dest) const;  // stock that cannot be turned again
  void DrawPlaceholder3(int x, int y, int dest) const;  // stock that can be turned again
  // A front's sample, DeckSampleWidth() + 1 pixels wide and as high as a card.
  void DrawDeckSample(int x, int y, int style, int dest) const;
  int DeckSampleWidth() const { return cardWidth_ + kDeckSampleFan; }

  // A face-down stock of `stockCount` cards, thickened by PileLayers; an empty stock shows the
  // third marker when useThirdMarker is set, else the second. `bounds` receives what it covers.
  void DrawStock(ScreenRect* bounds, int x, int y, int back, int stockCount, int dest,
                 bool useThirdMarker) const;
  // Top-left corner of the top layer of such a stock: where a click turns it.
  ScreenPoint StockTop(int x, int y, int stockCount) const;
  // Cards bottom to top. visible -1 squares the pile with its thickness; otherwise the top
  // `visible` cards fan out by (dx, dy), on top of the card just below them.
  void DrawFannedPile(int x, int y, const Card* cards, int count, int dest, int visible, int dx,
                      int dy) const;
  // The top card of a foundation, thickened by the cards under it: `count` of them, or, with
  // count -1, as many as the rank climbed from baseRank.
  void DrawFoundation(int x, int y, Card card, int dest, int baseRank, int count) const;

  // Outline colour of the chosen item in the choosers and colour of the status line.
  Color SelectionColor() const;

  // Inclusive spans of a card picture: 52 and 82 for a 53 x 83 card.
  int CardWidth() const { return cardWidth_; }
  int CardHeight() const { return cardHeight_; }
  int SmallFont() const { return smallFont_; }
  int BackgroundIndex() const { return background_; }

  int DeckBuffer() const { return deck_; }
  int DarkDeckBuffer() const { return darkDeck_; }
  int BacksBuffer() const { return backs_; }
  int PlaceholderBuffer() const { return placeholders_; }
  int DeckSampleBuffer() const { return samples_; }

protected:
  int background_ = 0;  // chooses the markers; the whole theme follows it

private:
  void DrawMarker(int x, int y, int marker, int dest) const;
  void CopyCard(int srcX, int srcY, int x, int y, int source, int dest) const;

  int deck_ = -1;
  int darkDeck_ = -1;
  int backs_ = -1;
  int placeholders_ = -1;
  int samples_ = -1;
  int cardWidth_ = 52;
  int cardHeight_ = 82;
  int smallFont_ = 0;
  int cardBack_ = 0;
  // Kept for the alternative outline colours; nothing in the game switches it yet.
  int colorSelector_ = 0;
  std::function<int()> cardFrontSource_;
};
