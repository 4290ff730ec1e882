// Sets the toolkit up and down: fonts, default captions, the colour scheme, and the hand-over of
// changed rectangles to the display.
#include "ui/UiToolkit.h"

#include <string>

#include "gfx/font/Font.h"
#include "platform/DataDir.h"
#include "ui/UiElement.h"
#include "ui/UiScreenUpdate.h"

UiToolkitSettings UiToolkit;

namespace {
UiSoundPlayer g_soundPlayer = nullptr;
}  // namespace

namespace {

// Letters with ascenders and descenders: the height a line of dialog text needs.
constexpr char kMeasureText[] = "ABCgjp";

struct SchemeEntry {
  std::uint8_t r, g, b;
  int paletteIndex;
};

// The classic 16-colour greys and blue: bevels, faces, text and the selection band.
constexpr std::array<SchemeEntry, kUiColourCount> kScheme = {{
    {84, 84, 84, 248},    {0, 0, 168, 4},       {84, 84, 84, 248},    {255, 255, 255, 255},
    {255, 255, 255, 7},   {168, 168, 168, 7},   {255, 255, 255, 255}, {84, 84, 84, 248},
    {0, 0, 0, 0},         {0, 0, 168, 4},       {255, 255, 255, 255}, {168, 168, 168, 7},
    {255, 255, 255, 255}, {84, 84, 84, 248},    {0, 0, 0, 0},         {0, 0, 0, 0},
    {168, 168, 168, 7},   {255, 255, 255, 255}, {84, 84, 84, 248},    {0, 0, 0, 0},
    {0, 0, 0, 0},         {255, 255, 255, 255}, {255, 255, 255, 255}, {84, 84, 84, 248},
    {0, 0, 0, 0},         {0, 0, 0, 0},
}};

// Loads a media font and measures it. A font that cannot be read leaves the previous one in
// place: a missing file must never stop the program, the text just keeps its old look.
void LoadMeasured(const char* fileName, int* handle, int* height) {
  if (fileName == nullptr) return;
  const int loaded = GfxLoadFont(MediaPath(fileName).c_str());
  if (loaded == 0) return;
  *handle = loaded;
  GfxSelectFont(loaded);
  *height = GfxFontHeight(kMeasureText, sizeof kMeasureText - 1);
}

int DrawingDepth() {
  const GfxBufferView view = GfxGetBufferView(UiToolkit.drawingBuffer);
  return view.pixels != nullptr ? view.bitsPerPixel : GfxDisplayDepth();
}

}  // namespace

void UiInit(Window* window, int drawingBuffer, int options) {
  UiToolkitSettings& kit = UiToolkit;
  kit.window = window;
  kit.drawingBuffer = drawingBuffer;
  if (kit.initialised) return;
  kit.options = options;
  kit.saveUnderEnabled = false;
  kit.initialised = true;
  if ((options & kUiLoadFonts) != 0) {
    LoadMeasured("systm12.fgf", &kit.dialogFont, &kit.dialogFontHeight);
    LoadMeasured("systm12b.fgf", &kit.boldDialogFont, &kit.boldDialogFontHeight);
  }
  kit.saveUnderEnabled = (options & kUiSaveUnder) != 0;
  kit.routeToContainers = (options & kUiRouteToContainers) != 0;
  kit.captions = {"Yes", "No", "OK", "Cancel", "Help"};
  UiSelectDrawingBuffer();
  kit.screenWidth = GfxMaxX() + 1;
  kit.screenHeight = GfxMaxY() + 1;
}

void UiShutdown() {
  UiToolkitSettings& kit = UiToolkit;
  for (std::string& caption : kit.captions) caption.clear();
  if (kit.dialogFont != 0) {
    GfxFreeFont(-1);
    kit.dialogFont = kit.boldDialogFont = kit.defaultFont = 0;
    kit.dialogFontHeight = kit.boldDialogFontHeight = kit.defaultFontHeight = 0;
  }
  kit.menuOpen = 0;
  kit.initialised = false;
}

void UiBuildColours() {
  const bool trueColour = DrawingDepth() > 8;
  for (int i = 0; i < kUiColourCount; ++i) {
    const SchemeEntry& e = kScheme[i];
    UiToolkit.colours[i] =
        trueColour ? GfxMapRGB(e.r, e.g, e.b) : static_cast<Color>(e.paletteIndex);
  }
}

void UiSetDialogFont(const char* fileName) {
  LoadMeasured(fileName, &UiToolkit.dialogFont, &UiToolkit.dialogFontHeight);
}

void UiSetBoldDialogFont(const char* fileName) {
  LoadMeasured(fileName, &UiToolkit.boldDialogFont, &UiToolkit.boldDialogFontHeight);
}

void UiSetDefaultFont(const char* fileName) {
  LoadMeasured(fileName, &UiToolkit.defaultFont, &UiToolkit.defaultFontHeight);
}

void UiSetScreenUpdate(UiScreenUpdate* screenUpdate) {
  UiToolkit.screenUpdate = screenUpdate;
}

Color UiColour(int index) {
  return index >= 0 && index < kUiColourCount ? UiToolkit.colours[index] : 0;
}

void UiSelectDrawingBuffer() {
  if (UiToolkit.drawingBuffer >= 0) GfxOpenBuffer(UiToolkit.drawingBuffer);
}

void UiAddDirtyRect(int minx, int maxx, int miny, int maxy) {
  if (UiToolkit.screenUpdate != nullptr) {
    UiToolkit.screenUpdate->AddDirtyRect(ScreenRect{minx, miny, maxx, maxy});
  }
}

void UiFlushDirtyRects() {
  if (UiToolkit.screenUpdate != nullptr) UiToolkit.screenUpdate->FlushDirtyRects();
}

void UiShowScreenRect(const ScreenRect& rect) {
  if (UiToolkit.screenUpdate != nullptr) UiToolkit.screenUpdate->ShowScreenRect(rect);
}

bool UiFinishTurn(UiElement& top, bool applicationActive) {
  if (!applicationActive || !top.NeedsRedraw()) return false;
  UiFlushDirtyRects();
  top.ClearRedraw();
  return true;
}

void UiSetSoundPlayer(UiSoundPlayer player) {
  g_soundPlayer = player;
}

void UiPlaySound(const char* name) {
  if (g_soundPlayer != nullptr && name != nullptr) g_soundPlayer(name);
}

namespace {
bool g_appActive = true;
}  // namespace

void UiSetAppActive(bool active) {
  g_appActive = active;
}

bool UiAppActive() {
  return g_appActive;
}
