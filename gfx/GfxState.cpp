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

GfxSlot* GfxActiveSlot() {
  GfxState& state = GfxGlobal();
  return state.active >= 0 ? &state.slots[static_cast<std::size_t>(state.active)] : nullptr;
}

GfxPixelFormat GfxCurrentFormat() {
  if (const GfxSlot* slot = GfxActiveSlot()) return slot->format;
  const GfxState& state = GfxGlobal();
  return {state.bufferDepth, state.is565};
}

ScreenRect GfxEffectiveClip(const GfxSlot& slot) {
  return Intersection(GfxGlobal().clip, slot.Bounds());
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
  state.clip = kGfxNoRect;
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

void GfxFillArea(const GfxSlot& slot, const ScreenRect& area, Color color) {
  if (IsEmpty(area)) return;
  const int bytesPerPixel = slot.BytesPerPixel();
  const int count = area.right - area.left + 1;
  const std::size_t spanBytes = static_cast<std::size_t>(count) * bytesPerPixel;
  std::uint8_t* first = slot.At(area.left, area.top);
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
  for (int y = area.top + 1; y <= area.bottom; ++y) {
    std::memcpy(slot.At(area.left, y), first, spanBytes);
  }
}

void GfxPlotClipped(const GfxSlot& slot, const ScreenRect& clip, int x, int y, Color color) {
  if (x < clip.left || x > clip.right || y < clip.top || y > clip.bottom) return;
  GfxStorePixel(slot.At(x, y), slot.BytesPerPixel(), color);
}
