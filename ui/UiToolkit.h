// The toolkit's process-wide settings (drawing buffer, fonts, colour scheme, flags) and the
// functions that set it up, shut it down and finish each turn's redraw.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "gfx/Gfx.h"
#include "platform/Screen.h"

class Window;
class UiElement;
class UiScreenUpdate;

// UiInit options.
inline constexpr int kUiLoadFonts = 0x4;
inline constexpr int kUiSaveUnder = 0x8;
inline constexpr int kUiRouteToContainers = 0x10;

inline constexpr int kUiColourCount = 26;
// Colour-scheme entries the widgets use by name.
inline constexpr int kUiColourSelection = 9;
inline constexpr int kUiColourBackground = 11;
inline constexpr int kUiColourFace = 16;
inline constexpr int kUiColourLightEdge = 17;
inline constexpr int kUiColourDarkEdge = 18;
inline constexpr int kUiColourDarkestEdge = 19;
inline constexpr int kUiColourText = 20;

// Default captions, in the order they are stored.
enum UiCaption { kUiCaptionYes, kUiCaptionNo, kUiCaptionOk, kUiCaptionCancel, kUiCaptionHelp };

struct UiToolkitSettings {
  int drawingBuffer = -1;
  Window* window = nullptr;
  int options = 0;
  int screenWidth = 0;
  int screenHeight = 0;
  // Pre-incremented for every element made, so the first element gets 1 and no id returns.
  int idCounter = 0;
  int dialogFont = 0;
  int dialogFontHeight = 0;
  int boldDialogFont = 0;
  int boldDialogFontHeight = 0;
  int defaultFont = 0;
  int defaultFontHeight = 0;
  std::array<Color, kUiColourCount> colours{};
  std::array<std::string, 5> captions;
  bool initialised = false;
  bool saveUnderEnabled = false;
  bool routeToContainers = false;
  // Non-zero while a drop-down menu or a combo box list is open; the other widgets stand still.
  std::uint32_t menuOpen = 0;
  // Observed, not owned.
  UiScreenUpdate* screenUpdate = nullptr;
};

extern UiToolkitSettings UiToolkit;

// Stores the window and the drawing buffer every time; everything else only on the first call
// after start-up or after UiShutdown.
void UiInit(Window* window, int drawingBuffer, int options);
void UiShutdown();
void UiBuildColours();
void UiSetDialogFont(const char* fileName);
void UiSetBoldDialogFont(const char* fileName);
// Also makes the font the graphics layer's current one.
void UiSetDefaultFont(const char* fileName);
// Where changed rectangles are marked and shown; nullptr drops them.
void UiSetScreenUpdate(UiScreenUpdate* screenUpdate);

// Colour-scheme entry (0 for an index out of range).
Color UiColour(int index);
// Makes the drawing buffer the graphics layer's target, when there is one.
void UiSelectDrawingBuffer();
void UiAddDirtyRect(int minx, int maxx, int miny, int maxy);
void UiFlushDirtyRects();
void UiShowScreenRect(const ScreenRect& rect);

// The end of every loop turn: when the application is active and something in the tree drew
// itself, the changed rectangles go to the display and the tree forgets that it was dirty.
// True when it flushed.
bool UiFinishTurn(UiElement& top, bool applicationActive);

// Sound effects of the widgets and menus ("button.wav"). Nothing plays until the audio layer
// installs its player, which also decides whether sound effects are switched on; nullptr removes
// it again.
using UiSoundPlayer = void (*)(const char* name);
void UiSetSoundPlayer(UiSoundPlayer player);
void UiPlaySound(const char* name);

// Whether the program's window is the active one: the loops show their changes only then. The
// main window follows WM_ACTIVATEAPP; it starts true, as the window starts active once shown.
void UiSetAppActive(bool active);
bool UiAppActive();
