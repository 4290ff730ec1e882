// Routes each turn to the menu titles, tracks the pointer over the bar and steps between the
// menus with the Left and Right arrows.
#include "ui/menus/MenuBar.h"

#include "ui/UiInput.h"
#include "ui/UiModal.h"
#include "ui/UiToolkit.h"
#include "ui/menus/DropDown.h"
#include "ui/menus/MenuEntry.h"

MenuBar::MenuBar(UiElement* screen, int x, int y, int sourceX, int sourceY, int width, int height,
                 int image)
    : UiCompoundWidget(screen, 0, 0, width, height),
      image_(image),
      sourceX_(sourceX),
      sourceY_(sourceY) {
  x_ = x;
  y_ = y;
  style_ = kUiStyleNoTabStop;
  if (screen != nullptr) screen->SetClientTop(screen->GetClientTop() + height);
}

MenuBar::~MenuBar() {
  if (HoldsMenuOpen()) UiReleaseMenuOpen();
}

bool MenuBar::HoldsMenuOpen() const {
  // A title pressed this turn has raised menuOpen before its list is shown (that happens next
  // turn), so a held or pending title counts as much as an open list.
  bool holds = false;
  ForEachIn(children_.get(), [&holds](UiElement* e) {
    auto* title = dynamic_cast<MenuEntry*>(e);
    if (title == nullptr) return;
    holds = holds || title->IsHighlighted() || title->GetPending() != MenuEntry::kPendingNone ||
            (title->GetDropDown() != nullptr && title->GetDropDown()->IsShown());
  });
  return holds;
}

void MenuBar::Show() {
  UiWidget::Show();
  ForEachIn(children_.get(), [](UiElement* e) { e->Show(); });
  Draw();
}

void MenuBar::Hide() {
  if (HoldsMenuOpen()) UiReleaseMenuOpen();
  ForEachIn(children_.get(), [](UiElement* e) { e->Hide(); });
  UiWidget::Hide();
  hot_ = false;
}

bool MenuBar::IsOpen() const {
  return UiToolkit.menuOpen > 0;
}

MenuEntry* MenuBar::OpenTitle() const {
  MenuEntry* open = nullptr;
  ForEachIn(children_.get(), [&open](UiElement* e) {
    auto* title = dynamic_cast<MenuEntry*>(e);
    if (open == nullptr && title != nullptr && title->GetDropDown() != nullptr &&
        title->GetDropDown()->IsShown()) {
      open = title;
    }
  });
  return open;
}

void MenuBar::HandleEvent() {
  const UiInputRecord& in = UiInput;
  if (in.mouseState == MS_MOVE) {
    const bool over = x_ <= in.mouseX && in.mouseX <= x_ + width_ - 1 && y_ <= in.mouseY &&
                      in.mouseY <= y_ + height_ - 1;
    if (over && !hot_) {
      hot_ = true;
      Draw();
    } else if (!over && hot_ && !IsOpen()) {
      hot_ = false;
    }
  }
  if (disabled_ || !active_) return;

  ForEachIn(children_.get(), [this](UiElement* e) {
    e->HandleEvent();
    if (e->GetFocus() != kUiNoFocus) children_->Find(e);
  });
  if (in.event == EV_CLICKED) {
    // A letter typed with Alt may both choose an item and name another title; the choice wins.
    ForEachIn(children_.get(), [](UiElement* e) {
      if (auto* title = dynamic_cast<MenuEntry*>(e)) title->CancelPendingOpen();
    });
    return;
  }
  if ((in.event == EV_RIGHT || in.event == EV_LEFT) && IsOpen()) SwitchMenu(in.event == EV_RIGHT);
}

void MenuBar::SwitchMenu(bool forward) {
  MenuEntry* open = OpenTitle();
  if (open == nullptr || !children_->Find(open)) return;
  // Disabled titles are passed over; after a whole round the open menu stays.
  for (std::size_t i = 0; i < children_->Count(); ++i) {
    if (forward) {
      if (!children_->Next()) children_->Rewind();
    } else {
      if (!children_->Prev()) children_->ToTail();
    }
    auto* next = dynamic_cast<MenuEntry*>(children_->Current());
    if (next == nullptr || next == open) return;
    if (next->IsDisabled()) continue;
    open->CloseMenu();
    next->OpenMenu();
    children_->MarkCurrent();
    return;
  }
}
