// Drawing of the titled frames.
#include "ui/widgets/GroupBox.h"

#include <cstring>
#include <string>

#include "ui/UiToolkit.h"

namespace {

// The title's gap starts this far right of the frame's left edge; the title 5 pixels later.
constexpr int kGapLeft = 10;
constexpr int kTitleLeft = 15;
constexpr int kGapHalfHeight = 4;

void Rect(int left, int top, int right, int bottom, Color topLeft, Color bottomRight) {
  UiHLine(left, right, top, topLeft);
  UiVLine(left, top, bottom, topLeft);
  UiHLine(left, right, bottom, bottomRight);
  UiVLine(right, top, bottom, bottomRight);
}

}  // namespace

GroupBox::GroupBox(UiElement* parent, int x, int y, int width, int height, const char* title,
                   std::uint32_t frameStyle, int /*unused*/)
    : StaticWidget(parent, x, y, width, height), frameStyle_(frameStyle) {
  GroupBox::SetText(title);
}

void GroupBox::SetText(const char* title) {
  if (title != nullptr && std::strlen(title) > kUiTextLimit) {
    const std::string cut(title, kUiTextLimit);
    StaticWidget::SetText(cut.c_str());
  } else {
    StaticWidget::SetText(title);
  }
}

void GroupBox::Draw() {
  UiSelectDrawingBuffer();
  // The title's gap shows what lay under the top edge before the frame was ever drawn.
  if (!titleBackground_.IsSaved() && GetTextLength() > 0) {
    titleBackground_.Save(x_ + kGapLeft, x_ + 20 + UiTextWidth(GetText(), GetTextLength()),
                          y_ - kGapHalfHeight, y_ + kGapHalfHeight);
  }
  DrawFrame();
  DrawTitle();
  UiMarkElement(*this);
}

void GroupBox::DrawFrame() const {
  const int right = x_ + width_ - 1;
  const int bottom = y_ + height_ - 1;
  const Color dark = UiColour(kUiColourDarkEdge);
  const Color light = UiColour(kUiColourLightEdge);
  if ((frameStyle_ & kGroupBoxEtched) != 0) {
    Rect(x_ + 1, y_ + 1, right + 1, bottom + 1, UiColour(kUiColourText), UiColour(kUiColourText));
    Rect(x_, y_, right, bottom, dark, dark);
  }
  if ((frameStyle_ & kGroupBoxSunken) != 0) Rect(x_, y_, right, bottom, dark, light);
  if ((frameStyle_ & kGroupBoxRaised) != 0) Rect(x_, y_, right, bottom, light, dark);
}

void GroupBox::DrawTitle() {
  const int length = GetTextLength();
  if (length == 0) return;
  const int titleWidth = UiTextWidth(GetText(), length);
  const int left = x_ + kGapLeft;
  const int right = x_ + 20 + titleWidth;
  const int top = y_ - kGapHalfHeight;
  const int bottom = y_ + kGapHalfHeight;
  if (!titleBackground_.Restore()) UiFill(left, top, right, bottom, UiColour(kUiColourBackground));
  UiDrawText(x_ + kTitleLeft, y_, GetText(), length, UiColour(kUiColourText), -1, 0);
  UiAddDirtyRect(left, right, top, bottom);
}

void GroupBox::Hide() {
  StaticWidget::Hide();
  titleBackground_.Forget();
}
