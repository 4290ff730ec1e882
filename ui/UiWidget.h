// The bases of the leaf widgets and of the widgets that hold widgets of their own (radio groups,
// spin boxes, menus).
#pragma once

#include "ui/UiElement.h"

class UiWidget : public UiElement {
public:
  // x and y are relative to the parent's current position; the widget joins the parent's
  // children.
  UiWidget(UiElement* parent, int x, int y, int width, int height);

  void Show() override;
  // Also puts back the screen saved under the widget, if any.
  void Hide() override;
};

class UiCompoundWidget : public UiWidget {
public:
  UiCompoundWidget(UiElement* parent, int x, int y, int width, int height);

  void Draw() override { DrawChildren(); }
  // The members move with the widget, so a radio group or spin box follows a container that is
  // moved or centred.
  void MoveBy(int dx, int dy) override;
  void MoveTo(int x, int y) override;
  void CenterHorizontally() override;
  void CenterVertically() override;
  int AddChild(UiElement* e) override { return InsertInto(children_.get(), e); }
  int RemoveChild(UiElement* e) override { return RemoveFrom(children_.get(), e); }
  // A member that drew itself counts as a change of the whole widget, so the loop shows it.
  bool NeedsRedraw() const override;
  void ClearRedraw() override;
  // Selects one member (radio groups); nothing here.
  virtual void SelectChild(UiElement*) {}  // 60

  void DrawChildren();
};
