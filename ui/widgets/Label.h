// Fixed text of up to five lines, left-aligned, centred or right-aligned on its position.
#pragma once

#include <array>
#include <string>

#include "gfx/Gfx.h"
#include "ui/widgets/StaticWidget.h"

inline constexpr int kLabelLines = 5;
// Rows from the top of one line to the top of the next.
inline constexpr int kLabelLineHeight = 14;

class Label : public StaticWidget {
public:
  // justification: -1 left, 0 centred, 1 right, on x. Missing lines are null.
  Label(UiElement* parent, int x, int y, int justification, const char* line0,
        const char* line1 = nullptr, const char* line2 = nullptr, const char* line3 = nullptr,
        const char* line4 = nullptr);

  void Draw() override;
  // Draws the text once more in the parent's background colour, wiping it off a plain panel.
  void Erase() override;
  // The first line; the others stay.
  void SetText(const char* text) override;
  // Replaces line 0..4; other indices are ignored. The text is cut to the widgets' limit.
  void SetLine(int index, const char* text);
  void SetColour(Color colour) { colour_ = colour; }
  Color GetColour() const { return colour_; }

private:
  void DrawLines(Color colour);
  // Fits the widget's rectangle around the lines for the changed-rectangle marks.
  void Measure();

  std::array<std::string, kLabelLines> lines_;
  int justification_;
  Color colour_;
};
