// The ordered list of child elements that containers and compound widgets keep, threaded through
// the elements' own links, with an iteration cursor and the mark of the focused child.
#pragma once

#include <cstddef>

class UiElement;

class ChildList {
public:
  ChildList() = default;
  ChildList(const ChildList&) = delete;
  ChildList& operator=(const ChildList&) = delete;
  // Lets go of every member (their links and list membership are cleared; nothing is deleted).
  ~ChildList();

  // cursor := head; false when the list is empty.
  bool Rewind();
  // Moves the cursor on; false (cursor unchanged) at the tail.
  bool Next();
  // Moves the cursor back; false at the head.
  bool Prev();
  UiElement* Current() const { return cursor_; }
  void ToTail() { cursor_ = tail_; }
  void MarkCurrent() { focusMark_ = cursor_; }
  void CursorToMark() { cursor_ = focusMark_; }
  UiElement* Mark() const { return focusMark_; }
  // cursor := e when e is a member.
  bool Find(UiElement* e);
  // Inserts e after the cursor and moves the cursor to it; the first member ever inserted into
  // an empty list also becomes the focus mark. False when e already belongs to a list.
  bool Insert(UiElement* e);
  // Unlinks the member at the cursor; a marked member first loses its focus and the mark moves
  // on (wrapping). The cursor returns to the head.
  void RemoveCurrent();
  // Rewinds, finds e and removes it; true when it was there.
  bool Remove(UiElement* e);
  void MarkNextWrapping();
  void MarkPrevWrapping();

  UiElement* Head() const { return head_; }
  UiElement* Tail() const { return tail_; }
  bool Empty() const { return head_ == nullptr; }
  std::size_t Count() const { return count_; }
  bool Contains(const UiElement* e) const;
  // Unlinks every member without touching their focus; used when the owner goes away.
  void Release();

private:
  UiElement* head_ = nullptr;
  UiElement* tail_ = nullptr;
  UiElement* cursor_ = nullptr;
  UiElement* focusMark_ = nullptr;
  std::size_t count_ = 0;
};
