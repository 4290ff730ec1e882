// The drop-down list: opening, choosing with mouse and keys, cancelling, the other widgets
// standing still while it is open, the item limit and long texts.
#include <string>

#include "tests/ui/widgets/WidgetTestSupport.h"
#include "ui/widgets/ComboBox.h"
#include "ui/widgets/TextButton.h"

namespace {

class WidgetsComboTest : public WidgetTest {
protected:
  void SetUp() override {
    WidgetTest::SetUp();
    combo_ = screen_->MakeChild<ComboBox>(100, 100, 150, 20);
    for (const char* item : {"Alpha", "Bravo", "Charlie"}) combo_->AddItem(item);
    // Directly under the open list, where a press on the list would also land.
    button_ = screen_->MakeChild<TextButton>(100, 125, 150, 40, -1, "Under");
    screen_->Show();
  }
  // Screen row inside item i of the open list.
  int ItemRow(int i) const { return combo_->ListTop() + 5 + 12 * i + 6; }

  ComboBox* combo_ = nullptr;
  TextButton* button_ = nullptr;
};

TEST_F(WidgetsComboTest, PressOpensAndAPressOnTheListChoosesWithoutReachingBelow) {
  combo_->SetSelection(1);
  Press(110, 110);
  ASSERT_TRUE(combo_->IsOpen());
  EXPECT_NE(UiToolkit.menuOpen, 0u);
  EXPECT_EQ(combo_->GetSelection(), 1);  // the item equal to the current text
  Release(110, 110);

  Move(120, ItemRow(2));
  EXPECT_EQ(combo_->GetHoverIndex(), 2);
  Press(120, ItemRow(2));
  EXPECT_FALSE(combo_->IsOpen());
  EXPECT_EQ(UiToolkit.menuOpen, 0u);
  EXPECT_EQ(combo_->GetText(), std::string("Charlie"));
  EXPECT_EQ(UiInput.mouseState, MS_IDLE);
  EXPECT_FALSE(button_->IsPressed());  // the button under the list never saw the press
  Release(120, ItemRow(2));
  EXPECT_NE(UiInput.event, EV_CLICKED);

  // Chosen with a double click, as lists are: the second press is the list's, not the button's.
  Click(110, 110);
  Press(120, ItemRow(0));
  Release(120, ItemRow(0));
  Turn(*screen_, WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(120, ItemRow(0)));
  EXPECT_FALSE(button_->IsPressed());
  Release(120, ItemRow(0));
  EXPECT_NE(UiInput.event, EV_CLICKED);
  EXPECT_EQ(combo_->GetText(), std::string("Alpha"));
}

TEST_F(WidgetsComboTest, KeysChooseOrCancelAndNeverReachTheDialog) {
  Click(110, 110);
  ASSERT_TRUE(combo_->IsOpen());
  EXPECT_EQ(combo_->GetSelection(), -1);  // empty text matches no item
  Down();
  Down();
  Down();
  Down();
  EXPECT_EQ(combo_->GetSelection(), 2);  // clamped at the last item
  Up();
  Enter();
  EXPECT_FALSE(combo_->IsOpen());
  EXPECT_EQ(combo_->GetText(), std::string("Bravo"));
  // Enter in the focused box is the box's own: no button clicks, the key is gone.
  ASSERT_EQ(combo_->GetFocus(), kUiKeyboardFocus);
  Enter();
  EXPECT_NE(UiInput.event, EV_CLICKED);
  EXPECT_EQ(UiInput.keyState, KS_NONE);

  // A settings dialog stores GetSelection: the arrows in a list that is then cancelled, with
  // Escape or a press elsewhere, must not change it.
  Click(110, 110);
  Down();
  Escape();
  EXPECT_FALSE(combo_->IsOpen());
  EXPECT_EQ(UiToolkit.menuOpen, 0u);
  EXPECT_EQ(combo_->GetText(), std::string("Bravo"));
  EXPECT_EQ(combo_->GetSelection(), 1);
  Click(110, 110);
  Down();
  Press(600, 500);
  EXPECT_FALSE(combo_->IsOpen());
  EXPECT_EQ(combo_->GetText(), std::string("Bravo"));
  EXPECT_EQ(combo_->GetSelection(), 1);
}

TEST_F(WidgetsComboTest, OpenListBlocksOtherWidgetsUntilItCloses) {
  Click(110, 110);
  ASSERT_TRUE(combo_->IsOpen());
  Type('u');  // the button's mnemonic would otherwise click it
  EXPECT_NE(UiInput.event, EV_CLICKED);
  EXPECT_FALSE(button_->IsActive());
  Press(200, 300);  // outside the list: closes it, but the button was frozen this turn
  EXPECT_FALSE(combo_->IsOpen());
  Release(200, 300);
  Press(200, 150);
  EXPECT_TRUE(button_->IsPressed());
  EXPECT_TRUE(button_->IsActive());
}

TEST_F(WidgetsComboTest, EmptyBoxOnlyTakesTheFocusAndLimitsHold) {
  auto* empty = screen_->MakeChild<ComboBox>(400, 100, 100, 5);
  empty->Show();
  Press(410, 110);
  EXPECT_FALSE(empty->IsOpen());
  EXPECT_EQ(UiInput.event, EV_PRESSED);
  EXPECT_EQ(screen_->Children()->Mark(), empty);
  Release(410, 110);

  for (int i = 0; i < kComboBoxMaxItems; ++i) {
    ASSERT_EQ(empty->AddItem(std::to_string(i).c_str()), i);
  }
  EXPECT_EQ(empty->AddItem("one too many"), -1);
  EXPECT_EQ(empty->GetItemCount(), kComboBoxMaxItems);
  empty->SetSelection(kComboBoxMaxItems);
  empty->SetSelection(-1);
  EXPECT_EQ(empty->GetSelection(), -1);
  // The full list runs far below the screen; it opens, draws and closes all the same.
  Click(410, 110);
  ASSERT_TRUE(empty->IsOpen());
  Move(420, 598);
  EXPECT_EQ(empty->GetHoverIndex(), (598 - empty->ListTop() - 5) / 12);
  Press(420, 598);
  EXPECT_EQ(empty->GetText(), std::to_string(empty->GetSelection()));
  Release(420, 598);

  // Texts are cut to the box's capacity and items to the text limit.
  empty->SetText("far too long");
  EXPECT_EQ(empty->GetText(), std::string("far t"));
  const std::string huge(4000, 'q');
  const int index = combo_->AddItem(huge.c_str());
  EXPECT_EQ(combo_->GetItem(index).size(), 255u);
  combo_->SetSelection(index);
  EXPECT_EQ(combo_->GetTextLength(), 20);
}

}  // namespace
