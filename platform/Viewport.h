// Where the 800 x 600 logical screen sits inside the real window. The display back end sets it
// whenever the window is resized or scaled; input translation uses it to turn window pixels
// into logical pixels and pointer confinement to do the reverse.
#pragma once

struct Viewport {
  // Window pixels per logical pixel along each axis (1 when the picture is shown unscaled).
  double scaleX = 1.0;
  double scaleY = 1.0;
  // Window position of logical (0, 0): the letter-box margins.
  int offsetX = 0;
  int offsetY = 0;
  int logicalWidth = 800;
  int logicalHeight = 600;

  // Window pixel to logical pixel, clamped to the logical screen.
  void ToLogical(int windowX, int windowY, int* x, int* y) const;
  // Logical inclusive rectangle to window pixels (x, y, width, height).
  void ToWindowRect(int minx, int maxx, int miny, int maxy, int* x, int* y, int* w, int* h) const;
};

// The process-wide viewport (set by the display back end, read by the event translation).
const Viewport& CurrentViewport();
void SetCurrentViewport(const Viewport& viewport);
