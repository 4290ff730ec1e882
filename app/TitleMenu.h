// The title screen's game buttons, one for each row of the game table: their pictures, the
// highlight under the pointer and the animated marker beside the highlighted one.
#pragma once

#include "platform/Screen.h"

class ArtworkSet;

// Frames of the marker's animation, one every tick.
inline constexpr int kTitleMarkerFrames = 10;

// Where button i lies on the screen.
constexpr ScreenRect TitleButtonRect(int i) {
  return {180, 230 + 50 * i, 180 + 249, 230 + 50 * i + 49};
}

class TitleMenu {
public:
  TitleMenu() = default;
  ~TitleMenu() { Release(); }
  TitleMenu(const TitleMenu&) = delete;
  TitleMenu& operator=(const TitleMenu&) = delete;

  // Loads the button sheet and makes the marker's save buffer; nothing highlighted. The artwork
  // is observed and must outlive the menu (or the menu be released first).
  void Load(ArtworkSet& art);
  // Frees both buffers; the menu draws and reacts to nothing until loaded again.
  void Release();

  // The game buttons in their normal look, then the sheet's emblem at the lower right.
  void DrawAll();
  // The button under the point, or -1.
  int HitTest(int x, int y) const;
  // Moves the highlight (and the marker) to the button under the point. True when anything was
  // drawn; the caller shows the screen.
  bool Hover(int x, int y);
  // The marker's next frame beside the highlighted button.
  void Tick();

  bool Enabled() const { return enabled_; }
  int Highlighted() const { return highlighted_; }
  int Frame() const { return frame_; }

private:
  ScreenRect MarkerArea(int i) const;
  void DrawButton(int i, bool highlighted);
  void DrawMarker();

  ArtworkSet* art_ = nullptr;
  int sheet_ = -1;
  int markerSave_ = -1;
  int highlighted_ = -1;
  int frame_ = 0;
  bool enabled_ = false;
};
