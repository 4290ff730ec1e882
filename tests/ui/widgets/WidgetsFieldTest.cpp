// The edit field, spin box and drop-down list: typing and the limits of the field, the
// spin box's range and held-arrow repeat, choosing and cancelling in the list.
#include <cstdint>
#include <string>

#include "platform/MessageLoop.h"
#include "tests/ui/widgets/WidgetTestSupport.h"
#include "ui/widgets/ComboBox.h"
#include "ui/widgets/EditField.h"
#include "ui/widgets/SpinBox.h"
#include "ui/widgets/TextButton.h"

namespace {

class WidgetsEditTest : public WidgetTest {
protected:
  void SetUp() override {
    WidgetTest::SetUp();
    field_ = screen_->MakeChild<EditField>(100, 100, 300, 100, "&Name:");
    screen_->Show();
  }
  // The column of the boundary before character i (8 pixels each, from 6 in).
  static int Column(int i) { return 106 + i * 8; }
  std::string Text() const { return field_->GetText(); }
  EditField* field_ = nullptr;
};

TEST_F(WidgetsEditTest, TypingInsertsAtTheCaretAndDeletingRemoves) {
  Click(Column(0), 110);
  TypeText("hello");
  Home();
  Type('x');
  EXPECT_EQ(Text(), "xhello");
  Delete();
  Backspace();
  Backspace();  // nothing before the caret
  EXPECT_EQ(Text(), "ello");
  Key(VK_END, 0x4F, true);
  Delete();  // nothing after it
  Left();
  Backspace();
  EXPECT_EQ(Text(), "elo");
}

TEST_F(WidgetsEditTest, FieldStopsAtItsWidthAndAtAHundredCharacters) {
  // 300 pixels less 20: typing stops at 280 pixels, 35 characters.
  Click(Column(0), 110);
  for (int i = 0; i < 60; ++i) Type('m');
  EXPECT_EQ(field_->GetTextLength(), 35);
  // Wider than the screen, so that only the character limit can stop it.
  auto* wide = screen_->MakeChild<EditField>(0, 200, 1000, 100, "");
  wide->Show();
  Click(10, 210);
  for (int i = 0; i < 150; ++i) Type('a');
  EXPECT_EQ(wide->GetTextLength(), kEditFieldCapacity);
  const std::string huge(5000, 'k');
  auto* narrow = screen_->MakeChild<EditField>(0, 300, 40, 0, "");
  narrow->SetText(huge.c_str());
  EXPECT_EQ(narrow->GetTextLength(), kEditFieldCapacity);
  EXPECT_EQ(narrow->GetCaret(), kEditFieldCapacity);
  narrow->Draw();  // clipped to the field
}

class WidgetsSpinTest : public WidgetTest {
protected:
  void SetUp() override {
    WidgetTest::SetUp();
    ResetMessageLoop([this] { return now_; });
    spin_ = screen_->MakeChild<SpinBox>(100, 100, 60, "&Deals:");
    spin_->SetRange(1, 10, 1);
    spin_->SetValue(5);
    screen_->Show();
  }
  void TearDown() override {
    WidgetTest::TearDown();
    ResetMessageLoop();
  }
  // Points inside the up and down arrows.
  void PressUp() { Press(170, 105); }
  void ReleaseUp() { Release(170, 105); }
  void PressDown() { Press(170, 116); }
  int TimerDue() { return ThreadMessageQueue().MillisecondsUntilNextTimer(); }
  std::uint64_t now_ = 1000;
  SpinBox* spin_ = nullptr;
};

TEST_F(WidgetsSpinTest, HeldArrowRepeatsAndStopsOnRelease) {
  PressUp();
  EXPECT_EQ(spin_->GetValue(), 6);
  for (int tick = 0; tick < 6; ++tick) Tick(kSpinBoxTimer);  // at the maximum it stays there
  Tick(4711);                                                // somebody else's timer moves nothing
  EXPECT_EQ(spin_->GetValue(), 10);
  ReleaseUp();
  EXPECT_EQ(TimerDue(), -1);
  spin_->SetValue(2);
  Tick(kSpinBoxTimer);  // a tick already queued after the release
  EXPECT_EQ(spin_->GetValue(), 2);
  PressDown();
  Tick(kSpinBoxTimer);
  EXPECT_EQ(spin_->GetValue(), 1);
}

// The rule-settings dialogs use a 20-pixel field with the range 1 to 3.
TEST_F(WidgetsSpinTest, NarrowFieldTakesADigitAndNoValueOutsideTheRangeSurvives) {
  auto* narrow = screen_->MakeChild<SpinBox>(100, 200, 20, "&Cards Dealt:");
  narrow->SetRange(1, 3, 1);
  narrow->SetValue(3);
  narrow->Show();
  Click(105, 205);  // the field takes arrow keys and digits, but no letters
  Down();
  Type('x');
  EXPECT_EQ(narrow->GetValue(), 2);
  Up();
  Up();
  EXPECT_EQ(narrow->Field()->GetText(), std::string("3"));
  Key(VK_END, 0x4F, true);
  Backspace();
  EXPECT_EQ(narrow->GetValue(), 3) << "never an empty value";
  Type('2');
  EXPECT_EQ(narrow->GetValue(), 2) << "a digit fits the narrow field";
  Type('9');
  EXPECT_EQ(narrow->Field()->GetText(), std::string("2")) << "the field is full";
  Backspace();
  Type('0');
  EXPECT_EQ(narrow->GetValue(), 1) << "below the minimum";
  Click(500, 500);  // leaving the field shows the number that counts
  EXPECT_EQ(narrow->Field()->GetText(), std::string("1"));
  // Leaving an emptied field with Tab puts the last number back.
  Click(105, 205);
  Key(VK_END, 0x4F, true);
  Backspace();
  Key(VK_TAB, 0x0F);
  EXPECT_EQ(narrow->Field()->GetText(), std::string("1"));
  narrow->SetValue(-5);
  EXPECT_EQ(narrow->GetValue(), 1);
}

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

// The list chooses with the press: the button it covers sees neither press of a double click.
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

// Settings dialogs store GetSelection: arrows in a list that is then cancelled must not move it.
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

TEST_F(WidgetsComboTest, EmptyBoxOnlyTakesTheFocusAndAFullListStillChooses) {
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
}

}  // namespace
