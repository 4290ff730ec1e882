// The spin box: arrows and keys within its range, the repeat of a held arrow on timer ticks, typed
// values; and the static widgets beside it.
#include <cstdint>
#include <string>

#include "platform/MessageLoop.h"
#include "tests/ui/widgets/WidgetTestSupport.h"
#include "ui/widgets/GroupBox.h"
#include "ui/widgets/Label.h"
#include "ui/widgets/SpinBox.h"

namespace {

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

TEST_F(WidgetsSpinTest, HeldArrowRepeatsSlowlyThenFastAndStopsOnRelease) {
  PressUp();
  EXPECT_EQ(spin_->GetValue(), 6);
  for (int tick = 1; tick <= 4; ++tick) {
    EXPECT_EQ(TimerDue(), 500);
    Tick(kSpinBoxTimer);
  }
  Tick(kSpinBoxTimer);  // the fifth repeat speeds up
  EXPECT_EQ(TimerDue(), 50);
  Tick(kSpinBoxTimer);  // at the maximum it stays there
  Tick(4711);           // somebody else's timer moves nothing
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

TEST_F(WidgetsSpinTest, FieldTakesDigitsAndArrowKeysButNothingElse) {
  Type('d');  // the caption's mnemonic focuses the field
  ASSERT_EQ(spin_->Field()->GetFocus(), kUiKeyboardFocus);
  Up();
  Down();
  Down();
  EXPECT_EQ(spin_->GetValue(), 4);
  Type('x');
  Backspace();
  EXPECT_EQ(spin_->GetValue(), 4) << "an emptied field answers with its last number";
  Type('7');
  Type('7');  // 77 is past the maximum
  EXPECT_EQ(spin_->GetValue(), 10);
  for (int i = 0; i < 20; ++i) Down();
  EXPECT_EQ(spin_->GetValue(), 1);
}

// The rule-settings dialogs use a 20-pixel field with the range 1 to 3.
TEST_F(WidgetsSpinTest, NarrowFieldTakesADigitAndNoValueOutsideTheRangeSurvives) {
  auto* narrow = screen_->MakeChild<SpinBox>(100, 200, 20, "&Cards Dealt:");
  narrow->SetRange(1, 3, 1);
  narrow->SetValue(3);
  narrow->Show();
  Click(105, 205);
  Key(VK_END, 0x4F, true);
  Backspace();
  EXPECT_EQ(narrow->Field()->GetText(), std::string(""));
  EXPECT_EQ(narrow->GetValue(), 3) << "never an empty value";
  Type('2');
  EXPECT_EQ(narrow->Field()->GetText(), std::string("2")) << "a digit fits the narrow field";
  EXPECT_EQ(narrow->GetValue(), 2);
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

// Dialogs are built at one place and then centred; a spin box's parts go with it.
TEST_F(WidgetTest, CentringAContainerMovesSpinBoxesWithTheirParts) {
  ProbePanel panel(nullptr, 0, 0, 400, 300);
  auto* spin = panel.MakeChild<SpinBox>(100, 100, 40, "&N:");
  const int fieldX = spin->Field()->GetX(), upX = spin->UpArrow()->GetX();
  const int downY = spin->DownArrow()->GetY();
  panel.Center();  // by (200, 150)
  EXPECT_EQ(spin->Field()->GetX(), fieldX + 200);
  EXPECT_EQ(spin->UpArrow()->GetX(), upX + 200);
  EXPECT_EQ(spin->DownArrow()->GetY(), downY + 150);
}

TEST_F(WidgetsSpinTest, DisabledOrBlockedSpinBoxStandsStill) {
  UiToolkit.menuOpen = 1;
  PressUp();
  ReleaseUp();
  UiToolkit.menuOpen = 0;
  spin_->SetDisabled(true);
  EXPECT_TRUE(spin_->UpArrow()->IsDisabled());
  PressUp();
  EXPECT_EQ(spin_->GetValue(), 5);
  EXPECT_EQ(TimerDue(), -1);
}

TEST_F(WidgetsSpinTest, StaticWidgetsAreSkippedByTabAndCutLongLines) {
  auto* frame = screen_->MakeChild<GroupBox>(10, 300, 200, 100, "Options", kGroupBoxEtched);
  const std::string huge(1000, 'L');
  auto* label = screen_->MakeChild<Label>(10, 450, -1, "first", huge.c_str(), nullptr, "fourth");
  frame->Show();
  label->Show();
  EXPECT_EQ(label->GetLine(1).size(), 255u);
  EXPECT_EQ(label->GetLine(3), "fourth");
  EXPECT_EQ(label->GetLine(7), "");
  Key(VK_TAB, 0x0F);
  Key(VK_TAB, 0x0F);
  EXPECT_EQ(screen_->Children()->Mark(), spin_);
}

}  // namespace
