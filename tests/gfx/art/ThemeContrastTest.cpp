// Every theme's highlight colours read on the pictures they are drawn over: lettering on its bar
// at 4.5:1 at least, a bar or outline against what surrounds it at 3:1 at least. The colours are
// the ones the artwork set hands out for the theme, the backgrounds are taken from its pictures.
#include <gtest/gtest.h>

#include "gfx/art/Themes.h"
#include "tests/gfx/art/ArtworkTestSupport.h"
#include "tests/support/Contrast.h"
#include "tests/support/RequireMedia.h"

namespace {

using qs_test::ContrastRatio;
using qs_test::InkOf;

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
    const auto skin = [&art](int x, int y) { return PixelAt(art.DialogSkin(), x, y); };
    const auto column = [&art](int x, int y) { return PixelAt(art.MenuColumnBuffer(), x, y); };
    const auto pieces = [&art](int x, int y) { return PixelAt(art.MenuBuffer(), x, y); };
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
      const qs_test::AreaInk closed = InkOf(pieces, 2, top + 2, 93, top + 20);
      const qs_test::AreaInk open = InkOf(pieces, 97 + 2, top + 2, 97 + 93, top + 20);
      EXPECT_GE(closed.contrast, kTextOnBar) << "closed title lettering";
      EXPECT_GE(open.contrast, kTextOnBar) << "open title lettering";
      EXPECT_GE(ContrastRatio(open.background, closed.background), kBarOnPanel)
          << "the open title stands out";
    }
  }
}

}  // namespace
