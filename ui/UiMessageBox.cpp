// The message box: sizing to its text, the buttons of each style and the results they give.
#include "ui/UiMessageBox.h"

#include <algorithm>
#include <new>

#include "gfx/art/ArtworkSet.h"
#include "ui/UiInput.h"
#include "ui/UiToolkit.h"
#include "ui/widgets/TextButton.h"
#include "ui/widgets/WidgetSupport.h"

namespace {

constexpr int kBoxHeight = 100;
// The text keeps this much room beside it (half on each side: the frame's border and a clear
// gap inside it), and never makes the box narrower than the buttons.
constexpr int kTextMargin = 72;
constexpr int kNarrowestText = 125;
// The text's reference row below the box's top.
constexpr int kTextDrop = 30;
constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 30;
constexpr int kButtonDrop = 55;

// One button of a style: its caption, its left edge relative to the box's middle, and the
// result a click on it gives.
struct ButtonPlan {
  const char* caption;
  int offset;
  int result;
};

struct StylePlan {
  std::uint32_t style;
  int escapeResult;
  std::array<ButtonPlan, 2> buttons;
};

// Tested in this order, so a style with several bits takes the first that matches.
constexpr std::array<StylePlan, 4> kStyles = {{
    {kUiMbOk, kUiResultOk, {{{"OK", -30, kUiResultOk}, {nullptr, 0, 0}}}},
    {kUiMbClose, kUiResultClose, {{{"Close", -30, kUiResultClose}, {nullptr, 0, 0}}}},
    {kUiMbOkCancel, kUiResultCancel, {{{"OK", -70, kUiResultOk}, {"Cancel", 10, kUiResultCancel}}}},
    {kUiMbYesNo, kUiResultNo, {{{"&Yes", -70, kUiResultYes}, {"&No", 10, kUiResultNo}}}},
}};

const StylePlan* PlanFor(std::uint32_t style) {
  for (const StylePlan& plan : kStyles) {
    if ((style & plan.style) != 0) return &plan;
  }
  return nullptr;
}

std::string CutText(const char* text) {
  if (text == nullptr) return {};
  return std::string(text, std::find(text, text + kUiTextLimit, '\0'));
}

int WidthOf(const char* text) {
  const std::string cut = CutText(text);
  return UiTextWidth(cut.c_str(), static_cast<int>(cut.size()));
}

// Measured in the font the text and the title are drawn in, so that both always fit the box.
int BoxWidthFor(const char* caption, const char* text) {
  return kTextMargin + std::max({kNarrowestText, WidthOf(text), WidthOf(caption)});
}

}  // namespace

UiMessageBox::UiMessageBox(UiElement*, const char* caption, std::uint32_t style, const char* text)
    : UiDialog(0, 0, BoxWidthFor(caption, text), kBoxHeight, caption), message_(CutText(text)) {
  style_ = style;
  Center();
}

TextButton* UiMessageBox::GetButton(int slot) const {
  return slot >= 0 && slot < static_cast<int>(buttons_.size()) ? buttons_[slot] : nullptr;
}

void UiMessageBox::Show() {
  BuildButtons();
  UiDialog::Show();
}

void UiMessageBox::Hide() {
  UiDialog::Hide();
  DestroyButtons();
}

void UiMessageBox::BuildButtons() {
  DestroyButtons();
  const StylePlan* plan = PlanFor(style_);
  if (plan == nullptr) return;
  const int skin = DialogSkinBuffer();
  for (std::size_t slot = 0; slot < plan->buttons.size(); ++slot) {
    const ButtonPlan& button = plan->buttons[slot];
    if (button.caption == nullptr) continue;
    // A button that cannot be made stays null; the box still opens and Escape still answers.
    try {
      buttons_[slot] = MakeChild<TextButton>(width_ / 2 + button.offset, kButtonDrop, kButtonWidth,
                                             kButtonHeight, skin, button.caption);
    } catch (const std::bad_alloc&) {
      buttons_[slot] = nullptr;
    }
  }
}

void UiMessageBox::DestroyButtons() {
  for (TextButton*& button : buttons_) {
    if (button != nullptr) DestroyChild(button);
    button = nullptr;
  }
}

void UiMessageBox::Draw() {
  UiDialog::Draw();
  const int length = static_cast<int>(message_.size());
  const Color colour = UiColour(kUiColourText);
  if (GetText() == nullptr) {
    UiDrawText(x_ + width_ / 2, y_ + kTextDrop, message_.c_str(), length, colour, 0, -1);
    return;
  }
  // Thirty pixels down would write the text across the title, so with a title it sits centred
  // between the title band and the buttons instead.
  const int middle = (titleBottom + 1 + y_ + kButtonDrop) / 2;
  UiDrawText(x_ + width_ / 2, middle, message_.c_str(), length, colour, 0, 0);
}

int UiMessageBox::ClickResult(int slot) const {
  const StylePlan* plan = PlanFor(style_);
  if (plan == nullptr || slot < 0 || slot >= static_cast<int>(plan->buttons.size())) {
    return kUiResultNone;
  }
  return plan->buttons[slot].result;
}

int UiMessageBox::EscapeResult() const {
  // A box without buttons of its own can still be closed.
  const StylePlan* plan = PlanFor(style_);
  return plan != nullptr ? plan->escapeResult : kUiResultClose;
}

bool UiMessageBox::Poll() {
  PollWidgets();
  if (UiInput.event == EV_CLICKED) {
    for (std::size_t slot = 0; slot < buttons_.size() && result == 0; ++slot) {
      if (buttons_[slot] != nullptr && UiInput.subject == buttons_[slot]->GetId()) {
        result = ClickResult(static_cast<int>(slot));
      }
    }
  }
  if (result == 0 && EscapePressed()) result = EscapeResult();
  return result != 0;
}
