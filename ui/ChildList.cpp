// Keeps the order, cursor and focus mark of a container's children.
#include "ui/ChildList.h"

#include "ui/UiElement.h"

ChildList::~ChildList() {
  Release();
}

bool ChildList::Rewind() {
  cursor_ = head_;
  return head_ != nullptr;
}

bool ChildList::Next() {
  if (cursor_ == nullptr || cursor_->next_ == nullptr) return false;
  cursor_ = cursor_->next_;
  return true;
}

bool ChildList::Prev() {
  if (cursor_ == nullptr || cursor_->prev_ == nullptr) return false;
  cursor_ = cursor_->prev_;
  return true;
}

bool ChildList::Contains(const UiElement* e) const {
  return e != nullptr && e->list_ == this;
}

bool ChildList::Find(UiElement* e) {
  if (!Contains(e)) return false;
  cursor_ = e;
  return true;
}

bool ChildList::Insert(UiElement* e) {
  if (e == nullptr || e->list_ != nullptr) return false;
  e->list_ = this;
  ++count_;
  if (head_ == nullptr) {
    e->prev_ = e->next_ = nullptr;
    head_ = tail_ = cursor_ = focusMark_ = e;
    return true;
  }
  UiElement* after = cursor_ != nullptr ? cursor_ : tail_;
  e->prev_ = after;
  e->next_ = after->next_;
  if (after->next_ != nullptr) {
    after->next_->prev_ = e;
  } else {
    tail_ = e;
  }
  after->next_ = e;
  cursor_ = e;
  return true;
}

void ChildList::RemoveCurrent() {
  UiElement* e = cursor_;
  if (e == nullptr) return;
  if (e == focusMark_) {
    e->SetFocus(0);
    UiElement* following = e->next_ != nullptr ? e->next_ : head_;
    focusMark_ = following == e ? nullptr : following;
  }
  if (e->prev_ != nullptr) {
    e->prev_->next_ = e->next_;
  } else {
    head_ = e->next_;
  }
  if (e->next_ != nullptr) {
    e->next_->prev_ = e->prev_;
  } else {
    tail_ = e->prev_;
  }
  e->prev_ = e->next_ = nullptr;
  e->list_ = nullptr;
  --count_;
  cursor_ = head_;
}

bool ChildList::Remove(UiElement* e) {
  Rewind();
  if (!Find(e)) return false;
  RemoveCurrent();
  return true;
}

void ChildList::MarkNextWrapping() {
  if (focusMark_ == nullptr) {
    focusMark_ = head_;
    return;
  }
  focusMark_ = focusMark_->next_ != nullptr ? focusMark_->next_ : head_;
}

void ChildList::MarkPrevWrapping() {
  if (focusMark_ == nullptr) {
    focusMark_ = tail_;
    return;
  }
  focusMark_ = focusMark_->prev_ != nullptr ? focusMark_->prev_ : tail_;
}

void ChildList::Release() {
  UiElement* e = head_;
  while (e != nullptr) {
    UiElement* next = e->next_;
    e->prev_ = e->next_ = nullptr;
    e->list_ = nullptr;
    e = next;
  }
  head_ = tail_ = cursor_ = focusMark_ = nullptr;
  count_ = 0;
}
