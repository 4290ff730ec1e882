// The state, geometry and bookkeeping every window element shares.
#include "ui/UiElement.h"

#include <algorithm>
#include <cstring>

#include "ui/UiToolkit.h"

UiElement::UiElement(UiElement* parent, int x, int y, int width, int height)
    : parent_(parent), id_(++UiToolkit.idCounter), x_(x), y_(y), width_(width), height_(height) {}

UiElement::~UiElement() {
  DropSaved();
  DetachFromTree();
}

namespace {

int g_turnDepth = 0;

// Elements destroyed inside a turn, deleted when the outermost turn ends.
std::vector<std::unique_ptr<UiElement>>& Doomed() {
  static std::vector<std::unique_ptr<UiElement>> doomed;
  return doomed;
}

}  // namespace

void UiElement::BeginTurn() {
  ++g_turnDepth;
}

void UiElement::EndTurn() {
  if (g_turnDepth > 0) --g_turnDepth;
  if (g_turnDepth > 0) return;
  // Moved out first: a destructor that destroys children of its own does so at once now.
  std::vector<std::unique_ptr<UiElement>> doomed = std::move(Doomed());
  Doomed().clear();
  doomed.clear();
}

bool UiElement::InTurn() {
  return g_turnDepth > 0;
}

void UiElement::DetachFromParent() {
  // A parent that went first has already cut this tie, so list_ is never stale.
  if (list_ != nullptr) list_->Remove(this);
  parent_ = nullptr;
}

void UiElement::DetachFromTree() {
  // Leaving the parent's list here rather than in each class's destructor keeps the rule in one
  // place.
  DetachFromParent();
  // Members that outlive this element must not reach back into it, so every tie is cut before
  // the owned children are destroyed.
  auto orphan = [](UiElement* e) { e->parent_ = nullptr; };
  ForEachIn(children_.get(), orphan);
  ForEachIn(containers_.get(), orphan);
  if (children_) children_->Release();
  if (containers_) containers_->Release();
  owned_.clear();
}

bool UiElement::DestroyChild(UiElement* child) {
  auto it = std::find_if(owned_.begin(), owned_.end(),
                         [child](const std::unique_ptr<UiElement>& e) { return e.get() == child; });
  if (it == owned_.end()) return false;
  // Moved out first, so the child's destructor sees a consistent list of owned elements.
  std::unique_ptr<UiElement> doomed = std::move(*it);
  owned_.erase(it);
  if (InTurn()) {
    doomed->DetachFromParent();
    Doomed().push_back(std::move(doomed));
  }
  return true;
}

int UiElement::InsertInto(ChildList* list, UiElement* e) {
  if (list == nullptr || e == nullptr) return 0;
  if (list->Find(e)) return 1;
  list->ToTail();
  list->Insert(e);
  return 0;
}

int UiElement::RemoveFrom(ChildList* list, UiElement* e) {
  if (list == nullptr) return 1;
  return list->Remove(e) ? 0 : 1;
}

void UiElement::MoveBy(int dx, int dy) {
  x_ += dx;
  y_ += dy;
}

void UiElement::MoveTo(int x, int y) {
  x_ = parent_ != nullptr ? parent_->GetX() + x : x;
  y_ = parent_ != nullptr ? parent_->GetY() + y : y;
}

void UiElement::Center() {
  CenterHorizontally();
  CenterVertically();
}

void UiElement::CenterHorizontally() {
  x_ = parent_ != nullptr ? parent_->GetX() + (parent_->GetWidth() - width_) / 2
                          : (UiToolkit.screenWidth - width_) / 2;
}

void UiElement::CenterVertically() {
  y_ = parent_ != nullptr ? parent_->GetY() + (parent_->GetHeight() - height_) / 2
                          : (UiToolkit.screenHeight - height_) / 2;
}

void UiElement::SetFocus(int focus) {
  focus_ = focus;
  dirty_ = true;
}

void UiElement::SetDisabled(bool disabled) {
  disabled_ = disabled;
  focus_ = kUiNoFocus;
}

void UiElement::SetText(const char* text) {
  hasText_ = text != nullptr;
  text_ = text != nullptr ? text : "";
}

const char* UiElement::GetText() const {
  return hasText_ ? text_.c_str() : nullptr;
}

int UiElement::GetTextLength() const {
  return hasText_ ? static_cast<int>(std::strlen(text_.c_str())) : 0;
}

void UiElement::SetPressed(bool pressed) {
  pressed_ = pressed;
  dirty_ = true;
}

void UiElement::SetSelected(bool selected) {
  selected_ = selected;
  dirty_ = true;
}

void UiElement::UpdateIfDirty() {
  if (!dirty_) return;
  Draw();
  dirty_ = false;
}

Color UiElement::GetBackColour() const {
  return UiColour(kUiColourBackground);
}
