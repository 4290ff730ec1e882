// Push buttons turn by turn: where a click lands, Enter and mnemonics, hover and right presses,
// long captions, image looks; and the click every clickable widget shares.
#include <functional>
#include <string>
#include <vector>

#include "tests/ui/widgets/WidgetTestSupport.h"
#include "ui/widgets/BevelButton.h"
#include "ui/widgets/CheckBox.h"
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
    skin_ = GfxAllocBuffer(801, 741);  // sized like the real skin, so faces come from real rows
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
  for (const auto& [x, y] : {std::pair{200, 110}, std::pair{230, 100}}) {
    Press(x, y);
    EXPECT_FALSE(cancel_->IsPressed()) << "edge pixel " << x << "," << y;
    Release(x, y);
  }
  Press(201, 101);
  EXPECT_EQ(UiInput.event, EV_PRESSED);
  EXPECT_EQ(UiInput.subject, screen_->GetId());  // the container took the press as focus
  EXPECT_TRUE(cancel_->IsPressed());
  EXPECT_EQ(g_sounds, std::vector<std::string>{"button.wav"});
  // Dragged off onto the other button: nothing clicks.
  Drag(120, 110);
  EXPECT_FALSE(cancel_->IsPressed() || ok_->IsPressed());
  Release(120, 110);
  EXPECT_NE(UiInput.event, EV_CLICKED);
  EXPECT_EQ(cancel_->GetFocus(), kUiKeyboardFocus);
  // Dragged back on before the release: it clicks after all.
  Press(220, 110);
  Drag(20, 20);
  Drag(230, 115);
  Release(230, 115);
  EXPECT_EQ(UiInput.event, EV_CLICKED);
  EXPECT_EQ(UiInput.subject, cancel_->GetId());
  // A quick second click arrives as a double click; a button takes it as a click.
  Turn(*screen_, WM_LBUTTONDBLCLK, MK_LBUTTON, MakeLParam(230, 115));
  EXPECT_TRUE(cancel_->IsPressed());
  Release(230, 115);
  EXPECT_EQ(UiInput.event, EV_CLICKED);
}

TEST_F(WidgetsButtonTest, EnterClicksTheFocusedButtonAndTheMnemonicItsOwn) {
  UiToolkit.menuOpen = 1;  // showing the screen gave the first button the focus
  Enter();
  EXPECT_EQ(UiInput.event, EV_NONE);
  UiToolkit.menuOpen = 0;
  Enter();
  EXPECT_EQ(UiInput.subject, ok_->GetId());
  EXPECT_EQ(UiInput.keyState, KS_NONE);
  Key(VK_TAB, 0x0F);
  Enter();
  EXPECT_EQ(UiInput.event, EV_CLICKED);
  EXPECT_EQ(UiInput.subject, cancel_->GetId());
  Type('o');
  EXPECT_EQ(UiInput.event, EV_CLICKED);
  EXPECT_EQ(UiInput.subject, ok_->GetId());
  Type('x');
  EXPECT_EQ(UiInput.event, EV_NONE);
}

TEST_F(WidgetsButtonTest, HoverRightPressAndLongCaptions) {
  Move(230, 110);
  EXPECT_TRUE(cancel_->IsHovered());
  Move(10, 10);
  EXPECT_FALSE(cancel_->IsHovered());
  Turn(*screen_, WM_RBUTTONDOWN, 0, MakeLParam(230, 110));
  EXPECT_EQ(UiInput.event, EV_RIGHT_CLICKED);
  EXPECT_EQ(UiInput.subject, cancel_->GetId());
  EXPECT_FALSE(cancel_->IsPressed());

  // Cut to 255, a mnemonic past the cut is none; wider than the skin's faces or without a skin,
  // drawing reads nothing outside them (the sanitizers would say).
  const std::string huge(5000, 'W');
  auto* cut = screen_->MakeChild<TextButton>(10, 300, 700, 40, skin_, (huge + "&Z").c_str());
  EXPECT_EQ(cut->GetTextLength(), 255);
  EXPECT_EQ(cut->GetMnemonic().index, -1);
  cut->SetFocus(kUiKeyboardFocus);
  cut->Draw();
  screen_->MakeChild<TextButton>(10, 450, 700, 30, -1, "Bare")->Draw();
}

TEST_F(WidgetsButtonTest, ImageButtonTakesEachLookFromItsOwnSourcePoint) {
  const int image = GfxAllocBuffer(40, 10);  // four 10 x 10 looks side by side
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
  button->Draw();
  EXPECT_EQ(BufferPixel(screenBuffer_, 505, 505), looks[0]);
  Move(505, 505);
  EXPECT_EQ(BufferPixel(screenBuffer_, 505, 505), looks[1]);
  Press(505, 505);
  EXPECT_EQ(BufferPixel(screenBuffer_, 501, 501), looks[3]);
  Release(505, 505);
  EXPECT_EQ(UiInput.event, EV_CLICKED);
  button->SetDisabled(true);
  button->Draw();
  EXPECT_EQ(BufferPixel(screenBuffer_, 509, 509), looks[2]);
  GfxFreeBuffer(image);
}

// A press dragged off clicks nothing; the disabled state, and for the dialog widgets an open list,
// ignore the click. (Bevel buttons stand on screens without menus and do not look at lists.)
TEST_F(WidgetTest, EveryClickableWidgetClicksOnlyWhenItShould) {
  const struct {
    std::function<UiWidget*(UiScreen&)> make;
    bool blockedByList;
  } widgets[] = {
      {[](UiScreen& s) { return s.MakeChild<TextButton>(300, 300, 40, 20, -1, "Go"); }, true},
      {[](UiScreen& s) { return s.MakeChild<CheckBox>(300, 300, "Go", true, 800); }, true},
      {[](UiScreen& s) { return s.MakeChild<BevelButton>(300, 300, 40, 20, "Go"); }, false},
  };
  screen_->Show();
  for (const auto& w : widgets) {
    UiWidget* widget = w.make(*screen_);
    SCOPED_TRACE(testing::Message() << "widget " << &w - widgets);
    widget->Show();
    Press(305, 305);
    Drag(500, 500);
    Release(500, 500);
    EXPECT_NE(UiInput.event, EV_CLICKED);
    if (w.blockedByList) {
      UiToolkit.menuOpen = 1;
      Click(305, 305);
      EXPECT_NE(UiInput.event, EV_CLICKED);
      EXPECT_FALSE(widget->IsActive());
      UiToolkit.menuOpen = 0;
    }
    Click(305, 305);
    EXPECT_EQ(UiInput.event, EV_CLICKED);
    EXPECT_EQ(UiInput.subject, widget->GetId());
    widget->SetDisabled(true);
    Click(305, 305);
    EXPECT_NE(UiInput.event, EV_CLICKED);
    screen_->DestroyChild(widget);
  }
}

}  // namespace
