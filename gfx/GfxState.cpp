// The single state record of the graphics layer and the helpers shared by its operations.
#include "gfx/GfxState.h"

#include <algorithm>
#include <cstring>

GfxState& GfxGlobal() {
  static GfxState state = [] {
    GfxState initial;
    // The colour table is usable before the palette is created, so readers and tests that skip
    // the start-up sequence still get the standard colours.
    initial.table = GfxDefaultColorTable();
    return initial;
  }();
  return state;
}

GfxRect GfxIntersect(const GfxRect& a, const GfxRect& b) {
  return {std::max(a.minx, b.minx), std::min(a.maxx, b.maxx), std::max(a.miny, b.miny),
          std::min(a.maxy, b.maxy)};
}

GfxSlot* GfxActiveSlot() {
  GfxState& state = GfxGlobal();
  return state.active >= 0 ? &state.slots[static_cast<std::size_t>(state.active)] : nullptr;
}

GfxPixelFormat GfxCurrentFormat() {
  if (const GfxSlot* slot = GfxActiveSlot()) return slot->format;
  const GfxState& state = GfxGlobal();
  return {state.bufferDepth, state.is565};
}

GfxRect GfxEffectiveClip(const GfxSlot& slot) {
  return GfxIntersect(GfxGlobal().clip, slot.Bounds());
}

GfxSlot* GfxSlotFor(int handle) {
  if (handle < 0 || handle >= kGfxMaxBuffers) return nullptr;
  GfxSlot& slot = GfxGlobal().slots[static_cast<std::size_t>(handle)];
  return slot.InUse() ? &slot : nullptr;
}

void GfxResetState() {
  GfxState& state = GfxGlobal();
  for (auto& slot : state.slots) slot = GfxSlot{};
  for (auto& entry : state.table) entry.transparent = false;
  ++state.tableVersion;
  state.active = -1;
  state.clip = GfxRect{};
  state.cursorX = 0;
  state.cursorY = 0;
  state.color = 0;
  state.justifyHorizontal = -1;
  state.justifyVertical = -1;
  state.boxHorizontal = 1;
  state.boxVertical = 1;
  state.bufferDepth = 8;
  state.lockDepth = 0;
}

void GfxFillArea(const GfxSlot& slot, const GfxRect& area, Color color) {
  if (area.IsEmpty()) return;
  const int bytesPerPixel = slot.BytesPerPixel();
  const int count = area.maxx - area.minx + 1;
  const std::size_t spanBytes = static_cast<std::size_t>(count) * bytesPerPixel;
  std::uint8_t* first = slot.At(area.minx, area.miny);
  // Build one span pixel by pixel, then replicate it row by row with whole-row copies.
  if (bytesPerPixel == 1) {
    std::memset(first, static_cast<int>(color & 0xFF), spanBytes);
  } else if (bytesPerPixel == 4) {
    for (int i = 0; i < count; ++i) std::memcpy(first + 4 * i, &color, 4);
  } else if (bytesPerPixel == 2) {
    const auto v = static_cast<std::uint16_t>(color);
    for (int i = 0; i < count; ++i) std::memcpy(first + 2 * i, &v, 2);
  } else {
    for (int i = 0; i < count; ++i) GfxStorePixel(first + 3 * i, 3, color);
  }
  for (int y = area.miny + 1; y <= area.maxy; ++y) {
    std::memcpy(slot.At(area.minx, y), first, spanBytes);
  }
}

void GfxPlotClipped(const GfxSlot& slot, const GfxRect& clip, int x, int y, Color color) {
  if (x < clip.minx || x > clip.maxx || y < clip.miny || y > clip.maxy) return;
  GfxStorePixel(slot.At(x, y), slot.BytesPerPixel(), color);
}
