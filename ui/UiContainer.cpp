// Event routing, focus traversal, showing and hiding, and moving for containers.
#include "ui/UiContainer.h"

#include "ui/UiInput.h"
#include "ui/UiToolkit.h"

UiContainer::UiContainer(UiElement* parent, int x, int y, int width, int height, const char* title,
                         std::uint32_t style)
    : UiElement(parent, x, y, width, height),
      clientX_(x),
      clientY_(y),
      clientWidth_(width),
      clientHeight_(height),
      clientLeft_(x),
      clientRight_(x + width - 1),
      clientTop_(y),
      clientBottom_(y + height - 1) {
  style_ = style;
  children_ = std::make_unique<ChildList>();
  containers_ = std::make_unique<ChildList>();
  if (title != nullptr && title[0] != '\0') SetText(title);
  if (parent != nullptr) parent->AddContainer(this);
}

void UiContainer::Show() {
  UiSelectDrawingBuffer();
  if (parent_ != nullptr && !IsModeless()) {
    parent_->SetActive(false);
    parent_->Refresh();
  }
  if (UiToolkit.saveUnderEnabled) SaveUnder();
  UiElement* mark = UsableMark();
  ForEachIn(children_.get(), [mark](UiElement* e) {
    if (e == mark) e->SetFocus(kUiKeyboardFocus);
    e->Show();
  });
  active_ = true;
  Draw();
  shown_ = true;
  dirty_ = true;
}

void UiContainer::Hide() {
  active_ = false;
  ForEachIn(children_.get(), [](UiElement* e) { e->Hide(); });
  if (UiToolkit.saveUnderEnabled) RestoreUnder();
  if (parent_ != nullptr && !IsModeless()) {
    parent_->SetActive(true);
    parent_->Refresh();
  }
  shown_ = false;
}

void UiContainer::HandleEvent() {
  UiElement* const mark = children_->Mark();
  if (active_ && shown_) {
    if (mark != nullptr) mark->HandleEvent();
    ForEachIn(children_.get(), [mark](UiElement* e) {
      if (e != mark) e->HandleEvent();
    });
    switch (UiInput.event) {
      case EV_TAB:
        MoveFocus(true);
        break;
      case EV_BACK_TAB:
        MoveFocus(false);
        break;
      case EV_PRESSED:
        TakePressedFocus();
        break;
      default:
        break;
    }
  }
  if (UiToolkit.routeToContainers) {
    ForEachIn(containers_.get(), [](UiElement* e) {
      if (e->IsShown()) e->HandleEvent();
    });
  }
  if (children_->Mark() != mark) {
    if (mark != nullptr) {
      mark->SetFocus(kUiNoFocus);
      mark->Draw();
    }
    dirty_ = true;
  }
}

UiElement* UiContainer::UsableMark() {
  ChildList& list = *children_;
  UiElement* const mark = list.Mark();
  if (mark == nullptr || !mark->IsDisabled()) return mark;
  // A disabled mark (the first widget was greyed before the dialog opened) hands the focus on to
  // the next tab stop that can take it; when none can, nothing has the focus.
  UiElement* e = mark;
  for (std::size_t step = 1; step < list.Count(); ++step) {
    e = e->NextSibling() != nullptr ? e->NextSibling() : list.Head();
    if ((e->GetStyle() & kUiStyleNoTabStop) == 0 && !e->IsDisabled()) {
      list.Find(e);
      list.MarkCurrent();
      return e;
    }
  }
  return nullptr;
}

void UiContainer::MoveFocus(bool forward) {
  ChildList& list = *children_;
  UiElement* const mark = list.Mark();
  if (mark == nullptr) return;
  // Both directions pass over elements that are not tab stops and over disabled ones, so the
  // focus never lands where it could not be used.
  UiElement* target = nullptr;
  UiElement* e = mark;
  for (std::size_t step = 0; step < list.Count(); ++step) {
    if (forward) {
      e = e->NextSibling() != nullptr ? e->NextSibling() : list.Head();
    } else {
      e = e->PrevSibling() != nullptr ? e->PrevSibling() : list.Tail();
    }
    if ((e->GetStyle() & kUiStyleNoTabStop) == 0 && !e->IsDisabled()) {
      target = e;
      break;
    }
  }
  if (target == nullptr) return;
  list.CursorToMark();
  mark->SetFocus(kUiNoFocus);
  mark->Draw();
  list.Find(target);
  list.MarkCurrent();
  target->SetFocus(kUiKeyboardFocus);
  target->Draw();
}

void UiContainer::TakePressedFocus() {
  ChildList& list = *children_;
  ForEachIn(children_.get(), [this, &list](UiElement* e) {
    if (e->GetId() == UiInput.subject) {
      list.Find(e);
      list.MarkCurrent();
      UiInput.subject = id_;
      focus_ = kUiKeyboardFocus;
    } else if (e->GetFocus() != kUiNoFocus) {
      e->SetFocus(kUiNoFocus);
      e->Draw();
    }
  });
}

void UiContainer::ShiftContents(int dx, int dy) {
  clientX_ += dx;
  clientY_ += dy;
  clientLeft_ += dx;
  clientRight_ += dx;
  clientTop_ += dy;
  clientBottom_ += dy;
  ForEachIn(children_.get(), [dx, dy](UiElement* e) { e->MoveBy(dx, dy); });
  dirty_ = true;
}

void UiContainer::MoveBy(int dx, int dy) {
  UiElement::MoveBy(dx, dy);
  ShiftContents(dx, dy);
}

void UiContainer::MoveTo(int x, int y) {
  const int oldX = x_;
  const int oldY = y_;
  UiElement::MoveTo(x, y);
  ShiftContents(x_ - oldX, y_ - oldY);
}

void UiContainer::CenterHorizontally() {
  const int oldX = x_;
  UiElement::CenterHorizontally();
  ShiftContents(x_ - oldX, 0);
}

void UiContainer::CenterVertically() {
  const int oldY = y_;
  UiElement::CenterVertically();
  ShiftContents(0, y_ - oldY);
}

void UiContainer::UpdateIfDirty() {
  if (dirty_) {
    Draw();
    dirty_ = false;
  } else {
    ForEachIn(children_.get(), [](UiElement* e) { e->UpdateIfDirty(); });
  }
  ForEachIn(containers_.get(), [](UiElement* e) {
    if (e->IsShown()) e->UpdateIfDirty();
  });
}

bool UiContainer::NeedsRedraw() const {
  if (dirty_) return true;
  bool any = false;
  auto ask = [&any](UiElement* e) { any = any || e->NeedsRedraw(); };
  ForEachIn(children_.get(), ask);
  ForEachIn(containers_.get(), ask);
  return any;
}

void UiContainer::ClearRedraw() {
  dirty_ = false;
  auto clear = [](UiElement* e) { e->ClearRedraw(); };
  ForEachIn(children_.get(), clear);
  ForEachIn(containers_.get(), clear);
}

void UiContainer::DrawChildren() {
  ForEachIn(children_.get(), [](UiElement* e) { e->Draw(); });
}
