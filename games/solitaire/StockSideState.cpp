#include "games/solitaire/StockSideState.h"

#include "engine/SnapshotBytes.h"

std::vector<std::uint8_t> WriteStockSideState(const StockSideState& state) {
  SnapshotWriter out;
  out.PutInt32(state.turned);
  out.PutInt32(state.recyclesUsed);
  return out.Bytes();
}

std::optional<StockSideState> ReadStockSideState(std::span<const std::uint8_t> bytes) {
  SnapshotReader in(bytes);
  std::int32_t turned = 0, recyclesUsed = 0;
  in.GetInt32(turned);
  in.GetInt32(recyclesUsed);
  if (!in.Finished() || turned < 0 || recyclesUsed < 0) return std::nullopt;
  return StockSideState{turned, recyclesUsed};
}
