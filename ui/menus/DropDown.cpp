// Lays out, draws and hides the panel of a menu, and moves its keyboard highlight.
#include "ui/menus/DropDown.h"

#include <vector>

#include "ui/UiInput.h"
#include "ui/UiToolkit.h"
#include "ui/menus/MenuEntry.h"
#include "ui/widgets/WidgetSupport.h"

namespace {

// Used when the toolkit has not measured the screen yet.
constexpr int kDefaultScreenWidth = 800;

int TitleHeight(const UiElement* title) {
  return title != nullptr ? title->GetHeight() : 0;
}

}  // namespace

DropDown::DropDown(UiElement* title, int topX, int topY, int topWidth, int topHeight, int bottomX,
                   int bottomY, int bottomWidth, int bottomHeight, int image)
    : UiCompoundWidget(title, 0, TitleHeight(title), topWidth, topHeight + bottomHeight),
      topX_(topX),
      topY_(topY),
      topWidth_(topWidth),
      topHeight_(topHeight),
      bottomX_(bottomX),
      bottomY_(bottomY),
      bottomWidth_(bottomWidth),
      bottomHeight_(bottomHeight),
      image_(image) {
  const int screenWidth = UiToolkit.screenWidth > 0 ? UiToolkit.screenWidth : kDefaultScreenWidth;
  if (x_ + width_ > screenWidth) x_ = screenWidth - width_;
  title_ = dynamic_cast<MenuEntry*>(title);
  if (title_ != nullptr) title_->AttachDropDown(this);
}

DropDown::~DropDown() {
  if (title_ != nullptr && title_->GetDropDown() == this) title_->AttachDropDown(nullptr);
}

MenuEntry* DropDown::AddItem(const char* caption, int command, std::uint32_t style) {
  MenuEntry* item = MakeChild<MenuEntry>(caption, style);
  if (item != nullptr) item->SetId(command);
  return item;
}

MenuEntry* DropDown::FindItem(int command) const {
  MenuEntry* found = nullptr;
  ForEachIn(children_.get(), [&found, command](UiElement* e) {
    if (found == nullptr && e->GetId() == command) found = dynamic_cast<MenuEntry*>(e);
  });
  return found;
}

void DropDown::ClearItems() {
  std::vector<UiElement*> items;
  ForEachIn(children_.get(), [&items](UiElement* e) { items.push_back(e); });
  for (UiElement* e : items) {
    // Items that someone else owns are only let go of.
    if (!DestroyChild(e)) RemoveChild(e);
  }
}

void DropDown::Show() {
  int y = y_ + topHeight_;
  int itemsHeight = 0;
  ForEachIn(children_.get(), [&](UiElement* e) {
    e->SetX(x_);
    e->SetY(y);
    e->SetWidth(width_);
    e->SetFocus(kUiNoFocus);
    e->SetPressed(false);
    y += e->GetHeight();
    itemsHeight += e->GetHeight();
  });
  height_ = topHeight_ + bottomHeight_ + itemsHeight;
  if (children_->Rewind()) children_->MarkCurrent();
  SaveUnder();
  ForEachIn(children_.get(), [](UiElement* e) { e->Show(); });
  shown_ = true;
  active_ = true;
  Draw();
  dirty_ = true;
}

void DropDown::Hide() {
  ForEachIn(children_.get(), [](UiElement* e) {
    e->SetFocus(kUiNoFocus);
    e->SetPressed(false);
    e->Hide();
  });
  shown_ = false;
  active_ = false;
  UiSelectDrawingBuffer();
  RestoreUnder();
  UiMarkElement(*this);
  dirty_ = true;
}

MenuEntry* DropDown::HighlightedItem() const {
  MenuEntry* found = nullptr;
  ForEachIn(children_.get(), [&found](UiElement* e) {
    auto* item = dynamic_cast<MenuEntry*>(e);
    if (found == nullptr && item != nullptr && item->IsHighlighted()) found = item;
  });
  return found;
}

void DropDown::HandleEvent() {
  if (!active_ || !shown_ || disabled_) return;
  ForEachIn(children_.get(), [](UiElement* e) { e->HandleEvent(); });
  if (UiInput.event == EV_CLICKED) return;
  // The pointer moves the mark too, so the arrows go on from where the pointer left off.
  if (MenuEntry* lit = HighlightedItem(); lit != nullptr && children_->Find(lit)) {
    children_->MarkCurrent();
  }
  if (UiInput.event == EV_DOWN) MoveMark(true);
  if (UiInput.event == EV_UP) MoveMark(false);
}

void DropDown::MoveMark(bool forward) {
  if (children_->Empty()) return;
  UiElement* old = children_->Mark();
  auto fixed = [](const UiElement* e) {
    const auto* item = dynamic_cast<const MenuEntry*>(e);
    return item != nullptr && item->IsFixed();
  };
  auto step = [this, forward] {
    if (forward) {
      children_->MarkNextWrapping();
    } else {
      children_->MarkPrevWrapping();
    }
  };
  // With nothing lit yet the first key lights the first (or, going up, the last) item rather
  // than jumping past it.
  const bool nothingLit = HighlightedItem() == nullptr;
  if (nothingLit) {
    if (forward) {
      children_->Rewind();
    } else {
      children_->ToTail();
    }
    children_->MarkCurrent();
  } else {
    step();
  }
  if (fixed(children_->Mark())) step();
  UiElement* mark = children_->Mark();
  if (old != nullptr && old != mark && old->GetFocus() != kUiNoFocus) {
    old->SetFocus(kUiNoFocus);
    old->SetPressed(false);
    old->Draw();
  }
  if (mark != nullptr && mark->GetFocus() == kUiNoFocus) {
    mark->SetFocus(kUiKeyboardFocus);
    mark->Draw();
  }
}

void DropDown::DrawBackground(int top, int bottom) {
  if (image_ < 0 || UiToolkit.drawingBuffer < 0) return;
  const int from = topY_ + (top - y_);
  const int to = topY_ + (bottom - y_);
  // Copies are placed by their lower-left corner.
  GfxCopyRectTransparent(topX_, topX_ + topWidth_ - 1, from, to, x_, bottom, image_,
                         UiToolkit.drawingBuffer);
}

void DropDown::Draw() {
  UiSelectDrawingBuffer();
  DrawBackground(y_, y_ + height_ - bottomHeight_ - 1);
  DrawChildren();
  if (image_ >= 0 && UiToolkit.drawingBuffer >= 0) {
    GfxCopyRectTransparent(bottomX_, bottomX_ + bottomWidth_ - 1, bottomY_,
                           bottomY_ + bottomHeight_ - 1, x_, y_ + height_ - 1, image_,
                           UiToolkit.drawingBuffer);
  }
  UiMarkElement(*this);
  dirty_ = true;
}
