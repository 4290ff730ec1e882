// A display back end without a window: it keeps a copy of the "screen" and a record of every
// rectangle shown, so that drawing can be checked headless at any desktop depth and pixel layout.
#pragma once

#include <functional>
#include <vector>

#include "gfx/GfxDisplay.h"

class HeadlessDisplay : public GfxDisplay {
public:
  struct ShownRect {
    int minx, maxx, miny, maxy, newx, newy;
  };

  static GfxPixelMasks Masks565() { return {0xF800, 0x07E0, 0x001F}; }
  static GfxPixelMasks Masks555() { return {0x7C00, 0x03E0, 0x001F}; }
  static GfxPixelMasks Masks888() { return {0x00FF0000, 0x0000FF00, 0x000000FF}; }

  explicit HeadlessDisplay(int desktopDepth = 32, GfxPixelMasks masks = Masks888(),
                           bool hasMouse = true);

  // The next Open fails with this code (0 lets it succeed again).
  void FailOpenWith(int errorCode) { openError_ = errorCode; }
  void SetKeyDown(int scanCode, bool down);

  int DesktopDepth() const override { return desktopDepth_; }
  int Open(int width, int height, int bitsPerPixel) override;
  void Close() override;
  GfxPixelMasks Masks() const override { return masks_; }
  void Show(const GfxBufferView& source, int minx, int maxx, int miny, int maxy, int newx,
            int newy) override;
  bool HasMouse() const override { return hasMouse_; }
  void ShowMouse(bool visible) override;
  bool KeyDown(int scanCode) const override;

  bool IsOpen() const { return open_; }
  int OpenCount() const { return openCount_; }
  int CloseCount() const { return closeCount_; }
  int ScreenWidth() const { return width_; }
  int ScreenHeight() const { return height_; }
  int OpenedDepth() const { return openedDepth_; }
  // The native value last shown at (x, y); 0 outside the screen or where nothing was shown.
  Color ScreenPixel(int x, int y) const;
  const std::vector<ShownRect>& Shown() const { return shown_; }
  // Called after every shown rectangle has reached the screen, so a test can look at each
  // picture in turn (the logo before the title, say). Empty: nobody listens.
  void SetShowListener(std::function<void(const ShownRect&)> listener) {
    showListener_ = std::move(listener);
  }
  void ClearShown() { shown_.clear(); }
  bool MouseVisible() const { return mouseVisible_; }
  int ShowMouseCalls() const { return showMouseCalls_; }

private:
  int desktopDepth_;
  GfxPixelMasks masks_;
  bool hasMouse_;
  int openError_ = 0;
  bool open_ = false;
  int openCount_ = 0;
  int closeCount_ = 0;
  int width_ = 0;
  int height_ = 0;
  int openedDepth_ = 0;
  std::vector<Color> screen_;
  std::vector<ShownRect> shown_;
  std::function<void(const ShownRect&)> showListener_;
  bool mouseVisible_ = true;
  int showMouseCalls_ = 0;
  std::vector<bool> keys_ = std::vector<bool>(256, false);
};
