// The edit field: typing, deleting, moving the caret, selecting by dragging either way, the
// character and width limits, Enter and the caption's mnemonic.
#include <string>

#include "tests/ui/widgets/WidgetTestSupport.h"
#include "ui/widgets/EditField.h"
#include "ui/widgets/TextButton.h"

namespace {

// The built-in font draws every character 8 pixels wide; the text starts 6 pixels in.
constexpr int kChar = 8;

class WidgetsEditTest : public WidgetTest {
protected:
  void SetUp() override {
    WidgetTest::SetUp();
    button_ = screen_->MakeChild<TextButton>(400, 400, 80, 30, -1, "OK");
    field_ = screen_->MakeChild<EditField>(100, 100, 300, 100, "&Name:");
    screen_->Show();
  }
  // The screen column of the boundary before character i, plus a nudge into the next one.
  int Column(int i, int nudge = 0) const { return 100 + 6 + i * kChar + nudge; }
  std::string Text() const { return field_->GetText(); }

  TextButton* button_ = nullptr;
  EditField* field_ = nullptr;
};

TEST_F(WidgetsEditTest, TypingInsertsAtTheCaretAndDeletingRemoves) {
  Click(Column(0), 110);
  EXPECT_EQ(field_->GetFocus(), kUiKeyboardFocus);
  TypeText("hello");
  EXPECT_EQ(Text(), "hello");
  EXPECT_EQ(field_->GetCaret(), 5);
  Home();
  Type('x');
  EXPECT_EQ(Text(), "xhello");
  Delete();
  EXPECT_EQ(Text(), "xello");
  Backspace();
  EXPECT_EQ(Text(), "ello");
  Backspace();  // nothing before the caret
  EXPECT_EQ(Text(), "ello");
  Key(VK_END, 0x4F, true);
  Delete();  // nothing after it
  EXPECT_EQ(Text(), "ello");
  Left();
  Backspace();
  EXPECT_EQ(Text(), "elo");
  // A click puts the caret on the nearer boundary: just left of a character's middle stays
  // before it, just right of it goes after it.
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
  Drag(Column(4), 110);
  EXPECT_EQ(field_->GetSelectionStart(), 1);
  EXPECT_EQ(field_->GetSelectionEnd(), 4);
  Drag(Column(50), 110);  // beyond the text: to its end
  EXPECT_EQ(field_->GetSelectionEnd(), 6);
  Release(Column(50), 110);
  EXPECT_FALSE(field_->IsDragging());

  Press(Column(4), 110);
  Drag(Column(1), 110);
  EXPECT_EQ(field_->GetSelectionStart(), 1);
  EXPECT_EQ(field_->GetSelectionEnd(), 4);
  Release(Column(1), 110);
  Type('z');
  EXPECT_EQ(Text(), "azef");
  EXPECT_EQ(field_->GetCaret(), 2);
  EXPECT_EQ(field_->GetSelectionStart(), -1);

  Press(Column(0), 110);
  Drag(Column(2), 110);
  Release(Column(2), 110);
  Backspace();
  EXPECT_EQ(Text(), "ef");
  EXPECT_EQ(field_->GetCaret(), 0);
}

TEST_F(WidgetsEditTest, FieldStopsAtItsWidthAndAtAHundredCharacters) {
  // 300 pixels less 20: typing stops once the text is 280 pixels (35 characters) wide.
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
  wide->SetText(huge.c_str());
  EXPECT_EQ(wide->GetTextLength(), kEditFieldCapacity);
  EXPECT_EQ(wide->GetCaret(), kEditFieldCapacity);
  // A long text in a narrow field is drawn clipped to the field.
  auto* narrow = screen_->MakeChild<EditField>(0, 300, 40, 0, "");
  narrow->SetText(huge.c_str());
  EXPECT_EQ(narrow->GetTextLength(), kEditFieldCapacity);
  narrow->Draw();
}

TEST_F(WidgetsEditTest, FocusedFieldKeepsKeysButEnterAcceptsAndMnemonicFocuses) {
  ASSERT_EQ(button_->GetFocus(), kUiKeyboardFocus);
  Type('n');  // the caption's mnemonic, from outside the field
  EXPECT_EQ(field_->GetFocus(), kUiKeyboardFocus);
  EXPECT_EQ(screen_->Children()->Mark(), field_);
  EXPECT_EQ(Text(), "");
  Type('n');  // now it is just a letter
  EXPECT_EQ(Text(), "n");
  Enter();
  EXPECT_EQ(UiInput.event, EV_CLICKED);
  EXPECT_EQ(UiInput.subject, field_->GetId());
  Escape();
  EXPECT_EQ(UiInput.keyState, KS_CHAR);  // Escape still reaches the dialog
  // A press elsewhere takes the focus away.
  Press(600, 500);
  EXPECT_EQ(field_->GetFocus(), kUiNoFocus);
  Release(600, 500);
  UiToolkit.menuOpen = 1;
  Click(Column(0), 110);
  EXPECT_EQ(field_->GetFocus(), kUiNoFocus);
}

}  // namespace
