// Where cards can be picked up and where they can be put: the two ordered lists a game rebuilds
// after every change of position, and their hit tests. The order of each list is its priority.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "engine/Card.h"

// Most cards one pick-up can carry.
inline constexpr int kMaxCarriedCards = 13;
// A drag source's hit area from its top-left corner, whatever the size of the card pictures:
// the rest of a fanned card is covered by the card above it.
inline constexpr int kDragSourceHitWidth = 50;
inline constexpr int kDragSourceHitHeight = 81;

struct DragSource {
  int x = 0;  // top-left of the lowest card of the stack
  int y = 0;
  std::array<Card, kMaxCarriedCards> cards{};  // bottom card first; (-1, -1) past count
  int count = 0;
  int pile = -1;  // the pile the cards lie in, as moves name it
  int index = 0;  // the pile's card that is the bottom of the stack

  bool Contains(int px, int py) const {
    return px >= x && px < x + kDragSourceHitWidth && py >= y && py < y + kDragSourceHitHeight;
  }
};

struct DropTarget {
  int x = 0;  // the pile's stored position: how the game recognises the pile
  int y = 0;
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
  int kind = 0;                                  // the game's class of pile; 1 = foundation
  int pile = -1;                                 // the pile a drop here lands on

  bool Contains(int px, int py) const {
    return px >= left && px < right && py >= top && py < bottom;
  }
};

class DragSourceList {
public:
  // Copies `count` cards (at most kMaxCarriedCards are kept) and fills the rest with (-1, -1).
  const DragSource* Add(int x, int y, const Card* cards, int count, int pile = -1, int index = 0);
  // Removes the record that is this very object; a copy of a record matches nothing.
  void Remove(const DragSource* record);
  void Clear() { records_.clear(); }
  // The first record, from the head, whose hit area holds the point; null when none does.
  const DragSource* HitTest(int px, int py) const;

  int Size() const { return static_cast<int>(records_.size()); }
  const DragSource& At(int i) const { return *records_[static_cast<std::size_t>(i)]; }

private:
  // Records are held by pointer so that a pointer handed out stays the record's identity.
  std::vector<std::unique_ptr<DragSource>> records_;
};

class DropTargetList {
public:
  void Add(int x, int y, int left, int top, int right, int bottom, int kind, int pile = -1);
  void Clear() { records_.clear(); }
  // The first target, from the head, whose area holds the point; null when none does.
  const DropTarget* HitTest(int px, int py) const;

  int Size() const { return static_cast<int>(records_.size()); }
  const DropTarget& At(int i) const { return records_[static_cast<std::size_t>(i)]; }

private:
  std::vector<DropTarget> records_;
};
