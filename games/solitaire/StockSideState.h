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
