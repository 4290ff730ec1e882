// The drop-down list: choosing with mouse and keys, cancelling, the widgets beneath standing still
// while it is open, the item limit and long texts.
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
  std::string Text() const { return combo_->GetText(); }

  ComboBox* combo_ = nullptr;
  TextButton* button_ = nullptr;
};

// The list chooses with the press; neither it nor the second press of a double click reaches
// the button the list covers.
TEST_F(WidgetsComboTest, APressOnTheListChoosesWithoutReachingBelow) {
  combo_->SetSelection(1);
  Click(110, 110);
  ASSERT_TRUE(combo_->IsOpen());
  EXPECT_EQ(combo_->GetSelection(), 1);  // the item equal to the current text
  Press(120, ItemRow(2));
  EXPECT_FALSE(combo_->IsOpen());
  EXPECT_EQ(UiToolkit.menuOpen, 0u);
  EXPECT_EQ(Text(), "Charlie");
  EXPECT_FALSE(button_->IsPressed());
  Release(120, ItemRow(2));
  EXPECT_NE(UiInput.event, EV_CLICKED);

  Click(110, 110);
  Click(120, ItemRow(0));
  Turn(*screen_, WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(120, ItemRow(0)));
  EXPECT_FALSE(button_->IsPressed());
  Release(120, ItemRow(0));
  EXPECT_NE(UiInput.event, EV_CLICKED);
  EXPECT_EQ(Text(), "Alpha");
}

// Settings dialogs store GetSelection: arrows in a list then cancelled (Escape or a press
// elsewhere) must not change it.
TEST_F(WidgetsComboTest, KeysChooseOrCancelAndNeverReachTheDialog) {
  Click(110, 110);
  EXPECT_EQ(combo_->GetSelection(), -1);  // empty text matches no item
  for (int i = 0; i < 4; ++i) Down();
  EXPECT_EQ(combo_->GetSelection(), 2);  // clamped at the last item
  Up();
  Enter();
  EXPECT_FALSE(combo_->IsOpen());
  EXPECT_EQ(Text(), "Bravo");
  Enter();  // the focused box keeps Enter: no button clicks
  EXPECT_NE(UiInput.event, EV_CLICKED);
  EXPECT_EQ(UiInput.keyState, KS_NONE);

  Click(110, 110);
  Down();
  Escape();
  EXPECT_FALSE(combo_->IsOpen());
  EXPECT_EQ(UiToolkit.menuOpen, 0u);
  EXPECT_EQ(combo_->GetSelection(), 1);
  Click(110, 110);
  Down();
  Press(600, 500);
  EXPECT_FALSE(combo_->IsOpen());
  EXPECT_EQ(Text(), "Bravo");
  EXPECT_EQ(combo_->GetSelection(), 1);
}

TEST_F(WidgetsComboTest, OpenListBlocksOtherWidgetsUntilItCloses) {
  Click(110, 110);
  ASSERT_NE(UiToolkit.menuOpen, 0u);
  Type('u');  // the button's mnemonic
  EXPECT_NE(UiInput.event, EV_CLICKED);
  Press(200, 300);  // outside the list: closes it, but the button was frozen this turn
  EXPECT_FALSE(combo_->IsOpen());
  Release(200, 300);
  Press(200, 150);
  EXPECT_TRUE(button_->IsPressed());
}

TEST_F(WidgetsComboTest, EmptyBoxOnlyTakesTheFocusAndLimitsHold) {
  auto* box = screen_->MakeChild<ComboBox>(400, 100, 100, 5);
  box->Show();
  Press(410, 110);
  EXPECT_FALSE(box->IsOpen());
  EXPECT_EQ(screen_->Children()->Mark(), box);
  Release(410, 110);

  for (int i = 0; i < kComboBoxMaxItems; ++i) box->AddItem(std::to_string(i).c_str());
  EXPECT_EQ(box->AddItem("one too many"), -1);
  box->SetSelection(kComboBoxMaxItems);
  EXPECT_EQ(box->GetSelection(), -1);
  // The full list runs far below the screen; it opens, draws and chooses all the same.
  Click(410, 110);
  ASSERT_TRUE(box->IsOpen());
  Press(420, 598);
  EXPECT_EQ(box->GetText(), std::to_string((598 - box->ListTop() - 5) / 12));
  Release(420, 598);
  // Texts are cut to the box's capacity, items to the text limit.
  box->SetText("far too long");
  EXPECT_EQ(box->GetText(), std::string("far t"));
  const int index = combo_->AddItem(std::string(4000, 'q').c_str());
  EXPECT_EQ(combo_->GetItem(index).size(), 255u);
  combo_->SetSelection(index);
  EXPECT_EQ(combo_->GetTextLength(), 20);
}

}  // namespace
