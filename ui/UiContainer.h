// A rectangle that owns widgets and nested containers: it routes each turn's event to them, moves
// the keyboard focus, and deactivates its parent while it is shown on top of it.
#pragma once

#include <cstdint>

#include "ui/UiElement.h"

class UiContainer : public UiElement {
public:
  // Position and size are absolute. An empty or missing title leaves the container untitled.
  UiContainer(UiElement* parent, int x, int y, int width, int height, const char* title,
              std::uint32_t style);

  void Show() override;
  void Hide() override;
  void HandleEvent() override;
  void MoveBy(int dx, int dy) override;
  void MoveTo(int x, int y) override;
  void CenterHorizontally() override;
  void CenterVertically() override;
  int GetClientLeft() const override { return clientLeft_; }
  int GetClientRight() const override { return clientRight_; }
  int GetClientTop() const override { return clientTop_; }
  int GetClientBottom() const override { return clientBottom_; }
  void SetClientLeft(int v) override { clientLeft_ = v; }
  void SetClientRight(int v) override { clientRight_ = v; }
  void SetClientTop(int v) override { clientTop_ = v; }
  void SetClientBottom(int v) override { clientBottom_ = v; }
  void UpdateIfDirty() override;
  int AddChild(UiElement* e) override { return InsertInto(children_.get(), e); }
  int RemoveChild(UiElement* e) override { return RemoveFrom(children_.get(), e); }
  int AddContainer(UiElement* e) override { return InsertInto(containers_.get(), e); }
  int RemoveContainer(UiElement* e) override { return RemoveFrom(containers_.get(), e); }
  bool NeedsRedraw() const override;
  void ClearRedraw() override;

  // Draws every widget; nested containers draw themselves.
  void DrawChildren();

  int GetClientX() const { return clientX_; }
  int GetClientY() const { return clientY_; }
  int GetClientWidth() const { return clientWidth_; }
  int GetClientHeight() const { return clientHeight_; }

protected:
  bool IsModeless() const { return (style_ & kUiStyleModeless) != 0; }

private:
  // Tab and Shift+Tab: moves the focus mark to the next (or previous) enabled tab stop,
  // wrapping at the ends. Nothing changes when no member can take the focus.
  void MoveFocus(bool forward);
  // The focus mark, moved on to an enabled tab stop when it is disabled; nullptr when no member
  // can take the focus.
  UiElement* UsableMark();
  // A press on a member: that member becomes the mark and the container the focused one.
  void TakePressedFocus();
  // Moves the client rectangle and the widgets with the container.
  void ShiftContents(int dx, int dy);

  int clientX_ = 0;
  int clientY_ = 0;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  int clientLeft_ = 0;
  int clientRight_ = 0;
  int clientTop_ = 0;
  int clientBottom_ = 0;
};

// The full-screen panel at the top of a tree. Its owner paints the screen itself, so it draws
// nothing of its own.
class UiScreen : public UiContainer {
public:
  UiScreen(int x, int y, int width, int height)
      : UiContainer(nullptr, x, y, width, height, "", 0) {}
  void Draw() override {}
  void Refresh() override { Draw(); }
};
