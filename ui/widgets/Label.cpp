// Drawing and wiping of the multi-line labels.
#include "ui/widgets/Label.h"

#include <algorithm>
#include <cstring>

#include "ui/UiToolkit.h"
#include "ui/widgets/WidgetSupport.h"

Label::Label(UiElement* parent, int x, int y, int justification, const char* line0,
             const char* line1, const char* line2, const char* line3, const char* line4)
    : StaticWidget(parent, x, y, 0, 0),
      justification_(std::clamp(justification, -1, 1)),
      colour_(UiColour(kUiColourText)) {
  const char* lines[kLabelLines] = {line0, line1, line2, line3, line4};
  for (int i = 0; i < kLabelLines; ++i) SetLine(i, lines[i]);
}

void Label::SetLine(int index, const char* text) {
  if (index < 0 || index >= kLabelLines) return;
  lines_[index] = text != nullptr
                      ? std::string(text, std::min(std::strlen(text), std::size_t{kUiTextLimit}))
                      : std::string();
  if (index == 0) StaticWidget::SetText(lines_[0].c_str());
  Measure();
}

void Label::SetText(const char* text) {
  SetLine(0, text);
}

void Label::Measure() {
  int widest = 0;
  int count = 0;
  for (int i = 0; i < kLabelLines; ++i) {
    if (lines_[i].empty()) continue;
    widest = std::max(widest, UiTextWidth(lines_[i].data(), static_cast<int>(lines_[i].size())));
    count = i + 1;
  }
  width_ = widest;
  height_ = count * kLabelLineHeight;
}

void Label::DrawLines(Color colour) {
  UiSelectDrawingBuffer();
  for (int i = 0; i < kLabelLines; ++i) {
    const std::string& line = lines_[i];
    if (line.empty()) continue;
    UiDrawText(x_, y_ + kLabelLineHeight * i, line.data(), static_cast<int>(line.size()), colour,
               justification_, 1);
  }
  // The rectangle the lines cover, whichever way they are aligned on x.
  const int left = justification_ < 0 ? x_ : justification_ == 0 ? x_ - width_ / 2 : x_ - width_;
  if (width_ > 0) UiAddDirtyRect(left, left + width_, y_, y_ + std::max(height_, 16));
}

void Label::Draw() {
  DrawLines(colour_);
}

void Label::Erase() {
  DrawLines(parent_ != nullptr ? parent_->GetBackColour() : UiColour(kUiColourBackground));
}
