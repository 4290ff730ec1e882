// The message box through its modal loop: the results of every style, its buttons' lifetime, its
// width, and its goldens.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/RequireMedia.h"
#include "tests/ui/DialogTestSupport.h"
#include "ui/UiMessageBox.h"
#include "ui/widgets/WidgetSupport.h"

namespace {

class UiMessageBoxTest : public DialogTest {
protected:
  // The middle of the button whose left edge is `offset` from the box's middle (buttons exist
  // only while it is shown).
  static void ButtonCentre(const UiMessageBox& box, int offset, int* x, int* y) {
    *x = box.GetX() + box.GetWidth() / 2 + offset + 30;
    *y = box.GetY() + 55 + 15;
  }
};

// Escape gives each style's cancelling result, Enter the focused first button, a click or the
// mnemonic the other one. Shown again, the buttons are built anew with the focus on the first.
TEST_F(UiMessageBoxTest, KeysAndClicksGiveTheirButtonsResults) {
  const struct {
    std::uint32_t style;
    std::uint32_t key;  // 0: a click on the right-hand button
    int scan;
    int result;
  } cases[] = {
      {kUiMbOk, VK_ESCAPE, kScanEscape, 1},
      {kUiMbClose, VK_ESCAPE, kScanEscape, 2},
      {kUiMbOkCancel, VK_ESCAPE, kScanEscape, 3},
      {kUiMbYesNo, VK_ESCAPE, kScanEscape, 6},
      {0x1, VK_ESCAPE, kScanEscape, 2},
      {kUiMbOkCancel, VK_RETURN, kScanEnter, 1},
      {kUiMbOkCancel, 0, 0, 3},
      {kUiMbYesNo, 'N', kScanN, 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "style " << c.style << ", key " << c.key);
    UiMessageBox box(nullptr, "Caption", c.style, "Deal again?");
    if (c.key != 0) {
      input_->KeyAt(In(40), c.key, c.scan);
    } else {
      int x = 0, y = 0;
      ButtonCentre(box, 10, &x, &y);
      input_->ClickAt(In(40), x, y);
    }
    EXPECT_EQ(box.DoModal(), c.result);
    EXPECT_EQ(box.GetButton(0), nullptr) << "buttons go with Hide";
    EXPECT_EQ(box.Children()->Count(), 0u);
  }
  UiMessageBox yesNo(nullptr, "", kUiMbYesNo, "Deal again?");
  for (int shown = 0; shown < 2; ++shown) {
    input_->KeyAt(In(40), VK_RETURN, kScanEnter);
    EXPECT_EQ(yesNo.DoModal(), 5);
  }
}

// The click that opened a box may be the first of a double click: the second press must not
// press the box's button under the pointer. A real press does.
TEST_F(UiMessageBoxTest, TheSecondPressOfTheOpeningDoubleClickPressesNothing) {
  UiMessageBox box(nullptr, "", kUiMbOkCancel, "Deal again?");
  int x = 0, y = 0;
  ButtonCentre(box, -70, &x, &y);
  input_->At(In(40), WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(x, y));
  input_->At(In(90), WM_LBUTTONUP, 0, MakeLParam(x, y));
  input_->KeyAt(In(300), VK_ESCAPE, kScanEscape);
  EXPECT_EQ(box.DoModal(), 3) << "closed by the Escape, not by OK";

  input_->ClickAt(In(40), x, y);
  EXPECT_EQ(box.DoModal(), 1);
}

// The narrow box's size and place are the goldens'. Text too long for any screen is cut to the
// text limit, and the box still opens and closes.
TEST_F(UiMessageBoxTest, BoxIsAsWideAsItsTextNeedsUpToTheTextLimit) {
  const char* text = "There are no moves left, and this sentence goes on for a good while.";
  UiMessageBox wide(nullptr, "", kUiMbOk, text);
  const int textWidth = UiTextWidth(text, static_cast<int>(std::string(text).size()));
  ASSERT_GT(textWidth, 125);
  EXPECT_EQ(wide.GetWidth(), textWidth + 72);
  EXPECT_EQ(wide.GetX(), (800 - wide.GetWidth()) / 2);
  const std::string endless(1000, 'W');
  UiMessageBox huge(nullptr, endless.c_str(), kUiMbOk, endless.c_str());
  EXPECT_EQ(huge.GetMessageText().size(), static_cast<std::size_t>(kUiTextLimit));
  EXPECT_EQ(std::string(huge.GetText()).size(), static_cast<std::size_t>(kUiTextLimit));
  input_->KeyAt(In(40), VK_ESCAPE, kScanEscape);
  EXPECT_EQ(huge.DoModal(), 1);
}

TEST_F(UiMessageBoxTest, LooksRightWithTheThemeAndLeavesTheScreenAsItWas) {
  if (!UseArtworkOnBackdrop(0)) QS_SKIP_MISSING("generated media missing (QS_MEDIA_DIR)");
  const std::vector<std::uint32_t> before = ScreenPixels(screenBuffer_);

  UiMessageBox box(nullptr, "Player Select", kUiMbOk, "You must enter a name.");
  box.Show();
  const int left = box.GetX(), top = box.GetY();
  const int right = left + box.GetWidth() - 1, bottom = top + box.GetHeight() - 1;
  EXPECT_TRUE(MatchesGolden("ui/message_box_player_select", screenBuffer_, left - 12, right + 12,
                            top - 12, bottom + 12));
  box.Hide();
  EXPECT_EQ(ScreenPixels(screenBuffer_), before) << "Hide puts the screen back";

  // The end of a game asks without a title: no plate, the text thirty pixels down.
  UiMessageBox untitled(nullptr, "", kUiMbOk, "There are no moves left.");
  EXPECT_TRUE(ShowsAsGolden(untitled, "ui/message_box_no_moves", untitled.GetX() - 12,
                            untitled.GetX() + untitled.GetWidth() + 11, untitled.GetY() - 12,
                            untitled.GetY() + untitled.GetHeight() + 11));
}

}  // namespace
