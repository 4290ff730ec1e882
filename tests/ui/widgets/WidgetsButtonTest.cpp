// Push buttons driven turn by turn: a click only where press and release meet, Enter and the
// mnemonic on text buttons, the edge pixels, blocking while a list is open, long captions.
#include <string>
#include <vector>

#include "tests/ui/widgets/WidgetTestSupport.h"
#include "ui/widgets/BevelButton.h"
#include "ui/widgets/ImageButton.h"
#include "ui/widgets/TextButton.h"

namespace {

std::vector<std::string> g_sounds;
void RecordSound(const char* name) {
  g_sounds.emplace_back(name);
}

class WidgetsButtonTest : public WidgetTest {
protected:
  void SetUp() override {
    WidgetTest::SetUp();
    g_sounds.clear();
    UiSetSoundPlayer(&RecordSound);
    // A skin sized like the real one, so the faces are cut from real rows.
    skin_ = GfxAllocBuffer(801, 741);
    ok_ = screen_->MakeChild<TextButton>(100, 100, 80, 30, skin_, "&OK");
    cancel_ = screen_->MakeChild<TextButton>(200, 100, 80, 30, skin_, "Cancel");
    screen_->Show();
  }
  void TearDown() override {
    UiSetSoundPlayer(nullptr);
    GfxFreeBuffer(skin_);
    WidgetTest::TearDown();
  }
  int skin_ = -1;
  TextButton* ok_ = nullptr;
  TextButton* cancel_ = nullptr;
};

TEST_F(WidgetsButtonTest, ClickNeedsPressAndReleaseOnTheSameButton) {
  // The edge pixels are no hit; the next ones in are.
  Press(200, 110);
  EXPECT_FALSE(cancel_->IsPressed());
  Release(200, 110);
  Press(230, 100);
  EXPECT_FALSE(cancel_->IsPressed());
  Release(230, 100);

  Press(201, 101);
  EXPECT_EQ(UiInput.event, EV_PRESSED);
  EXPECT_EQ(UiInput.subject, screen_->GetId());  // the container took the press as focus
  EXPECT_TRUE(cancel_->IsPressed());
  EXPECT_EQ(cancel_->GetFocus(), kUiMouseFocus);
  EXPECT_EQ(g_sounds, std::vector<std::string>{"button.wav"});

  // Dragged off: the face comes up and the release clicks nothing, not even the other button.
  Drag(120, 110);
  EXPECT_FALSE(cancel_->IsPressed());
  EXPECT_FALSE(ok_->IsPressed());
  Release(120, 110);
  EXPECT_NE(UiInput.event, EV_CLICKED);
  EXPECT_EQ(cancel_->GetFocus(), kUiKeyboardFocus);

  // Dragging back on before the release clicks after all.
  Press(220, 110);
  Drag(20, 20);
  Drag(230, 115);
  EXPECT_TRUE(cancel_->IsPressed());
  Release(230, 115);
  EXPECT_EQ(UiInput.event, EV_CLICKED);
  EXPECT_EQ(UiInput.subject, cancel_->GetId());
  EXPECT_FALSE(cancel_->IsPressed());
}

// A quick second click arrives as a double click; a button has no use for one, so it is a click.
TEST_F(WidgetsButtonTest, QuickSecondClickClicksAgain) {
  Click(130, 115);
  ASSERT_EQ(UiInput.event, EV_CLICKED);
  Turn(*screen_, WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(230, 115));
  EXPECT_TRUE(cancel_->IsPressed());
  Release(230, 115);
  EXPECT_EQ(UiInput.event, EV_CLICKED);
  EXPECT_EQ(UiInput.subject, cancel_->GetId());
}

TEST_F(WidgetsButtonTest, EnterClicksTheFocusedButtonAndTheMnemonicClicksItsOwn) {
  // Showing the screen gave the first button the focus.
  ASSERT_EQ(ok_->GetFocus(), kUiKeyboardFocus);
  Enter();
  EXPECT_EQ(UiInput.event, EV_CLICKED);
  EXPECT_EQ(UiInput.subject, ok_->GetId());
  EXPECT_EQ(UiInput.keyState, KS_NONE);

  Key(VK_TAB, 0x0F);
  ASSERT_EQ(cancel_->GetFocus(), kUiKeyboardFocus);
  Enter();
  EXPECT_EQ(UiInput.subject, cancel_->GetId());

  EXPECT_EQ(ok_->GetText(), std::string("OK"));
  Type('o');
  EXPECT_EQ(UiInput.event, EV_CLICKED);
  EXPECT_EQ(UiInput.subject, ok_->GetId());
  Type('x');
  EXPECT_EQ(UiInput.event, EV_NONE);
}

TEST_F(WidgetsButtonTest, OpenListBlocksButtonsAndDisabledOnesIgnoreEverything) {
  UiToolkit.menuOpen = 1;
  Press(120, 110);
  EXPECT_FALSE(ok_->IsPressed());
  EXPECT_FALSE(ok_->IsActive());
  Release(120, 110);
  Enter();
  EXPECT_EQ(UiInput.event, EV_NONE);
  UiToolkit.menuOpen = 0;
  Click(120, 110);
  EXPECT_TRUE(ok_->IsActive());
  EXPECT_EQ(UiInput.event, EV_CLICKED);

  cancel_->SetDisabled(true);
  Click(220, 110);
  EXPECT_NE(UiInput.event, EV_CLICKED);
}

TEST_F(WidgetsButtonTest, HoverAndRightPress) {
  Move(230, 110);
  EXPECT_TRUE(cancel_->IsHovered());
  Move(10, 10);
  EXPECT_FALSE(cancel_->IsHovered());
  Turn(*screen_, WM_RBUTTONDOWN, 0, MakeLParam(230, 110));
  EXPECT_EQ(UiInput.event, EV_RIGHT_CLICKED);
  EXPECT_EQ(UiInput.subject, cancel_->GetId());
  EXPECT_FALSE(cancel_->IsPressed());
}

TEST_F(WidgetsButtonTest, LongCaptionsAreCutAndStillDraw) {
  const std::string huge(5000, 'W');
  auto* button = screen_->MakeChild<TextButton>(10, 300, 600, 40, skin_, huge.c_str());
  EXPECT_EQ(button->GetTextLength(), 255);
  // A mnemonic beyond the cut cannot be used.
  auto* late = screen_->MakeChild<TextButton>(10, 400, 60, 30, skin_, (huge + "&Z").c_str());
  EXPECT_EQ(late->GetMnemonic().index, -1);
  button->SetFocus(kUiKeyboardFocus);
  button->Draw();
  late->Draw();
  // A button wider than the skin's faces and a missing skin draw without reading outside them.
  auto* bare = screen_->MakeChild<TextButton>(10, 450, 700, 30, -1, "Bare");
  bare->Draw();
  EXPECT_EQ(bare->GetText(), std::string("Bare"));
}

TEST_F(WidgetsButtonTest, ImageButtonTakesEachLookFromItsOwnSourcePoint) {
  // Four 10 x 10 looks side by side, each in its own colour.
  const int image = GfxAllocBuffer(40, 10);
  const Color looks[4] = {GfxMapRGB(255, 0, 0), GfxMapRGB(0, 255, 0), GfxMapRGB(0, 0, 255),
                          GfxMapRGB(255, 255, 0)};
  GfxOpenBuffer(image);
  for (int i = 0; i < 4; ++i) {
    GfxSetColor(looks[i]);
    GfxFillRect(i * 10, i * 10 + 9, 0, 9);
  }
  UiSelectDrawingBuffer();
  auto* button =
      screen_->MakeChild<ImageButton>(500, 500, 10, 10, image, 0, 0, 10, 0, 20, 0, 30, 0);
  button->Show();
  const auto pixelAt = [this](int x, int y) { return BufferPixel(screenBuffer_, x, y); };
  button->Draw();
  EXPECT_EQ(pixelAt(505, 505), looks[0]);
  Move(505, 505);
  EXPECT_EQ(pixelAt(505, 505), looks[1]);
  Press(505, 505);
  EXPECT_EQ(pixelAt(501, 501), looks[3]);
  Release(505, 505);
  EXPECT_EQ(UiInput.event, EV_CLICKED);
  button->SetDisabled(true);
  button->Draw();
  EXPECT_EQ(pixelAt(509, 509), looks[2]);
  GfxFreeBuffer(image);
}

TEST_F(WidgetsButtonTest, BevelButtonClicksLikeAPushButton) {
  auto* bevel = screen_->MakeChild<BevelButton>(300, 300, 40, 20, "Go");
  bevel->Show();
  Press(310, 310);
  EXPECT_TRUE(bevel->IsPressed());
  Drag(400, 400);
  EXPECT_FALSE(bevel->IsPressed());
  Release(400, 400);
  EXPECT_NE(UiInput.event, EV_CLICKED);
  Click(310, 310);
  EXPECT_EQ(UiInput.event, EV_CLICKED);
  EXPECT_EQ(UiInput.subject, bevel->GetId());
}

}  // namespace
