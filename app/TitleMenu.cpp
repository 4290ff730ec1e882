// The title menu's pictures come from one sheet: the normal buttons in its left column, the
// highlighted ones beside them, the marker's frames and the emblem below.
#include "app/TitleMenu.h"

#include "games/GameTable.h"
#include "gfx/Gfx.h"
#include "gfx/art/ArtworkFiles.h"
#include "gfx/art/ArtworkSet.h"

namespace {

constexpr int kSheetWidth = 497;
constexpr int kSheetHeight = 501;
constexpr int kButtonWidth = 250;
constexpr int kButtonHeight = 50;
constexpr int kHighlightColumn = 250;
// The marker: 30 x 30 frames side by side on row 450, drawn left of the highlighted button over
// a 42 x 46 area that is saved first and put back before every frame.
constexpr int kMarkerRow = 450;
constexpr int kMarkerSize = 30;
constexpr int kMarkerSaveSize = 46;
constexpr int kMarkerAreaLeft = 142;
constexpr int kMarkerAreaRight = 183;
constexpr int kMarkerAreaHeight = 46;
constexpr int kMarkerX = 150;
constexpr int kMarkerBottom = 266;
// The emblem at the lower right of the title screen.
constexpr ScreenRect kEmblem{0, 250, 249, 449};
constexpr int kEmblemX = 548;
constexpr int kEmblemBottom = 587;

}  // namespace

void TitleMenu::Load(ArtworkSet& art) {
  Release();
  art_ = &art;
  ActiveBufferKeeper keep;
  sheet_ = AllocArtBuffer(kSheetWidth, kSheetHeight);
  ShowBmpInBuffer(sheet_, "artwork\\sym_btns.bmp");
  markerSave_ = AllocArtBuffer(kMarkerSaveSize, kMarkerSaveSize);
  highlighted_ = -1;
  frame_ = 0;
  enabled_ = true;
}

void TitleMenu::Release() {
  ActiveBufferKeeper keep;
  FreeArtBuffer(&sheet_);
  FreeArtBuffer(&markerSave_);
  highlighted_ = -1;
  enabled_ = false;
}

void TitleMenu::DrawAll() {
  if (!enabled_ || art_ == nullptr) return;
  // Everything is drawn plain: a highlight from before (the button that started the last game)
  // is gone with the picture it was drawn on.
  highlighted_ = -1;
  for (const GameRow& row : GameTable()) DrawButton(row.titleButton, false);
  GfxCopyRect(kEmblem.left, kEmblem.right, kEmblem.top, kEmblem.bottom, kEmblemX, kEmblemBottom,
              sheet_, art_->ScreenBuffer());
  art_->AddDirtyRect(
      {kEmblemX, kEmblemBottom - (kEmblem.bottom - kEmblem.top), kEmblemX + 249, kEmblemBottom});
}

int TitleMenu::HitTest(int x, int y) const {
  for (const GameRow& row : GameTable()) {
    const ScreenRect r = TitleButtonRect(row.titleButton);
    if (x >= r.left && x <= r.right && y >= r.top && y <= r.bottom) return row.titleButton;
  }
  return -1;
}

ScreenRect TitleMenu::MarkerArea(int i) const {
  const int top = TitleButtonRect(i).top;
  return {kMarkerAreaLeft, top, kMarkerAreaRight, top + kMarkerAreaHeight - 1};
}

void TitleMenu::DrawButton(int i, bool highlighted) {
  const ScreenRect r = TitleButtonRect(i);
  const int sourceX = highlighted ? kHighlightColumn : 0;
  GfxCopyRect(sourceX, sourceX + kButtonWidth - 1, kButtonHeight * i,
              kButtonHeight * i + kButtonHeight - 1, r.left, r.bottom, sheet_,
              art_->ScreenBuffer());
  art_->AddDirtyRect(r);
}

void TitleMenu::DrawMarker() {
  const int sourceX = kMarkerSize * frame_;
  const int bottom = kMarkerBottom + 50 * highlighted_;
  GfxCopyRectTransparent(sourceX, sourceX + kMarkerSize - 1, kMarkerRow,
                         kMarkerRow + kMarkerSize - 1, kMarkerX, bottom, sheet_,
                         art_->ScreenBuffer());
  art_->AddDirtyRect(MarkerArea(highlighted_));
}

bool TitleMenu::Hover(int x, int y) {
  if (!enabled_ || art_ == nullptr) return false;
  const int under = HitTest(x, y);
  bool drew = false;
  if (highlighted_ >= 0 && highlighted_ != under) {
    DrawButton(highlighted_, false);
    const ScreenRect area = MarkerArea(highlighted_);
    GfxCopyRect(0, area.right - area.left, 0, area.bottom - area.top, area.left, area.bottom,
                markerSave_, art_->ScreenBuffer());
    art_->AddDirtyRect(area);
    highlighted_ = -1;
    drew = true;
  }
  if (under >= 0 && under != highlighted_) {
    DrawButton(under, true);
    const ScreenRect area = MarkerArea(under);
    GfxCopyRect(area.left, area.right, area.top, area.bottom, 0, area.bottom - area.top,
                art_->ScreenBuffer(), markerSave_);
    highlighted_ = under;
    frame_ = 0;
    DrawMarker();
    drew = true;
  }
  return drew;
}

void TitleMenu::Tick() {
  if (!enabled_ || art_ == nullptr || highlighted_ < 0) return;
  const ScreenRect area = MarkerArea(highlighted_);
  GfxCopyRect(0, area.right - area.left, 0, area.bottom - area.top, area.left, area.bottom,
              markerSave_, art_->ScreenBuffer());
  DrawMarker();
  frame_ = (frame_ + 1) % kTitleMarkerFrames;
}
