// The line under a caption's mnemonic letter, in the fonts the program loads: it stands under
// the letters with one clear row between, inside its widget, in check boxes and menu items alike.
#include <gtest/gtest.h>

#include "gfx/font/Font.h"
#include "tests/support/RequireMedia.h"
#include "tests/ui/DialogTestSupport.h"
#include "ui/menus/DropDown.h"
#include "ui/menus/MenuBar.h"
#include "ui/menus/MenuEntry.h"
#include "ui/widgets/CheckBox.h"

namespace {

class MnemonicLineTest : public DialogTest {
protected:
  // Looks in the element's rectangle, bottom up, for the underline: a run of exactly `length`
  // pixels of `colour` with no such pixel on either side. Then checks the row above it is clear
  // over the run and the row above that holds the letter's foot.
  testing::AssertionResult UnderlinedWithAGap(const UiElement& e, Color colour, int length) {
    const int left = e.GetX(), right = e.GetX() + e.GetWidth() - 1;
    const int top = e.GetY(), bottom = e.GetY() + e.GetHeight() - 1;
    const auto lit = [&](int x, int y) { return BufferPixel(screenBuffer_, x, y) == colour; };
    for (int y = bottom; y >= top + 2; --y) {
      for (int x = left; x + length - 1 <= right; ++x) {
        bool run = (x == left || !lit(x - 1, y)) && (x + length > right || !lit(x + length, y));
        for (int i = 0; run && i < length; ++i) run = lit(x + i, y);
        if (!run) continue;
        int gap = 0, foot = 0;
        for (int i = 0; i < length; ++i) {
          gap += lit(x + i, y - 1);
          foot += lit(x + i, y - 2);
        }
        if (gap == 0 && foot > 0) return testing::AssertionSuccess();
        return testing::AssertionFailure()
               << "line at row " << y << ": " << gap << " lit pixels right above it, " << foot
               << " two rows up";
      }
    }
    return testing::AssertionFailure() << "no underline of " << length << " pixels";
  }
  static int LetterWidth(int font, const char* letter) {
    GfxSelectFont(font);
    return GfxFontWidth(letter, 1);
  }
};

TEST_F(MnemonicLineTest, LineSitsUnderTheLettersWithOneClearRow) {
  if (UiToolkit.dialogFont == 0) QS_SKIP_MISSING("no generated fonts");
  // Text and screen in different colours, so the letters stand out.
  const Color ground = GfxMapRGB(60, 60, 60);
  GfxOpenBuffer(screenBuffer_);
  GfxSetColor(ground);
  GfxClear();
  UiScreen screen(0, 0, 799, 599);
  auto* box = screen.MakeChild<CheckBox>(100, 100, "&Foundation already filled in.", false, 800);
  auto* bar = screen.MakeChild<MenuBar>(54, 300, 0, 0, 300, 29, -1);
  auto* title = bar->MakeChild<MenuEntry>(0, 0, 97, 0, 96, 23, 54, 300, 96, 29, -1, -1,
                                          kMenuTitleStyle, "&Game");
  auto* list = title->MakeChild<DropDown>(0, 0, 199, 4, 0, 477, 199, 4, -1);
  MenuEntry* item = list->AddItem("&Undo", 1005);
  screen.Show();
  Turn(screen, WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(100, 310));
  Turn(screen, WM_LBUTTONUP, 0, MakeLParam(100, 310));
  ASSERT_TRUE(list->IsShown());
  item->Draw();

  const Color text = UiColour(kUiColourText);
  EXPECT_TRUE(UnderlinedWithAGap(*box, text, LetterWidth(UiToolkit.dialogFont, "F")))
      << "check box";
  EXPECT_TRUE(UnderlinedWithAGap(*item, text, LetterWidth(UiToolkit.defaultFont, "U")))
      << "menu item";
}

}  // namespace
