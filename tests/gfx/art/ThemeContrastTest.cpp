// Every theme's highlight colours read on the pictures they are drawn over: lettering on its bar
// at 4.5:1 at least, a bar or outline against its surroundings at 3:1, backgrounds taken from
// the theme's own pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx/art/Themes.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/support/RequireMedia.h"

namespace {

// Relative luminance of a 0x00RRGGBB pixel, 0 (black) to 1 (white).
double Luminance(std::uint32_t rgb) {
  const auto linear = [](std::uint32_t channel) {
    const double c = static_cast<double>(channel & 0xFF) / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(rgb >> 16) + 0.7152 * linear(rgb >> 8) + 0.0722 * linear(rgb);
}

// 1 (the same) to 21 (black on white).
double ContrastRatio(std::uint32_t a, std::uint32_t b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct AreaInk {
  std::uint32_t background = 0;
  double contrast = 1.0;  // of the ink on the background
};

// The background of an area is its median pixel by luminance (lettering covers far less than
// half of any area measured), its ink the pixel that stands out most from that background.
AreaInk InkOf(int buffer, int left, int top, int right, int bottom) {
  std::vector<std::uint32_t> pixels;
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) pixels.push_back(PixelAt(buffer, x, y));
  }
  AreaInk area;
  auto middle = pixels.begin() + static_cast<std::ptrdiff_t>(pixels.size() / 2);
  std::nth_element(pixels.begin(), middle, pixels.end(),
                   [](std::uint32_t a, std::uint32_t b) { return Luminance(a) < Luminance(b); });
  area.background = *middle;
  for (const std::uint32_t p : pixels) {
    area.contrast = std::max(area.contrast, ContrastRatio(p, area.background));
  }
  return area;
}

constexpr double kTextOnBar = 4.5;
constexpr double kBarOnPanel = 3.0;
// The combo box's list is drawn white in every theme.
constexpr std::uint32_t kListPanel = 0xFFFFFF;

class ThemeContrastTest : public ArtworkTest {};

TEST_F(ThemeContrastTest, HighlightsReadInEveryTheme) {
  if (!UseGeneratedMedia()) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
  for (int theme = 0; theme < kThemeCount; ++theme) {
    SCOPED_TRACE(testing::Message() << "theme " << theme);
    ArtworkSet& art = LoadArtwork(theme);
    const int skin = art.DialogSkin();
    const int column = art.MenuColumnBuffer();
    const int pieces = art.MenuBuffer();
    const std::uint32_t body = InkOf(skin, 20, 50, 779, 549).background;
    const std::uint32_t panel = InkOf(column, 10, 10, 189, 470).background;
    const std::uint32_t bar = art.MenuHighlightBarColor();
    EXPECT_GE(ContrastRatio(art.MenuHighlightTextColor(), bar), kTextOnBar) << "highlighted text";
    EXPECT_GE(ContrastRatio(bar, panel), kBarOnPanel) << "menu bar on the menu column";
    EXPECT_GE(ContrastRatio(bar, body), kBarOnPanel) << "high-score bar on the dialog body";
    EXPECT_GE(ContrastRatio(art.ListHighlightTextColor(), art.ListHighlightColor()), kTextOnBar)
        << "combo list text on its bar";
    EXPECT_GE(ContrastRatio(art.ListHighlightColor(), kListPanel), kBarOnPanel)
        << "combo list bar on the white list";
    EXPECT_GE(ContrastRatio(art.ChooserOutlineColor(), body), kBarOnPanel) << "chooser outline";
    // The open menu's title: its own lettering reads, and it stands out from a closed title.
    for (int row = 0; row < 4; ++row) {
      SCOPED_TRACE(testing::Message() << "menu title " << row);
      const int top = 24 * row;
      const AreaInk closed = InkOf(pieces, 2, top + 2, 93, top + 20);
      const AreaInk open = InkOf(pieces, 97 + 2, top + 2, 97 + 93, top + 20);
      EXPECT_GE(closed.contrast, kTextOnBar) << "closed title lettering";
      EXPECT_GE(open.contrast, kTextOnBar) << "open title lettering";
      EXPECT_GE(ContrastRatio(open.background, closed.background), kBarOnPanel)
          << "the open title stands out";
    }
  }
}

}  // namespace
