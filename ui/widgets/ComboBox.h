// A drop-down list of choices: a sunken box with the current text and a drop button; pressing
// it opens the list below, and while the list is open every other widget stands still.
#pragma once

#include <string>
#include <vector>

#include "ui/widgets/TextItem.h"
#include "ui/widgets/WidgetSupport.h"

// No combo box holds more items than this.
inline constexpr int kComboBoxMaxItems = 1024;
inline constexpr int kComboBoxHeight = 21;
// Rows of one item in the open list.
inline constexpr int kComboBoxItemHeight = 12;

class ComboBox : public TextItem {
public:
  // capacity: the longest text the box shows, in bytes; unused is always 1.
  ComboBox(UiElement* parent, int x, int y, int width, int capacity, int unused = 1);
  ~ComboBox() override;

  void HandleEvent() override;
  void Draw() override;
  void Hide() override;
  // Replaces the current text, cut to the capacity.
  void SetText(const char* text) override;

  // Appends an owned copy; returns its index, or -1 once the box holds its 1024 items.
  int AddItem(const char* text);
  // Chooses item index and copies its text into the box; an index out of range changes nothing.
  void SetSelection(int index);
  int GetSelection() const { return selection_; }
  int GetItemCount() const { return static_cast<int>(items_.size()); }
  const std::string& GetItem(int index) const;
  bool IsOpen() const { return open_; }

  // The open list's rectangle, inclusive.
  int ListLeft() const { return x_; }
  int ListRight() const { return x_ + width_ - 1; }
  int ListTop() const { return y_ + height_ + 2; }
  int ListBottom() const { return ListTop() + GetItemCount() * kComboBoxItemHeight + 8 - 1; }

private:
  void Open();
  // Closes the list, putting back what was under it; with choose, the selection becomes the text.
  void Close(bool choose);
  void HandleOpen();
  void HandleClosed();
  bool IsOverList(int mouseX, int mouseY) const;
  int ItemAt(int mouseY) const;
  void DrawBox();
  void DrawList();
  void Redraw();

  int capacity_;
  std::vector<std::string> items_;
  int selection_ = -1;
  // What was chosen when the list opened, for a list closed without a choice.
  int selectionBeforeOpen_ = -1;
  int hover_ = -1;
  bool open_ = false;
  UiSavedPixels underList_;
};
