// A single-line text entry with a caret, a selection made by dragging, and a caption at its left
// whose mnemonic gives it the focus.
#pragma once

#include <string>

#include "ui/widgets/TextItem.h"

// No field holds more characters than this.
inline constexpr int kEditFieldCapacity = 100;
inline constexpr int kEditFieldHeight = 21;
// The text starts this far right of the field's left edge.
inline constexpr int kEditFieldTextLeft = 6;

class EditField : public TextItem {
public:
  // capacity is cut to 100 characters (0 or less also means 100); unused is always 1.
  EditField(UiElement* parent, int x, int y, int width, int capacity, const char* caption,
            int unused = 1);

  void HandleEvent() override;
  void Draw() override;
  // Replaces the text, cut to the capacity; the caret goes to its end.
  void SetText(const char* text) override;

  const std::string& GetCaption() const { return caption_; }
  int GetCapacity() const { return capacity_; }
  int GetCaret() const { return caret_; }

  // The character boundary nearest to a pointer at screen column mouseX.
  int BoundaryAt(int mouseX) const;

private:
  void HandleMouse();
  void HandleKeys();
  void HandleMnemonic();
  bool HasSelection() const { return selectionStart_ >= 0; }
  void ClearSelection();
  void DeleteSelection();
  void Insert(char c);
  // Pixels from the text's left end to boundary i.
  int Offset(int boundary) const;
  void Redraw();
  void DrawCaption() const;

  int capacity_;
  std::string caption_;
  int caret_ = 0;
  int selectionStart_ = -1;
  int selectionEnd_ = -1;
  bool dragging_ = false;
};
