// What a game with a stock and a fanned waste keeps beside each undo snapshot because its fixed
// snapshot layout has no room for it: how many cards the last click turned (so the waste fans out
// as it did) and how many recycles were used (so undoing a recycle gives it back).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

struct StockSideState {
  int turned = 0;
  int recyclesUsed = 0;
};

std::vector<std::uint8_t> WriteStockSideState(const StockSideState& state);
// Nothing for bytes that are not a side state this wrote (an empty one included: a snapshot put
// in place by someone else), or that hold a negative count.
std::optional<StockSideState> ReadStockSideState(std::span<const std::uint8_t> bytes);

// The side state saved with the position, for a position with `turned`, `recyclesUsed` and
// `wasteCount`: so it records, and so it is put back on Undo, the turned count never claiming
// more cards than the restored waste holds. Bytes that are no side state change nothing.
template <class Position>
std::vector<std::uint8_t> WriteStockSideStateOf(const Position& position) {
  return WriteStockSideState({position.turned, position.recyclesUsed});
}
template <class Position>
void RestoreStockSideState(std::span<const std::uint8_t> bytes, Position& position) {
  if (const std::optional<StockSideState> side = ReadStockSideState(bytes)) {
    position.turned = side->turned < position.wasteCount ? side->turned : position.wasteCount;
    position.recyclesUsed = side->recyclesUsed;
  }
}
