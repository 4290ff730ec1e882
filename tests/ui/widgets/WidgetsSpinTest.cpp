// The spin box: stepping by arrows and keys within its range, the repeat of a held arrow driven
// by timer ticks, typed values, and the other widgets' static partners.
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
  void PressUp() { Press(100 + 60 + 3 + 7, 100 + 5); }
  void ReleaseUp() { Release(100 + 60 + 3 + 7, 100 + 5); }
  void PressDown() { Press(100 + 60 + 3 + 7, 100 + 11 + 5); }
  void ReleaseDown() { Release(100 + 60 + 3 + 7, 100 + 11 + 5); }
  int TimerDue() { return ThreadMessageQueue().MillisecondsUntilNextTimer(); }

  std::uint64_t now_ = 1000;
  SpinBox* spin_ = nullptr;
};

TEST_F(WidgetsSpinTest, HeldArrowRepeatsSlowlyThenFastAndStopsOnRelease) {
  PressUp();
  EXPECT_EQ(spin_->GetValue(), 6);
  EXPECT_EQ(TimerDue(), 500);
  for (int tick = 1; tick <= 4; ++tick) {
    Tick(kSpinBoxTimer);
    EXPECT_EQ(spin_->GetValue(), 6 + tick);
    EXPECT_EQ(TimerDue(), 500);
  }
  Tick(kSpinBoxTimer);  // the fifth repeat speeds up
  EXPECT_EQ(spin_->GetValue(), 10);
  EXPECT_EQ(TimerDue(), 50);
  Tick(kSpinBoxTimer);  // at the maximum it stays there
  Tick(kSpinBoxTimer);
  EXPECT_EQ(spin_->GetValue(), 10);
  Tick(4711);  // somebody else's timer moves nothing
  ReleaseUp();
  EXPECT_EQ(TimerDue(), -1);
  Tick(kSpinBoxTimer);  // a tick already queued after the release
  EXPECT_EQ(spin_->GetValue(), 10);

  spin_->SetValue(2);
  PressDown();
  Tick(kSpinBoxTimer);
  Tick(kSpinBoxTimer);
  EXPECT_EQ(spin_->GetValue(), 1);
  ReleaseDown();
}

TEST_F(WidgetsSpinTest, FieldTakesDigitsAndArrowKeysButNothingElse) {
  Type('d');  // the caption's mnemonic focuses the field
  ASSERT_EQ(spin_->Field()->GetFocus(), kUiKeyboardFocus);
  EXPECT_EQ(screen_->Children()->Mark(), spin_);
  Up();
  EXPECT_EQ(spin_->GetValue(), 6);
  Down();
  Down();
  EXPECT_EQ(spin_->GetValue(), 4);
  Type('x');
  EXPECT_EQ(spin_->Field()->GetText(), std::string("4"));
  Backspace();
  EXPECT_EQ(spin_->GetValue(), -1);  // an empty field
  Type('7');
  EXPECT_EQ(spin_->GetValue(), 7);
  Type('7');  // 77 is past the maximum
  EXPECT_EQ(spin_->GetValue(), 10);
  for (int i = 0; i < 20; ++i) Down();
  EXPECT_EQ(spin_->GetValue(), 1);
}

TEST_F(WidgetsSpinTest, DisabledOrBlockedSpinBoxStandsStill) {
  UiToolkit.menuOpen = 1;
  PressUp();
  ReleaseUp();
  EXPECT_EQ(spin_->GetValue(), 5);
  UiToolkit.menuOpen = 0;
  spin_->SetDisabled(true);
  EXPECT_TRUE(spin_->Field()->IsDisabled());
  EXPECT_TRUE(spin_->UpArrow()->IsDisabled());
  PressUp();
  ReleaseUp();
  EXPECT_EQ(spin_->GetValue(), 5);
  EXPECT_EQ(TimerDue(), -1);
}

TEST_F(WidgetsSpinTest, StaticWidgetsAreSkippedByTabAndCutLongLines) {
  auto* frame = screen_->MakeChild<GroupBox>(10, 300, 200, 100, "Options", kGroupBoxEtched);
  const std::string huge(1000, 'L');
  auto* label = screen_->MakeChild<Label>(10, 450, -1, "first", huge.c_str(), nullptr, "fourth");
  frame->Show();
  label->Show();
  frame->Draw();
  label->Draw();
  EXPECT_EQ(label->GetLine(1).size(), 255u);
  EXPECT_EQ(label->GetLine(3), "fourth");
  EXPECT_EQ(label->GetLine(7), "");
  Key(VK_TAB, 0x0F);
  Key(VK_TAB, 0x0F);
  EXPECT_EQ(screen_->Children()->Mark(), spin_);
  EXPECT_EQ(frame->GetFocus(), kUiNoFocus);
  EXPECT_EQ(label->GetFocus(), kUiNoFocus);
}

}  // namespace
