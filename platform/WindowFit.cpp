// Chooses the window size that fits on the desktop.
#include "platform/WindowFit.h"

#include <algorithm>

#include "platform/Screen.h"

WindowFit ChooseWindowFit(int requested, int usableWidth, int usableHeight, int frameWidth,
                          int frameHeight, int minWidth, int minHeight) {
  requested = std::max(1, requested);
  if (usableWidth <= 0 || usableHeight <= 0) {
    return {kScreenWidth * requested, kScreenHeight * requested, requested};
  }
  int roomX = usableWidth - std::max(0, frameWidth);
  int roomY = usableHeight - std::max(0, frameHeight);
  int steps = std::min({requested, roomX / kScreenWidth, roomY / kScreenHeight});
  if (steps >= 1) return {kScreenWidth * steps, kScreenHeight * steps, steps};
  // Smaller than the picture: keep its 4:3 shape so the margins stay even.
  int width = std::min(roomX, roomY * kScreenWidth / kScreenHeight);
  width = std::max(width, minWidth);
  int height = std::max(width * kScreenHeight / kScreenWidth, minHeight);
  return {width, height, 0};
}

std::string WindowFitNote(int requested, int chosen) {
  if (chosen >= requested) return {};
  if (chosen < 1) return "the desktop is smaller than 800 x 600; the picture is shrunk to fit";
  return "--scale " + std::to_string(requested) + " does not fit on this desktop; using " +
         std::to_string(chosen);
}
