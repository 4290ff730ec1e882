// The background chooser: the six backdrops as 200 x 150 thumbnails in two rows of three; OK
// hands back the outlined one, which selects the whole theme.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "dialogs/choosers/PictureChooser.h"

inline constexpr int kBackgroundCount = 6;
inline constexpr int kThumbnailWidth = 200;
inline constexpr int kThumbnailHeight = 150;

class BackgroundChooser : public PictureChooser {
public:
  // Opens on the player's background preference.
  BackgroundChooser();
  // Decodes and shrinks the six backdrops, under the wait cursor.
  explicit BackgroundChooser(int initial);

  ScreenRect SampleRect(int i) const override;
  int SampleCount() const override { return kBackgroundCount; }

  // False when that backdrop could not be read: its place stays blank.
  bool HasThumbnail(int i) const;

protected:
  void DrawSamples() override;

private:
  void MakeThumbnails();

  // Image arrays as the graphics layer reads them, bottom row first; empty when not read.
  std::array<std::vector<std::uint8_t>, kBackgroundCount> thumbnails_;
};

// The chosen background, or nothing when cancelled. Stores nothing.
std::optional<int> RunBackgroundChooser(int current);
