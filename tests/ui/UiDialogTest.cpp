// The dialog base and the message box: the modal loop on queued messages (what it records or
// passes on, timers, quitting, nesting, showing only while active), the frame, and the box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/RequireMedia.h"
#include "tests/ui/DialogTestSupport.h"
#include "ui/UiDialog.h"
#include "ui/UiMessageBox.h"
#include "ui/widgets/WidgetSupport.h"

namespace {

// Closes on Escape with result 7 and notes what each poll saw; N opens a message box from a poll.
class ProbeDialog : public UiDialog {
public:
  ProbeDialog(int x, int y, int width, int height, const char* title)
      : UiDialog(x, y, width, height, title) {}
  bool Poll() override {
    PollWidgets();
    ++polls;
    keys.push_back(UiInput.keyState == KS_CHAR ? UiInput.keyChar : -1);
    if (UiInput.event == EV_TIMER) timerTicks.push_back(static_cast<int>(UiInput.timerId));
    if (UiInput.keyState == KS_CHAR && UiInput.keyChar == 'n') {
      UiMessageBox box(nullptr, "", 0x10, "Inner");
      innerResult = box.DoModal();
      innerPoll = polls;
    }
    if (EscapePressed()) {
      result = 7;
      closingPoll = polls;
    }
    return result != 0;
  }
  std::vector<int> keys, timerTicks;
  int polls = 0, innerResult = 0, innerPoll = 0, closingPoll = 0;
};

using UiDialogTest = DialogTest;

// Caps Lock and a quit are the window's and main loop's; the display changes only while active.
TEST_F(UiDialogTest, TheModalLoopPollsInputAndPassesOnWhatIsTheWindows) {
  ProbeDialog dialog(200, 150, 300, 200, "Probe");
  UiSetAppActive(false);
  input_->KeyAt(In(20), VK_CAPITAL, kScanCapsLock);
  input_->KeyAt(In(100), VK_ESCAPE, kScanEscape);
  EXPECT_EQ(dialog.DoModal(), 7);
  EXPECT_EQ(dialog.keys, std::vector<int>({27})) << "only the Escape press was polled";
  EXPECT_EQ(Dispatched(WM_KEYDOWN, VK_CAPITAL), 1);
  EXPECT_EQ(Dispatched(WM_KEYUP, VK_CAPITAL), 1);
  EXPECT_FALSE(dialog.IsShown());
  EXPECT_EQ(UiDialog::ModalDepth(), 0);
  EXPECT_EQ(screenUpdate_.flushes, 0);
  UiSetAppActive(true);
  input_->KeyAt(In(50), VK_ESCAPE, kScanEscape);
  EXPECT_EQ(dialog.DoModal(), 7);
  EXPECT_GE(screenUpdate_.flushes, 2) << "once when shown, once after the screen was restored";
  EXPECT_TRUE(screenUpdate_.marked.empty());
  PostQuitMessage(3);
  EXPECT_EQ(dialog.DoModal(), kUiDialogQuit);
  Message msg;
  ASSERT_TRUE(PeekMessage(&msg));
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
}

// The Escape that closes a message box must not also close the dialog that opened it.
TEST_F(UiDialogTest, TheKeyThatClosesANestedDialogIsNotTakenAgainBeneathIt) {
  ProbeDialog outer(150, 100, 400, 300, "Opener");
  input_->KeyAt(In(20), 'N', kScanN);
  input_->KeyAt(In(100), VK_ESCAPE, kScanEscape);
  input_->KeyAt(In(300), VK_ESCAPE, kScanEscape);
  EXPECT_EQ(outer.DoModal(), 7);
  EXPECT_EQ(outer.innerResult, 1);
  EXPECT_GT(outer.closingPoll, outer.innerPoll) << "closed by the second Escape, not the first";
  EXPECT_EQ(UiInput.keyState, KS_NONE) << "the outer loop's last key is gone too";
}

// An open dialog sleeps until a message or timer; timers tick for it and the window alike.
TEST_F(UiDialogTest, AnIdleDialogWakesOnlyForTimersAndInput) {
  SetTimer(2, 100);
  ProbeDialog dialog(200, 150, 300, 200, "");
  input_->At(In(950), WM_KEYDOWN, VK_ESCAPE, KeyLParam(1, kScanEscape, false, false, false));
  EXPECT_EQ(dialog.DoModal(), 7);
  EXPECT_EQ(Dispatched(WM_TIMER, 2), 9);
  EXPECT_EQ(dialog.timerTicks, std::vector<int>(9, 2));
  EXPECT_LE(input_->Pumps(), 12) << "nine ticks and a key: a wait each, a look or two besides";
  KillTimer(2);
}

// Any screen runs the modal loop, and may ask for key releases (an Alt code ends with one).
TEST_F(UiDialogTest, AnyScreenRunsTheModalLoopAndMayAskForKeyReleases) {
  UiScreen screen(0, 0, 799, 599);
  screen.Show();
  int depthInside = 0;
  ModalOptions options;
  options.poll = [&] {
    const bool released = UiInput.keyState == KS_RELEASED;  // as recorded, before translation
    UiPoll(screen);
    depthInside = UiModalDepth();
    return released;
  };
  options.recordKeyUp = true;
  input_->At(In(10), WM_KEYUP, VK_MENU, KeyUpParam(0x38));
  EXPECT_TRUE(UiRunModal(screen, options));
  EXPECT_EQ(depthInside, 1);
  EXPECT_EQ(UiModalDepth(), 0);
  // Without asking, the release goes to the window, and the loop only ends with the quit.
  options.recordKeyUp = false;
  input_->At(In(10), WM_KEYUP, VK_MENU, KeyUpParam(0x38));
  EXPECT_FALSE(UiRunModal(screen, options));
  EXPECT_EQ(Dispatched(WM_KEYUP, VK_MENU), 1);
}

class UiMessageBoxTest : public DialogTest {
protected:
  // The middle of the button whose left edge is `offset` from the box's middle (buttons exist
  // only while it is shown).
  static ScreenPoint ButtonCentre(const UiMessageBox& box, int offset) {
    return {box.GetX() + box.GetWidth() / 2 + offset + 30, box.GetY() + 70};
  }
};

// Buttons exist only while shown: each showing builds them anew with the focus on the first.
TEST_F(UiMessageBoxTest, KeysAndClicksGiveTheirButtonsResults) {
  const struct {
    std::uint32_t style;
    std::uint32_t key;  // 0: a click on the right-hand button
    int scan;
    int result;
  } cases[] = {
      {kUiMbClose, VK_ESCAPE, kScanEscape, 2},
      {kUiMbOkCancel, VK_ESCAPE, kScanEscape, 3},
      {kUiMbYesNo, VK_ESCAPE, kScanEscape, 6},
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
      const ScreenPoint p = ButtonCentre(box, 10);
      input_->ClickAt(In(40), p.x, p.y);
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

// The click that opened a box may be the first of a double click, whose second press is not its.
TEST_F(UiMessageBoxTest, TheSecondPressOfTheOpeningDoubleClickPressesNothing) {
  UiMessageBox box(nullptr, "", kUiMbOkCancel, "Deal again?");
  const ScreenPoint ok = ButtonCentre(box, -70);
  input_->At(In(40), WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(ok.x, ok.y));
  input_->At(In(90), WM_LBUTTONUP, 0, MakeLParam(ok.x, ok.y));
  input_->KeyAt(In(300), VK_ESCAPE, kScanEscape);
  EXPECT_EQ(box.DoModal(), 3) << "closed by the Escape, not by OK";
  input_->ClickAt(In(40), ok.x, ok.y);
  EXPECT_EQ(box.DoModal(), 1);
}

// Its width from the text, and its place, are the goldens' (both texts are wider than 125).
TEST_F(UiMessageBoxTest, TextsAreCutToTheLimitAndTheBoxStillOpensAndCloses) {
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
