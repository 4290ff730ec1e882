// Buttons and radio groups turn by turn: where a click lands, Enter and mnemonics, one choice per
// group; and the click every clickable widget shares.
#include <functional>
#include <string>
#include <vector>

#include "tests/ui/widgets/WidgetTestSupport.h"
#include "ui/widgets/BevelButton.h"
#include "ui/widgets/CheckBox.h"
#include "ui/widgets/RadioButton.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/SpinBox.h"
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

TEST_F(WidgetsButtonTest, APressDraggedOffAndBackStillClicks) {
  Press(201, 101);
  EXPECT_EQ(UiInput.event, EV_PRESSED);
  EXPECT_EQ(UiInput.subject, screen_->GetId());  // the container took the press as focus
  EXPECT_TRUE(cancel_->IsPressed());
  EXPECT_EQ(g_sounds, std::vector<std::string>{"button.wav"});
  // Dragged off and back on before the release: it clicks after all.
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
  Type('o');
  EXPECT_EQ(UiInput.event, EV_CLICKED);
  EXPECT_EQ(UiInput.subject, ok_->GetId());
}

// Past the skin's faces or without a skin, drawing reads nothing outside them (sanitizers).
TEST_F(WidgetsButtonTest, LongCaptionsAreCutAndDrawnWithinTheSkin) {
  const std::string huge(5000, 'W');
  auto* cut = screen_->MakeChild<TextButton>(10, 300, 700, 40, skin_, (huge + "&Z").c_str());
  EXPECT_EQ(cut->GetTextLength(), 255);
  EXPECT_EQ(cut->GetMnemonic().index, -1);
  cut->SetFocus(kUiKeyboardFocus);
  cut->Draw();
  screen_->MakeChild<TextButton>(10, 450, 700, 30, -1, "Bare")->Draw();
}

// Bevel buttons stand on screens without menus and do not look at open lists.
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

class WidgetsChoiceTest : public WidgetTest {
protected:
  void SetUp() override {
    WidgetTest::SetUp();
    // The first mark, so that the group takes the focus only from a click or its mnemonics.
    screen_->MakeChild<CheckBox>(50, 50, "&Foundation already filled in.", true, 800);
    group_ = screen_->MakeChild<RadioGroup>(50, 100);
    one_ = group_->MakeChild<RadioButton>(0, 0, "&One", true, 800);
    two_ = group_->MakeChild<RadioButton>(0, 20, "&Two", true, 800);
    three_ = group_->MakeChild<RadioButton>(0, 40, "T&hree", true, 800);
    screen_->Show();
  }
  // Which buttons are selected, as "100" for the first one alone.
  std::string Choice() const {
    return std::string(one_->IsSelected() ? "1" : "0") + (two_->IsSelected() ? "1" : "0") +
           (three_->IsSelected() ? "1" : "0");
  }
  RadioGroup* group_ = nullptr;
  RadioButton *one_ = nullptr, *two_ = nullptr, *three_ = nullptr;
};

TEST_F(WidgetsChoiceTest, GroupKeepsExactlyOneChoiceWhateverMovesIt) {
  EXPECT_EQ(Choice(), "100");  // showing selects the marked (first) button
  UiToolkit.menuOpen = 1;
  Click(55, 125);
  Type('h');
  EXPECT_EQ(Choice(), "100") << "an open list freezes the group";
  UiToolkit.menuOpen = 0;
  Click(55, 125);
  EXPECT_EQ(Choice(), "010");
  EXPECT_EQ(screen_->Children()->Mark(), group_);
  Type('h');
  EXPECT_EQ(Choice(), "001");
  EXPECT_EQ(two_->GetFocus(), kUiNoFocus);
  Alt('O');
  EXPECT_EQ(Choice(), "100");
  AltUp('O');
  // Arrows skip a disabled button and wrap; once Tab took the focus away they do nothing.
  two_->SetDisabled(true);
  Down();
  EXPECT_EQ(Choice(), "001");
  EXPECT_EQ(three_->GetFocus(), kUiKeyboardFocus);
  Down();
  EXPECT_EQ(Choice(), "100");
  Up();
  EXPECT_EQ(Choice(), "001");
  Key(VK_TAB, 0x0F);
  Down();
  EXPECT_EQ(Choice(), "001");
}

// A panel that paints its own body before its widgets, as a dialog's frame does.
class BodyPanel : public UiContainer {
public:
  BodyPanel(UiElement* parent, int x, int y, int width, int height)
      : UiContainer(parent, x, y, width, height, "Body", 0) {}
  void Draw() override {
    GfxSetColor(GfxMapRGB(0, 0, 90));
    GfxFillRect(x_, x_ + width_ - 1, y_, y_ + height_ - 1);
    DrawChildren();
  }
};

// Chosen before showing or marked as shown, the button must not keep the old screen under it.
TEST_F(WidgetTest, ARadioButtonChosenBeforeItsDialogIsDrawnSitsOnTheDialogBody) {
  for (const bool chosenBefore : {true, false}) {
    SCOPED_TRACE(chosenBefore ? "chosen before showing" : "marked by the group");
    GfxOpenBuffer(screenBuffer_);
    GfxSetColor(GfxMapRGB(200, 0, 0));
    GfxClear();
    auto* dialog = screen_->MakeChild<BodyPanel>(250, 250, 250, 150);
    auto* group = dialog->MakeChild<RadioGroup>(50, 50);
    auto* left = group->MakeChild<RadioButton>(0, 0, "&Left", true, 800);
    auto* right = group->MakeChild<RadioButton>(0, 20, "&Right", true, 800);
    if (chosenBefore) group->SelectChild(right);
    RadioButton* chosen = chosenBefore ? right : left;
    dialog->Show();
    ASSERT_TRUE(chosen->IsSelected());
    const int edgeX = chosen->GetX() + chosen->GetWidth() - 1;
    EXPECT_EQ(BufferPixel(screenBuffer_, edgeX, chosen->GetY() + 1), GfxMapRGB(0, 0, 90));
    screen_->DestroyChild(dialog);
  }
}

// Dialogs are built at one place and then centred.
TEST_F(WidgetTest, CentringAContainerMovesCompoundWidgetsWithTheirParts) {
  ProbePanel panel(nullptr, 0, 0, 400, 300);
  auto* group = panel.MakeChild<RadioGroup>(20, 40);
  auto* first = group->MakeChild<RadioButton>(0, 0, "&First", true, 800);
  auto* second = group->MakeChild<RadioButton>(0, 20, "&Second", true, 800);
  auto* spin = panel.MakeChild<SpinBox>(100, 100, 40, "&N:");
  const int upX = spin->UpArrow()->GetX(), downY = spin->DownArrow()->GetY();
  panel.Center();  // by (200, 150)
  EXPECT_EQ(second->GetY(), 210);
  EXPECT_EQ(spin->UpArrow()->GetX(), upX + 200);
  EXPECT_EQ(spin->DownArrow()->GetY(), downY + 150);
  panel.Show();
  UiTest::Click(panel, 225, 215);
  EXPECT_TRUE(second->IsSelected());
  EXPECT_FALSE(first->IsSelected());
  panel.Hide();
}

}  // namespace
