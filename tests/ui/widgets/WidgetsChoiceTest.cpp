// Check boxes, radio buttons and their group: toggling by click, Space and mnemonic, one choice
// per group whatever moves it, captions that wrap, and groups in dialogs that move or open.
#include <string>

#include "tests/ui/widgets/WidgetTestSupport.h"
#include "ui/widgets/CheckBox.h"
#include "ui/widgets/RadioButton.h"
#include "ui/widgets/RadioGroup.h"

namespace {

class WidgetsChoiceTest : public WidgetTest {
protected:
  void SetUp() override {
    WidgetTest::SetUp();
    box_ = screen_->MakeChild<CheckBox>(50, 50, "&Foundation already filled in.", true, 800);
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
  CheckBox* box_ = nullptr;
  RadioGroup* group_ = nullptr;
  RadioButton *one_ = nullptr, *two_ = nullptr, *three_ = nullptr;
};

TEST_F(WidgetsChoiceTest, CheckBoxTogglesOnClickSpaceAndMnemonicInEitherCase) {
  Click(55, 55);
  EXPECT_TRUE(box_->IsSelected());
  Space();
  EXPECT_FALSE(box_->IsSelected());
  Type('f');
  EXPECT_TRUE(box_->IsSelected());
  EXPECT_EQ(screen_->Children()->Mark(), box_);
  Alt('F');
  EXPECT_FALSE(box_->IsSelected());
  EXPECT_EQ(UiInput.event, EV_PRESSED);
  AltUp('F');  // the release changes nothing more
  EXPECT_FALSE(box_->IsSelected());
}

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
  Click(55, 125);  // clicking the chosen one keeps it
  EXPECT_EQ(Choice(), "010");
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

// The built-in font is 8 pixels a character: "Alpha betas" (11) does not fit in 80.
TEST_F(WidgetsChoiceTest, NarrowCaptionsBreakAtASpaceAndLongOnesAreCut) {
  auto* tight = screen_->MakeChild<CheckBox>(50, 330, "Alpha betas gamma", true, 80);
  EXPECT_EQ(tight->FirstLine(), "Alpha");
  EXPECT_EQ(tight->SecondLine(), "betas gamma");
  auto* unbroken = screen_->MakeChild<CheckBox>(50, 350, "Unbreakablecaption", false, 80);
  EXPECT_EQ(unbroken->FirstLine(), "Unbreakablecaption");
  EXPECT_TRUE(unbroken->SecondLine().empty());
  auto* cut =
      screen_->MakeChild<CheckBox>(50, 400, (std::string(3000, 'x') + " tail").c_str(), true, 330);
  EXPECT_EQ(cut->GetTextLength(), 255);
  cut->Draw();
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

// Chosen by the dialog before it is shown, or marked by the group as it is shown, the button must
// sit on the dialog's body, not on the screen that was there before.
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

// Dialogs are built at one place and then centred; a group's buttons answer where they are drawn.
TEST_F(WidgetTest, CentringAContainerMovesRadioGroupsWithTheirButtons) {
  ProbePanel panel(nullptr, 0, 0, 400, 300);
  auto* group = panel.MakeChild<RadioGroup>(20, 40);
  auto* first = group->MakeChild<RadioButton>(0, 0, "&First", true, 800);
  auto* second = group->MakeChild<RadioButton>(0, 20, "&Second", true, 800);
  panel.Center();
  EXPECT_EQ(first->GetX(), 220);
  EXPECT_EQ(second->GetY(), 210);
  panel.Show();
  UiTest::Click(panel, 225, 215);
  EXPECT_TRUE(second->IsSelected());
  EXPECT_FALSE(first->IsSelected());
  panel.Hide();
}

}  // namespace
