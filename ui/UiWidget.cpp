// Shared behaviour of leaf and compound widgets: joining the parent, showing and hiding.
#include "ui/UiWidget.h"

namespace {

int Offset(const UiElement* parent, int (UiElement::*get)() const) {
  return parent != nullptr ? (parent->*get)() : 0;
}

}  // namespace

UiWidget::UiWidget(UiElement* parent, int x, int y, int width, int height)
    : UiElement(parent, x + Offset(parent, &UiElement::GetX), y + Offset(parent, &UiElement::GetY),
                width, height) {
  if (parent != nullptr) parent->AddChild(this);
}

void UiWidget::Show() {
  shown_ = true;
  active_ = true;
}

void UiWidget::Hide() {
  shown_ = false;
  active_ = false;
  RestoreUnder();
}

UiCompoundWidget::UiCompoundWidget(UiElement* parent, int x, int y, int width, int height)
    : UiWidget(parent, x, y, width, height) {
  children_ = std::make_unique<ChildList>();
}

void UiCompoundWidget::MoveBy(int dx, int dy) {
  UiWidget::MoveBy(dx, dy);
  ForEachIn(children_.get(), [dx, dy](UiElement* e) { e->MoveBy(dx, dy); });
}

void UiCompoundWidget::MoveTo(int x, int y) {
  const int oldX = x_;
  const int oldY = y_;
  UiWidget::MoveTo(x, y);
  const int dx = x_ - oldX;
  const int dy = y_ - oldY;
  ForEachIn(children_.get(), [dx, dy](UiElement* e) { e->MoveBy(dx, dy); });
}

void UiCompoundWidget::CenterHorizontally() {
  const int oldX = x_;
  UiWidget::CenterHorizontally();
  const int dx = x_ - oldX;
  ForEachIn(children_.get(), [dx](UiElement* e) { e->MoveBy(dx, 0); });
}

void UiCompoundWidget::CenterVertically() {
  const int oldY = y_;
  UiWidget::CenterVertically();
  const int dy = y_ - oldY;
  ForEachIn(children_.get(), [dy](UiElement* e) { e->MoveBy(0, dy); });
}

bool UiCompoundWidget::NeedsRedraw() const {
  if (dirty_) return true;
  bool any = false;
  ForEachIn(children_.get(), [&any](UiElement* e) { any = any || e->NeedsRedraw(); });
  return any;
}

void UiCompoundWidget::ClearRedraw() {
  dirty_ = false;
  ForEachIn(children_.get(), [](UiElement* e) { e->ClearRedraw(); });
}

void UiCompoundWidget::DrawChildren() {
  ForEachIn(children_.get(), [](UiElement* e) { e->Draw(); });
}
