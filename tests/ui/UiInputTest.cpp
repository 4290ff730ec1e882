// The input record: mouse states turn by turn, key translation (Tab, Shift and Caps Lock, function
// keys, Alt codes) and the timer and system-key overrides.
#include <string>

#include "tests/ui/UiTestSupport.h"

namespace {

class UiInputRecordTest : public UiTest {
protected:
  static void TypeKey(std::uint32_t vk, int scan, bool extended = false) {
    Turn(WM_KEYDOWN, vk, KeyDownParam(scan, extended));
  }
  static void HoldShift() { Turn(WM_KEYDOWN, VK_SHIFT, KeyDownParam(0x2A)); }
  static void ReleaseShift() { Record(WM_KEYUP, VK_SHIFT, KeyUpParam(0x2A)); }
};

// With both buttons down the left decides; a right one still down after it is a new press.
TEST_F(UiInputRecordTest, MouseStatesTurnByTurn) {
  const struct {
    std::uint32_t message;
    std::uintptr_t buttons;
    int x, y;
    int state;
  } turns[] = {{WM_LBUTTONDOWN, MK_LBUTTON, 5, 5, MS_LEFT_PRESSED},
               {WM_LBUTTONUP, 0, 5, 5, MS_LEFT_RELEASED},
               {WM_TIMER, 1, 5, 5, MS_IDLE},
               {WM_LBUTTONDOWN, MK_LBUTTON, 12, 22, MS_LEFT_PRESSED},
               {WM_MOUSEMOVE, MK_LBUTTON, 14, 23, MS_LEFT_HELD},
               {WM_LBUTTONUP, 0, 15, 24, MS_LEFT_RELEASED},
               {WM_MOUSEMOVE, 0, -5, -7, MS_MOVE},
               {WM_RBUTTONDOWN, MK_RBUTTON, 1, 1, MS_RIGHT_PRESSED},
               {WM_MOUSEMOVE, MK_RBUTTON, 2, 1, MS_RIGHT_HELD},
               {WM_LBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, 2, 1, MS_LEFT_PRESSED},
               {WM_MOUSEMOVE, MK_LBUTTON | MK_RBUTTON, 3, 1, MS_LEFT_HELD},
               {WM_LBUTTONUP, MK_RBUTTON, 3, 1, MS_LEFT_RELEASED},
               {WM_MOUSEMOVE, MK_RBUTTON, 4, 1, MS_RIGHT_PRESSED},
               {WM_RBUTTONUP, 0, 4, 1, MS_RIGHT_RELEASED}};
  for (const auto& t : turns) {
    SCOPED_TRACE(testing::Message() << "turn " << &t - turns);
    Turn(t.message, t.buttons, MakeLParam(t.x, t.y));
    EXPECT_EQ(UiInput.mouseState, t.state);
    EXPECT_EQ(UiInput.mouseX, t.x);
    EXPECT_EQ(UiInput.mouseY, t.y);
  }
  EXPECT_FALSE(UiRecord(Message{WM_PAINT, 0, 0, 0, false}));
}

// A quick Shift+Tab is translated after both keys are up again.
TEST_F(UiInputRecordTest, ShiftTabIsReadFromTheMessagesNotFromTheKeyboardNow) {
  TypeKey(VK_TAB, 0x0F);
  EXPECT_EQ(UiInput.event, EV_TAB);
  EXPECT_EQ(UiInput.keyChar, 9);
  HoldShift();
  TypeKey(VK_TAB, 0x0F);
  EXPECT_EQ(UiInput.event, EV_BACK_TAB);
  EXPECT_EQ(UiInput.keyChar, 15);
  ReleaseShift();
  TrackKeyMessage(Message{WM_KEYDOWN, VK_SHIFT, KeyDownParam(0x36), 0, true});
  Turn(WM_KEYDOWN, VK_TAB, KeyDownParam(0x0F));  // queued with the Shift, translated after its up
  EXPECT_EQ(UiInput.event, EV_BACK_TAB);
  TrackKeyMessage(Message{WM_KEYUP, VK_SHIFT, KeyUpParam(0x36), 0, true});
  gfx_->Display().SetKeyDown(0x2A, true);  // held now, but the Tab in hand came without it
  TypeKey(VK_TAB, 0x0F);
  EXPECT_EQ(UiInput.event, EV_TAB);
  gfx_->Display().SetKeyDown(0x2A, false);
}

// Function keys carry key codes that look like lower-case letters; Caps Lock leaves them alone.
TEST_F(UiInputRecordTest, CapsLockLeavesFunctionKeysAlone) {
  g_testCapsLock = true;
  TypeKey(VK_F1, 0x3B);
  EXPECT_EQ(UiInput.keyState, KS_FUNCTION);
  EXPECT_EQ(UiInput.keyChar, VK_F1);
}

TEST_F(UiInputRecordTest, AltDigitsSpellACharacterCodeEndedByAKeyRelease) {
  Turn(WM_SYSKEYDOWN, VK_MENU, KeyDownParam(0x38));
  EXPECT_EQ(UiInput.event, EV_SYSKEY);
  EXPECT_EQ(UiInput.codeLength, 0);  // Alt itself is not part of the code
  Turn(WM_SYSKEYDOWN, '4', KeyDownParam(0x05));
  Turn(WM_SYSKEYDOWN, '2', KeyDownParam(0x03));
  EXPECT_STREQ(UiInput.codeBuffer, "42");
  EXPECT_EQ(UiInput.keyState, KS_NONE);
  Turn(WM_KEYUP, VK_MENU, KeyUpParam(0x38));
  EXPECT_EQ(UiInput.keyChar, '*');
  EXPECT_EQ(UiInput.codeLength, 0);
  // The buffer takes nine characters and no more; a code without leading digits is no key.
  for (int i = 0; i < 12; ++i) Turn(WM_SYSKEYDOWN, 'G', KeyDownParam(0x22));
  EXPECT_STREQ(UiInput.codeBuffer, "GGGGGGGGG");
  Turn(WM_KEYUP, 'G', KeyUpParam(0x22));
  EXPECT_EQ(UiInput.keyState, KS_NONE);
  EXPECT_EQ(UiInput.codeLength, 0);
}

// A key recorded without its own poll is translated with the tick that follows it.
TEST_F(UiInputRecordTest, TimerAndSystemKeyOverrideTheTurnsEventAndLastOneTurn) {
  Record(WM_KEYDOWN, VK_TAB, KeyDownParam(0x0F));
  Turn(WM_TIMER, 8000, 77);
  EXPECT_EQ(UiInput.event, EV_TIMER);
  EXPECT_EQ(UiInput.timerId, 8000u);
  EXPECT_EQ(UiInput.timerParam, 77);
  EXPECT_EQ(UiInput.keyChar, 9);
  Turn(WM_MOUSEMOVE, 0, MakeLParam(3, 3));
  EXPECT_EQ(UiInput.event, EV_NONE);
  EXPECT_EQ(UiInput.keyState, KS_NONE);
  Record(WM_KEYDOWN, VK_HOME, KeyDownParam(0x47, true));
  Turn(WM_SYSKEYUP, VK_MENU, KeyUpParam(0x38));
  EXPECT_EQ(UiInput.event, EV_SYSKEY);
  EXPECT_EQ(UiInput.keyChar, 'G');
  EXPECT_EQ(UiInput.sysKeyPending, EV_SYSKEY_UP);
}

}  // namespace
