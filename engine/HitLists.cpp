// The hit lists: records in the order the game added them, searched from the head.
#include "engine/HitLists.h"

#include <algorithm>

const DragSource* DragSourceList::Add(int x, int y, const Card* cards, int count, int pile,
                                      int index) {
  auto record = std::make_unique<DragSource>();
  record->x = x;
  record->y = y;
  record->pile = pile;
  record->index = index;
  record->count = std::clamp(count, 0, kMaxCarriedCards);
  record->cards.fill(kNoCard);
  for (int i = 0; i < record->count && cards != nullptr; ++i)
    record->cards[static_cast<std::size_t>(i)] = cards[i];
  records_.push_back(std::move(record));
  return records_.back().get();
}

void DragSourceList::Remove(const DragSource* record) {
  std::erase_if(records_,
                [record](const std::unique_ptr<DragSource>& r) { return r.get() == record; });
}

const DragSource* DragSourceList::HitTest(int px, int py) const {
  for (const auto& record : records_)
    if (record->Contains(px, py)) return record.get();
  return nullptr;
}

void DropTargetList::Add(int x, int y, int left, int top, int right, int bottom, int kind,
                         int pile) {
  records_.push_back(DropTarget{x, y, left, top, right, bottom, kind, pile});
}

const DropTarget* DropTargetList::HitTest(int px, int py) const {
  for (const DropTarget& target : records_)
    if (target.Contains(px, py)) return &target;
  return nullptr;
}
