// The spin box's turn: its parts handle the input, then the value is read back, stepped and kept
// in range.
#include "ui/widgets/SpinBox.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/MessageLoop.h"
#include "ui/UiInput.h"
#include "ui/widgets/WidgetSupport.h"

namespace {

constexpr int kArrowWidth = 15;
constexpr int kArrowHeight = 10;
constexpr int kArrowGap = 3;
constexpr int kDownArrowOffset = 11;
constexpr int kSpriteWidth = 9;
constexpr int kSpriteHeight = 4;
// Decimal digits of any int plus a sign.
constexpr int kValueCapacity = 11;

bool IsDigit(std::uint8_t c) {
  return c >= '0' && c <= '9';
}

}  // namespace

SpinBox::SpinBox(UiElement* parent, int x, int y, int fieldWidth, const char* caption,
                 int /*unused*/)
    : UiCompoundWidget(parent, x, y, fieldWidth + kArrowGap + kArrowWidth, kEditFieldHeight) {
  field_ = MakeChild<EditField>(0, 0, fieldWidth, kValueCapacity, caption);
  up_ = MakeChild<SpriteButton>(fieldWidth + kArrowGap, 0, kArrowWidth, kArrowHeight, "icon06w.spr",
                                kSpriteWidth, kSpriteHeight, "icon07w.spr", kSpriteWidth,
                                kSpriteHeight);
  down_ = MakeChild<SpriteButton>(fieldWidth + kArrowGap, kDownArrowOffset, kArrowWidth,
                                  kArrowHeight, "icon08w.spr", kSpriteWidth, kSpriteHeight,
                                  "icon09w.spr", kSpriteWidth, kSpriteHeight);
  // The arrows are reached with the mouse; Tab stops at the field only.
  up_->SetStyle(up_->GetStyle() | kUiStyleNoTabStop);
  down_->SetStyle(down_->GetStyle() | kUiStyleNoTabStop);
  SetValue(0);
}

SpinBox::~SpinBox() {
  StopRepeat();
}

int SpinBox::Clamp(int value) const {
  return std::clamp(value, minimum_, std::max(minimum_, maximum_));
}

void SpinBox::SetRange(int minimum, int maximum, int step) {
  minimum_ = minimum;
  maximum_ = std::max(minimum, maximum);
  step_ = step;
}

void SpinBox::SetValue(int value) {
  value_ = value;
  field_->SetText(std::to_string(value).c_str());
  if (field_->IsShown()) field_->Draw();
  dirty_ = true;
}

bool SpinBox::ReadField(int* number) const {
  const char* text = field_->GetText();
  if (text == nullptr || *text == '\0') return false;
  errno = 0;
  char* end = nullptr;
  const long parsed = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || errno == ERANGE) return false;
  *number = static_cast<int>(std::clamp<long>(parsed, INT32_MIN, INT32_MAX));
  return true;
}

int SpinBox::GetValue() const {
  // A field emptied with Backspace, or holding no number, still answers with the last number it
  // held; whatever it holds is kept within the range.
  int number = value_;
  ReadField(&number);
  return Clamp(number);
}

void SpinBox::Commit() {
  // While the field has the focus the player may be half-way through a number (an empty field,
  // a digit below the minimum); once it loses the focus it shows what GetValue answers.
  const int value = GetValue();
  const char* text = field_->GetText();
  if (text == nullptr || std::to_string(value) != text) SetValue(value);
  value_ = value;
}

void SpinBox::Show() {
  UiCompoundWidget::Show();
  ForEachIn(children_.get(), [](UiElement* e) { e->Show(); });
}

void SpinBox::Hide() {
  StopRepeat();
  ForEachIn(children_.get(), [](UiElement* e) { e->Hide(); });
  UiCompoundWidget::Hide();
}

void SpinBox::SetFocus(int focus) {
  if (focus == kUiNoFocus) Commit();
  UiCompoundWidget::SetFocus(focus);
  field_->SetFocus(focus != kUiNoFocus ? kUiKeyboardFocus : kUiNoFocus);
  if (field_->IsShown()) field_->Draw();
  if (children_ != nullptr) {
    children_->Find(field_);
    children_->MarkCurrent();
  }
}

void SpinBox::SetDisabled(bool disabled) {
  UiCompoundWidget::SetDisabled(disabled);
  field_->SetDisabled(disabled);
  up_->SetDisabled(disabled);
  down_->SetDisabled(disabled);
  if (disabled) StopRepeat();
}

void SpinBox::Step(int direction) {
  const long long next = static_cast<long long>(value_) + static_cast<long long>(direction) * step_;
  SetValue(Clamp(static_cast<int>(std::clamp<long long>(next, INT32_MIN, INT32_MAX))));
}

void SpinBox::StopRepeat() {
  if (held_ != 0) KillTimer(kSpinBoxTimer);
  held_ = 0;
  repeats_ = 0;
}

void SpinBox::HandleEvent() {
  if (UiBlockedByMenu(*this) || disabled_ || !shown_) return;
  // The field swallows the keys it sees, so what came in is noted before it does.
  const int event = UiInput.event;
  const int keyState = UiInput.keyState;
  const std::uint8_t keyChar = UiInput.keyChar;
  const bool fieldHadFocus = field_->GetFocus() != kUiNoFocus;
  const int previous = value_;

  ForEachIn(children_.get(), [](UiElement* e) { e->HandleEvent(); });

  // An emptied field keeps the last number as the one to fall back on.
  int typed = 0;
  const bool number = ReadField(&typed);
  if (number) value_ = Clamp(typed);
  if (fieldHadFocus && keyState == KS_CHAR) {
    if (event == EV_NONE && keyChar >= 32 && keyChar <= 126 && !IsDigit(keyChar)) {
      SetValue(previous);
    } else if (event == EV_UP || event == EV_DOWN) {
      Step(event == EV_UP ? 1 : -1);
    } else if (number && typed > maximum_) {
      // Digits typed past the largest value are taken back to it at once; a number below the
      // smallest may still be the start of a larger one and waits for the focus to leave.
      SetValue(maximum_);
    }
  }
  if (fieldHadFocus && field_->GetFocus() == kUiNoFocus) Commit();
  HandleArrows();
  if (UiInput.event == EV_PRESSED) TakePressedFocus();
}

void SpinBox::HandleArrows() {
  const int pressedNow = up_->GetFocus() == kUiMouseFocus     ? 1
                         : down_->GetFocus() == kUiMouseFocus ? -1
                                                              : 0;
  if (pressedNow == 0) {
    // Released (or never pressed): the repeat ends with the press.
    StopRepeat();
    return;
  }
  if (held_ == 0) {
    held_ = pressedNow;
    repeats_ = 0;
    Step(held_);
    SetTimer(kSpinBoxTimer, kSpinBoxFirstDelayMs);
    return;
  }
  const bool tick = UiInput.event == EV_TIMER && UiInput.timerId == kSpinBoxTimer;
  SpriteButton* arrow = held_ > 0 ? up_ : down_;
  // Dragged off the arrow, the press stays but the value rests until the pointer comes back.
  if (!tick || !arrow->IsPressed()) return;
  Step(held_);
  if (++repeats_ == kSpinBoxSlowRepeats) SetTimer(kSpinBoxTimer, kSpinBoxRepeatMs);
}

void SpinBox::TakePressedFocus() {
  UiElement* part = nullptr;
  ForEachIn(children_.get(), [&part](UiElement* e) {
    if (e->GetId() == UiInput.subject) part = e;
  });
  if (part == nullptr) return;
  children_->Find(part);
  children_->MarkCurrent();
  UiInput.subject = id_;
  focus_ = kUiKeyboardFocus;
  // Typing goes to the field whichever part was pressed.
  if (part != field_) {
    field_->SetFocus(kUiKeyboardFocus);
    field_->Draw();
  }
}
