// Decides whether the display is deep enough for the game, from the modes it offers.
#include "app/ColorDepthProbe.h"

int ChooseColorDepth(const std::vector<DisplayModeInfo>& modes, int width, int height) {
  int best = 0;
  for (const DisplayModeInfo& mode : modes) {
    if (mode.width != width || mode.height != height) continue;
    if (best == 24) break;
    if (mode.bitsPerPixel < 33 && mode.bitsPerPixel > best) best = mode.bitsPerPixel;
  }
  return best;
}
