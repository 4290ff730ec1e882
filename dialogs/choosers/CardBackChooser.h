// The card-back chooser: the 21 backs in three rows of seven; OK hands back the outlined one.
#pragma once

#include <optional>

#include "dialogs/choosers/PictureChooser.h"

class CardBackChooser : public PictureChooser {
public:
  // Opens on the artwork's current back.
  CardBackChooser();
  explicit CardBackChooser(int initial);

  ScreenRect SampleRect(int i) const override;
  int SampleCount() const override;

protected:
  void DrawSamples() override;
};

// The chosen back, or nothing when cancelled. Stores nothing.
std::optional<int> RunCardBackChooser(int current);
