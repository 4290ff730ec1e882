// The radio group's turn: its buttons handle the input, then the group keeps the choice single
// and the focus on one button.
#include "ui/widgets/RadioGroup.h"

#include "ui/UiInput.h"
#include "ui/widgets/WidgetSupport.h"

RadioGroup::RadioGroup(UiElement* parent, int x, int y) : UiCompoundWidget(parent, x, y, 0, 0) {}

void RadioGroup::Show() {
  UiCompoundWidget::Show();
  ForEachIn(children_.get(), [](UiElement* e) {
    e->SetFocus(kUiNoFocus);
    e->Show();
  });
  // The marked button is the first one until the dialog chooses its own. Nothing is drawn here:
  // the dialog draws its frame and then every widget, and a button drawn before the frame would
  // keep the screen under the dialog as its background.
  if (UiElement* marked = GetMarkedChild()) Choose(marked, false);
}

UiElement* RadioGroup::GetMarkedChild() const {
  return children_ != nullptr ? children_->Mark() : nullptr;
}

UiElement* RadioGroup::GetSelectedChild() const {
  UiElement* found = nullptr;
  ForEachIn(children_.get(), [&found](UiElement* e) {
    if (found == nullptr && e->IsSelected()) found = e;
  });
  return found;
}

bool RadioGroup::IsChild(int id, UiElement** child) const {
  *child = nullptr;
  ForEachIn(children_.get(), [id, child](UiElement* e) {
    if (e->GetId() == id) *child = e;
  });
  return *child != nullptr;
}

void RadioGroup::SelectChild(UiElement* child) {
  // A group whose dialog is not drawn yet (chosen before showing) leaves the drawing to it.
  Choose(child, parent_ == nullptr || parent_->IsShown());
}

void RadioGroup::Choose(UiElement* child, bool draw) {
  if (children_ == nullptr || !children_->Contains(child)) return;
  ForEachIn(children_.get(), [child, draw](UiElement* e) {
    const bool wanted = e == child;
    if (e->IsSelected() == wanted) return;
    e->SetSelected(wanted);
    if (draw && e->IsShown()) e->Draw();
  });
  children_->Find(child);
  children_->MarkCurrent();
}

void RadioGroup::SetFocus(int focus) {
  UiCompoundWidget::SetFocus(focus);
  UiElement* marked = GetMarkedChild();
  ForEachIn(children_.get(), [marked, focus](UiElement* e) {
    const int wanted = e == marked && focus != kUiNoFocus ? kUiKeyboardFocus : kUiNoFocus;
    if (e->GetFocus() == wanted) return;
    e->SetFocus(wanted);
    if (e->IsShown()) e->Draw();
  });
}

void RadioGroup::SetDisabled(bool disabled) {
  UiCompoundWidget::SetDisabled(disabled);
  ForEachIn(children_.get(), [disabled](UiElement* e) { e->SetDisabled(disabled); });
}

void RadioGroup::TakeFocusFrom(UiElement* child) {
  ForEachIn(children_.get(), [child](UiElement* e) {
    if (e == child || e->GetFocus() == kUiNoFocus) return;
    e->SetFocus(kUiNoFocus);
    e->Draw();
  });
}

void RadioGroup::MoveChoice(bool forward) {
  UiElement* from = GetMarkedChild();
  if (from == nullptr) return;
  UiElement* to = from;
  // At most one lap: a group whose other buttons are all disabled keeps its choice.
  for (std::size_t step = 0; step < children_->Count(); ++step) {
    to = forward ? to->NextSibling() : to->PrevSibling();
    if (to == nullptr) to = forward ? children_->Head() : children_->Tail();
    if (!to->IsDisabled()) break;
  }
  if (to == from || to->IsDisabled()) return;
  SelectChild(to);
  to->SetFocus(kUiKeyboardFocus);
  to->Draw();
  TakeFocusFrom(to);
  focus_ = kUiKeyboardFocus;
}

void RadioGroup::HandleEvent() {
  if (UiBlockedByMenu(*this) || !shown_ || disabled_ || children_ == nullptr) return;
  const bool arrow =
      (UiInput.event == EV_UP || UiInput.event == EV_DOWN) && UiInput.keyState == KS_CHAR;
  UiElement* marked = GetMarkedChild();
  if (arrow && (focus_ != kUiNoFocus || (marked != nullptr && marked->GetFocus() != 0))) {
    MoveChoice(UiInput.event == EV_DOWN);
    UiInput.keyState = KS_NONE;
    return;
  }
  const int keyStateOnEntry = UiInput.keyState;
  ForEachIn(children_.get(), [](UiElement* e) { e->HandleEvent(); });

  UiElement* child = nullptr;
  if (!IsChild(UiInput.subject, &child)) return;
  if (UiInput.event == EV_CLICKED) {
    SelectChild(child);
  } else if (UiInput.event == EV_PRESSED) {
    children_->Find(child);
    children_->MarkCurrent();
    // A mnemonic (typed or with Alt) chooses at once; a mouse press waits for its release.
    if (keyStateOnEntry == KS_CHAR || child->IsSelected()) SelectChild(child);
    TakeFocusFrom(child);
    UiInput.subject = id_;
    focus_ = kUiKeyboardFocus;
  }
}
