// Loading of the screen artwork and its themes, the backdrop and dialog-frame drawing, and the
// changed-rectangle updates of the display.
#include "gfx/art/ArtworkSet.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "gfx/art/ArtworkFiles.h"
#include "gfx/art/Themes.h"
#include "platform/Window.h"

namespace {

// The sets that have been loaded and are still alive, oldest first. The toolkit asks for the
// skin without holding an artwork set, so it gets the newest one's; a set that goes away takes
// only its own skin with it.
std::vector<const ArtworkSet*>& LoadedSets() {
  static std::vector<const ArtworkSet*> sets;
  return sets;
}

void Forget(const ArtworkSet* set) {
  std::vector<const ArtworkSet*>& sets = LoadedSets();
  sets.erase(std::remove(sets.begin(), sets.end(), set), sets.end());
}

constexpr int kDialogSkinWidth = 801;
constexpr int kDialogSkinHeight = 741;
constexpr int kMenuWidth = 801;
constexpr int kMenuHeight = 901;
constexpr int kMenuColumnWidth = 220;
constexpr int kMenuColumnHeight = 481;
constexpr int kMenuColumnPanelWidth = 200;
constexpr int kCheckColumn = 201;
constexpr int kCheckWidth = 15;
constexpr int kCheckHeight = 13;
constexpr int kTitlesWidth = 447;
constexpr int kTitlesHeight = 685;
constexpr int kScratchWidth = 1216;
constexpr int kScratchHeight = 482;
constexpr int kGameTitleBottom = 68;
// The skin's frame border: its last 8 columns of the body and its last 8 rows.
constexpr int kSkinBorder = 8;
constexpr int kSkinRight = 799;
constexpr int kSkinBottom = 599;

// The two colour-table entries that hold magenta; keying them makes magenta see-through in
// every transparent copy.
constexpr int kMagentaEntries[2] = {34, 253};

Color MapRgb(const ThemeRgb& c) {
  return GfxMapRGB(c.r, c.g, c.b);
}

}  // namespace

int DialogSkinBuffer() {
  const std::vector<const ArtworkSet*>& sets = LoadedSets();
  return sets.empty() ? -1 : sets.back()->DialogSkin();
}

ArtworkSet::ArtworkSet() = default;

ArtworkSet::~ArtworkSet() {
  Forget(this);
  FreeArtBuffer(&backdrop_);
  FreeArtBuffer(&menu_);
  FreeArtBuffer(&menuColumn_);
  FreeArtBuffer(&gameTitles_);
  FreeArtBuffer(&titleButtons_);
  FreeArtBuffer(&arrows_);
  FreeArtBuffer(&dialogSkin_);
}

void ArtworkSet::Load(int screenBuffer, int palette) {
  screen_ = screenBuffer;
  palette_ = palette;

  FreeArtBuffer(&backdrop_);
  backdrop_ = AllocArtBuffer(kScreenWidth, kScreenHeight);
  // The backdrop and the screen buffer have the same size and depth, so the background is
  // restored with a direct buffer copy; no separate transfer block is needed.

  FreeArtBuffer(&dialogSkin_);
  dialogSkin_ = AllocArtBuffer(kDialogSkinWidth, kDialogSkinHeight);
  Forget(this);
  LoadedSets().push_back(this);
  FreeArtBuffer(&menu_);
  menu_ = AllocArtBuffer(kMenuWidth, kMenuHeight);
  FreeArtBuffer(&menuColumn_);
  menuColumn_ = AllocArtBuffer(kMenuColumnWidth, kMenuColumnHeight);
  FreeArtBuffer(&gameTitles_);
  gameTitles_ = AllocArtBuffer(kTitlesWidth, kTitlesHeight);

  FreeArtBuffer(&arrows_);
  arrows_ = AllocArtBuffer(85, 33);
  ShowBmpInBuffer(arrows_, "artwork\\updown.bmp");
  FreeArtBuffer(&titleButtons_);
  titleButtons_ = AllocArtBuffer(256, 111);
  ShowBmpInBuffer(titleButtons_, "artwork\\titlebtn.bmp");

  for (int entry : kMagentaEntries) GfxSetTransparent(entry, 1);

  LoadDecks();
  MakeDeckSamples();
  if (screen_ >= 0) GfxOpenBuffer(screen_);
}

void ArtworkSet::LoadTheme(int index) {
  if (index == -1) index = backgroundSource_ ? backgroundSource_() : 0;
  index = ValidBackgroundIndex(index);
  background_ = index;
  const CursorShape previousCursor = CurrentCursor();
  SetCursor(CursorShape::Wait);

  char name[48];
  std::snprintf(name, sizeof name, "artwork\\backdrop%d.jpg", index + 1);
  ShowJpegInBuffer(backdrop_, name);
  std::snprintf(name, sizeof name, "artwork\\menu%d.bmp", index + 1);
  ShowBmpInBuffer(menu_, name);
  std::snprintf(name, sizeof name, "artwork\\dialog%d.bmp", index + 1);
  ShowBmpInBuffer(dialogSkin_, name);
  ShowBmpInBuffer(gameTitles_, ThemeFor(index).titlesFile);
  LoadMenuColumn(index);

  if (screen_ >= 0) GfxOpenBuffer(screen_);
  LoadPlaceholders();
  SetThemeColors(index);
  SetCursor(previousCursor);
}

void ArtworkSet::LoadMenuColumn(int index) {
  // One picture holds the panels of all six themes side by side; only this theme's column and
  // check mark are kept, so the big picture lives just as long as this function.
  int scratch = AllocArtBuffer(kScratchWidth, kScratchHeight);
  if (scratch < 0) return;
  const int left = kMenuColumnPanelWidth * index;
  if (ShowJpegInBuffer(scratch, "artwork\\menus.jpg") == 0) {
    GfxCopyRect(left, left + kMenuColumnPanelWidth - 1, 0, kMenuColumnHeight - 1, 0,
                kMenuColumnHeight - 1, scratch, menuColumn_);
  }
  const int checkRow = ThemeFor(index).checkRow;
  if (ShowBmpInBuffer(scratch, "artwork\\checks.bmp") == 0) {
    GfxCopyRect(0, kCheckWidth - 1, checkRow, checkRow + kCheckHeight - 1, kCheckColumn,
                kCheckHeight - 1, scratch, menuColumn_);
  }
  FreeArtBuffer(&scratch);
}

void ArtworkSet::SetThemeColors(int index) {
  const Theme& theme = ThemeFor(index);
  titleText_ = MapRgb(theme.strong);
  buttonHoverText_ = MapRgb(theme.light);
  dialogText_ = MapRgb(theme.strong);
  menuText_ = MapRgb(theme.strong);
  menuHighlightText_ = MapRgb(theme.highlightText);
  menuHighlightBar_ = MapRgb(theme.highlightBar);
  listHighlight_ = MapRgb(theme.listBar);
  listHighlightText_ = MapRgb(theme.listText);
  chooserOutline_ = MapRgb(theme.outline);
}

void ArtworkSet::DrawGameTitle(int title) {
  GfxCopyRect(0, kScreenWidth - 1, 0, kScreenHeight - 1, 0, kScreenHeight - 1, backdrop_, screen_);
  const int width = GameTitleWidth(title);
  if (width == 0) return;
  const int top = kGameTitleRowHeight * (title - 1);
  GfxCopyRectTransparent(0, width, top, top + kGameTitleRowHeight - 1, 400 - width / 2,
                         kGameTitleBottom, gameTitles_, backdrop_);
}

void ArtworkSet::RestoreBackground(int minx, int maxx, int miny, int maxy) {
  const ScreenRect area =
      Intersection({minx, miny, maxx, maxy}, {0, 0, kScreenWidth - 1, kScreenHeight - 1});
  if (!IsEmpty(area)) {
    GfxCopyRect(area.left, area.right, area.top, area.bottom, area.left, area.bottom, backdrop_,
                screen_);
  }
  // Callers go on drawing into the screen buffer as they would after copying through memory.
  if (screen_ >= 0) GfxOpenBuffer(screen_);
}

void ArtworkSet::DrawDialogFrame(int x, int y, int width, int height, int dest) {
  const int skin = dialogSkin_;
  const int right = x + width - 1;
  const int bottom = y + height - 1;
  // Body, then the skin's right and bottom border moved in to the dialog's own edges, then
  // the corner where they meet.
  GfxCopyRect(0, width - 1, 0, height - 1, x, bottom, skin, dest);
  GfxCopyRect(kSkinRight - kSkinBorder + 1, kSkinRight, 0, height - 7, right - kSkinBorder + 1,
              y + height - 7, skin, dest);
  GfxCopyRect(0, width - 9, kSkinBottom - kSkinBorder + 1, kSkinBottom, x, bottom, skin, dest);
  GfxCopyRect(kSkinRight - kSkinBorder, kSkinRight, kSkinBottom - kSkinBorder + 1, kSkinBottom,
              x + width - 9, bottom, skin, dest);
}

void ArtworkSet::FlushDirtyRects() {
  if (screen_ >= 0) GfxOpenBuffer(screen_);
  ScreenRect rect;
  while (dirty_.TakeNewest(&rect)) ShowScreenRect(rect);
}

void ArtworkSet::ShowScreenRect(const ScreenRect& rect) {
  const ScreenRect visible = Intersection(rect, {0, 0, kScreenWidth - 1, kScreenHeight - 1});
  if (IsEmpty(visible) || screen_ < 0) return;
  GfxOpenBuffer(screen_);
  GfxShowMouse(0);
  GfxShowRect(visible.left, visible.right, visible.top, visible.bottom, visible.left,
              visible.bottom);
  GfxShowMouse(1);
}

void ArtworkSet::ShowScreenRect() {
  dirty_.Clear();
  ShowScreenRect({0, 0, kScreenWidth - 1, kScreenHeight - 1});
}
