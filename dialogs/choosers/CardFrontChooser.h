// The card-front chooser: one sample card of each of the four deck styles in a row.
#pragma once

#include <optional>

#include "dialogs/choosers/PictureChooser.h"

class CardFrontChooser : public PictureChooser {
public:
  // Opens on the player's card-front preference.
  CardFrontChooser();
  explicit CardFrontChooser(int initial);

  ScreenRect SampleRect(int i) const override;
  int SampleCount() const override;

protected:
  void DrawSamples() override;
};

// The chosen deck style, or nothing when cancelled. Stores nothing.
std::optional<int> RunCardFrontChooser(int current);
