// The edit field: typing and deleting at the caret, selecting by dragging either way, the width
// and character limits, Enter and the caption's mnemonic.
#include <string>

#include "tests/ui/widgets/WidgetTestSupport.h"
#include "ui/widgets/EditField.h"
#include "ui/widgets/TextButton.h"

namespace {

class WidgetsEditTest : public WidgetTest {
protected:
  void SetUp() override {
    WidgetTest::SetUp();
    button_ = screen_->MakeChild<TextButton>(400, 400, 80, 30, -1, "OK");
    field_ = screen_->MakeChild<EditField>(100, 100, 300, 100, "&Name:");
    screen_->Show();
  }
  // The column of the boundary before character i (8 pixels each, from 6 in), plus a nudge.
  static int Column(int i, int nudge = 0) { return 106 + i * 8 + nudge; }
  std::string Text() const { return field_->GetText(); }

  TextButton* button_ = nullptr;
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
  // A click puts the caret on the nearer boundary.
  Click(Column(1, 3), 110);
  EXPECT_EQ(field_->GetCaret(), 1);
  Click(Column(1, 5), 110);
  EXPECT_EQ(field_->GetCaret(), 2);
  Click(Column(0) - 3, 110);
  EXPECT_EQ(field_->GetCaret(), 0);
}

TEST_F(WidgetsEditTest, DraggingSelectsTheSameEitherWayAndTypingReplacesIt) {
  field_->SetText("abcdef");
  Press(Column(1), 110);
  Drag(Column(50), 110);  // beyond the text: to its end
  EXPECT_EQ(field_->GetSelectionStart(), 1);
  EXPECT_EQ(field_->GetSelectionEnd(), 6);
  Release(Column(50), 110);
  Press(Column(4), 110);
  Drag(Column(1), 110);
  Release(Column(1), 110);
  EXPECT_EQ(field_->GetSelectionStart(), 1);
  EXPECT_EQ(field_->GetSelectionEnd(), 4);
  Type('z');
  EXPECT_EQ(Text(), "azef");
  EXPECT_EQ(field_->GetCaret(), 2);
  Press(Column(0), 110);
  Drag(Column(2), 110);
  Release(Column(2), 110);
  Backspace();
  EXPECT_EQ(Text(), "ef");
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

TEST_F(WidgetsEditTest, FocusedFieldKeepsKeysButEnterAcceptsAndMnemonicFocuses) {
  Type('n');  // the caption's mnemonic, from outside the field
  EXPECT_EQ(screen_->Children()->Mark(), field_);
  EXPECT_EQ(Text(), "");
  Type('n');  // now it is just a letter
  EXPECT_EQ(Text(), "n");
  Enter();
  EXPECT_EQ(UiInput.event, EV_CLICKED);
  EXPECT_EQ(UiInput.subject, field_->GetId());
  Escape();
  EXPECT_EQ(UiInput.keyState, KS_CHAR);  // Escape still reaches the dialog
  Click(600, 500);
  EXPECT_EQ(field_->GetFocus(), kUiNoFocus);
  UiToolkit.menuOpen = 1;
  Click(Column(0), 110);
  EXPECT_EQ(field_->GetFocus(), kUiNoFocus);
}

}  // namespace
