// The 256-entry colour table with its defaults and transparent flags, and the mapping of
// (r, g, b) to native pixel values.
#include <algorithm>
#include <cstddef>

#include "gfx/GfxState.h"

namespace {

struct Rgb {
  std::uint8_t r, g, b;
};

constexpr Rgb kWindowsColors[10] = {{0, 0, 0},       {128, 0, 0},    {0, 128, 0},   {128, 128, 0},
                                    {0, 0, 128},     {128, 0, 128},  {0, 128, 128}, {192, 192, 192},
                                    {192, 220, 192}, {164, 200, 240}};

constexpr Rgb kSixteenColors[16] = {{0, 0, 0},     {0, 0, 170},    {0, 170, 0},    {0, 170, 170},
                                    {170, 0, 0},   {170, 0, 170},  {170, 85, 0},   {170, 170, 170},
                                    {85, 85, 85},  {85, 85, 255},  {85, 255, 85},  {85, 255, 255},
                                    {255, 85, 85}, {255, 85, 255}, {255, 255, 85}, {255, 255, 255}};

constexpr Rgb kGreyRamp[4] = {{0, 0, 0}, {85, 85, 85}, {170, 170, 170}, {255, 255, 255}};

constexpr Rgb kClosingColors[10] = {
    {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},   {0, 255, 0},
    {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255}, {255, 255, 255}};

constexpr int kFirstWheel = 30;
constexpr int kWheelLength = 24;
constexpr std::uint8_t kWheelLevels[9][5] = {
    {0, 64, 125, 190, 255}, {125, 157, 190, 222, 255}, {182, 198, 218, 234, 255},
    {0, 28, 56, 85, 113},   {56, 68, 85, 97, 113},     {80, 89, 97, 105, 113},
    {0, 16, 32, 48, 64},    {32, 40, 48, 56, 64},      {44, 48, 52, 60, 64}};

// A wheel walks round the colour circle from blue through magenta, red, yellow, green and cyan.
// Each channel is either held at the low or high level or ramps through the three steps between,
// so one channel moves per segment of four entries: (channel moving, direction).
struct WheelSegment {
  int channel;  // 0 red, 1 green, 2 blue
  bool rising;
};
constexpr WheelSegment kWheelSegments[6] = {{0, true},  {2, false}, {1, true},
                                            {0, false}, {2, true},  {1, false}};

void AppendWheel(std::array<GfxColorEntry, 256>& table, int start, const std::uint8_t* levels) {
  // Start colour: low red, low green, high blue.
  int channel[3] = {0, 0, 4};
  int index = start;
  for (const WheelSegment& segment : kWheelSegments) {
    for (int step = 0; step < 4; ++step) {
      table[static_cast<std::size_t>(index++)] = {levels[channel[0]], levels[channel[1]],
                                                  levels[channel[2]], false};
      channel[segment.channel] += segment.rising ? 1 : -1;
    }
  }
}

template <std::size_t N>
void CopyColors(std::array<GfxColorEntry, 256>& table, int start, const Rgb (&colors)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    table[static_cast<std::size_t>(start) + i] = {colors[i].r, colors[i].g, colors[i].b, false};
  }
}

Color NearestTableIndex(const std::array<GfxColorEntry, 256>& table, int r, int g, int b) {
  int best = 0;
  long bestDistance = -1;
  for (int i = 0; i < 256; ++i) {
    const GfxColorEntry& e = table[static_cast<std::size_t>(i)];
    const long dr = e.r - r, dg = e.g - g, db = e.b - b;
    const long distance = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return static_cast<Color>(best);
}

}  // namespace

std::array<GfxColorEntry, 256> GfxDefaultColorTable() {
  std::array<GfxColorEntry, 256> table{};
  CopyColors(table, 0, kWindowsColors);
  CopyColors(table, 10, kSixteenColors);
  CopyColors(table, 26, kGreyRamp);
  for (int wheel = 0; wheel < 9; ++wheel) {
    AppendWheel(table, kFirstWheel + wheel * kWheelLength, kWheelLevels[wheel]);
  }
  CopyColors(table, 246, kClosingColors);
  return table;
}

const std::array<Color, 256>& GfxNativeTable(const GfxPixelFormat& format) {
  GfxState& state = GfxGlobal();
  if (state.nativeVersion != state.tableVersion || !(state.nativeFormat == format)) {
    for (std::size_t i = 0; i < 256; ++i) {
      const GfxColorEntry& e = state.table[i];
      state.native[i] =
          format.bitsPerPixel == 8 ? static_cast<Color>(i) : GfxPackRGB(format, e.r, e.g, e.b);
    }
    state.nativeFormat = format;
    state.nativeVersion = state.tableVersion;
  }
  return state.native;
}

const GfxTransparentSet& GfxTransparentValues(const GfxPixelFormat& format) {
  GfxState& state = GfxGlobal();
  GfxTransparentSet& set = state.transparent;
  if (set.tableVersion == state.tableVersion && set.format == format) return set;

  set.values.clear();
  for (std::size_t i = 0; i < 256; ++i) set.byIndex[i] = state.table[i].transparent;
  if (format.bitsPerPixel != 8) {
    const std::array<Color, 256>& native = GfxNativeTable(format);
    // Only the first entry holding a value decides about it, so a flag on a later duplicate
    // has no effect; remember which values an earlier entry already decided.
    std::vector<Color> decided;
    for (std::size_t i = 0; i < 256; ++i) {
      if (std::find(decided.begin(), decided.end(), native[i]) != decided.end()) continue;
      decided.push_back(native[i]);
      if (state.table[i].transparent) set.values.push_back(native[i]);
    }
    std::sort(set.values.begin(), set.values.end());
  }
  set.format = format;
  set.tableVersion = state.tableVersion;
  return set;
}

int GfxDefaultPalette() {
  GfxState& state = GfxGlobal();
  state.table = GfxDefaultColorTable();
  ++state.tableVersion;
  return 1;
}

int GfxRealizePalette(int /*palette*/) {
  // Buffers never run at 8 bits on this platform, so there is no system palette to select.
  return 0;
}

int GfxAttachPalette() {
  return 0;
}

Color GfxMapRGB(int r, int g, int b) {
  const GfxPixelFormat format = GfxCurrentFormat();
  if (format.bitsPerPixel == 8) return NearestTableIndex(GfxGlobal().table, r, g, b);
  return GfxPackRGB(format, r, g, b);
}

int GfxSetColor(Color color) {
  GfxGlobal().color = color;
  return 0;
}

Color GfxGetColor() {
  return GfxGlobal().color;
}

int GfxSetTransparent(int index, int flag) {
  if (index < 0 || index > 255) return -1;
  GfxState& state = GfxGlobal();
  state.table[static_cast<std::size_t>(index)].transparent = flag != 0;
  ++state.tableVersion;
  return 0;
}

int GfxGetPaletteRGB(int start, int count, std::uint8_t* out) {
  if (out == nullptr || start < 0 || start > 255 || count < 0) return -1;
  const int last = std::min(255, start + std::min(count, 256) - 1);
  const GfxState& state = GfxGlobal();
  for (int i = start; i <= last; ++i) {
    const GfxColorEntry& e = state.table[static_cast<std::size_t>(i)];
    *out++ = e.r;
    *out++ = e.g;
    *out++ = e.b;
  }
  return 0;
}

Color GfxPaletteColor(int index) {
  if (index < 0 || index > 255) return 0;
  return GfxNativeTable(GfxCurrentFormat())[static_cast<std::size_t>(index)];
}
