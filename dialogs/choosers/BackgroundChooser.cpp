// The background chooser: thumbnails made from the backdrop pictures, their layout and drawing.
#include "dialogs/choosers/BackgroundChooser.h"

#include <cstdio>
#include <string>

#include "dialogs/DialogResults.h"
#include "gfx/Gfx.h"
#include "gfx/art/ArtworkFiles.h"
#include "gfx/image/JpegReader.h"
#include "persist/Preferences.h"
#include "platform/DataDir.h"
#include "platform/Window.h"
#include "ui/UiToolkit.h"

namespace {

constexpr int kBackdropWidth = 800;
constexpr int kBackdropHeight = 600;
constexpr int kColumns = 3;
constexpr int kLeftMargin = 50;
constexpr int kColumnStep = 250;
constexpr int kFirstRowTop = 60;
constexpr int kRowSpacing = 200;

// Shows the hourglass while the pictures are decoded and puts back whatever pointer was there,
// also when making the thumbnails fails half way.
class WaitCursor {
public:
  WaitCursor() : saved_(CurrentCursor()) { SetCursor(CursorShape::Wait); }
  ~WaitCursor() { SetCursor(saved_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

private:
  CursorShape saved_;
};

// The decoding buffer lives only while the thumbnails are made: the chooser itself only ever
// draws the small pictures, and the layer's buffer slots are few.
class WorkBuffer {
public:
  WorkBuffer() : handle_(AllocArtBuffer(kBackdropWidth, kBackdropHeight)) {}
  ~WorkBuffer() { FreeArtBuffer(&handle_); }
  WorkBuffer(const WorkBuffer&) = delete;
  WorkBuffer& operator=(const WorkBuffer&) = delete;
  int Handle() const { return handle_; }

private:
  int handle_;
};

}  // namespace

BackgroundChooser::BackgroundChooser() : BackgroundChooser(ThePreferences().background) {}

BackgroundChooser::BackgroundChooser(int initial)
    : PictureChooser(0, 60, 800, 480, "Choose a background", initial, kBackgroundCount) {
  const WaitCursor wait;
  MakeThumbnails();
}

void BackgroundChooser::MakeThumbnails() {
  const ActiveBufferKeeper keeper;
  const WorkBuffer work;
  if (work.Handle() < 0) return;
  const int rowSize = GfxImageSize(kBackdropWidth, 1);
  const int thumbnailSize = GfxImageSize(kThumbnailWidth, kThumbnailHeight);
  if (rowSize <= 0 || thumbnailSize <= 0) return;
  // Shrinking by picking pixels only ever looks at every fourth row, so only those are read
  // back: the same thumbnail as from the whole picture, for a quarter of the copying.
  constexpr int kPickedRowStep = kBackdropHeight / kThumbnailHeight;
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(rowSize) * kThumbnailHeight);
  // One decoder working area for all six, grown when a picture needs more.
  std::vector<std::uint8_t> decoderMemory;
  char name[32];
  for (int i = 0; i < kBackgroundCount; ++i) {
    std::snprintf(name, sizeof name, "artwork\\backdrop%d.jpg", i + 1);
    const std::string path = MediaPath(name);
    GfxJPEGHeader header;
    if (GfxReadJPEGHeader(path.c_str(), &header) != kJpegHeaderOk) continue;
    const int memorySize = GfxJPEGBufferSize(&header);
    if (memorySize <= 0) continue;
    if (decoderMemory.size() < static_cast<std::size_t>(memorySize)) {
      decoderMemory.resize(static_cast<std::size_t>(memorySize));
    }
    if (GfxOpenBuffer(work.Handle()) != 0) return;
    // A picture smaller than the screen must not show the one decoded before it.
    if (header.width < kBackdropWidth || header.height < kBackdropHeight) {
      GfxSetColor(GfxMapRGB(0, 0, 0));
      GfxFillRect(0, kBackdropWidth - 1, 0, kBackdropHeight - 1);
    }
    GfxSetJPEGBuffer(decoderMemory.data(), decoderMemory.size());
    const int decoded = GfxShowJPEG(path.c_str(), 0);
    GfxSetJPEGBuffer(nullptr, 0);
    if (decoded != 0) continue;
    // Row r of the image array is screen row 599 - r; the shrink takes array rows 0, 4, 8 ...
    for (int r = 0; r < kThumbnailHeight; ++r) {
      GfxMove(0, kBackdropHeight - 1 - kPickedRowStep * r);
      GfxGetImage(rows.data() + static_cast<std::size_t>(rowSize) * r, kBackdropWidth, 1);
    }
    std::vector<std::uint8_t> thumbnail(static_cast<std::size_t>(thumbnailSize));
    GfxScaleImage(rows.data(), thumbnail.data(), kBackdropWidth, kThumbnailHeight, kThumbnailWidth,
                  kThumbnailHeight);
    thumbnails_[static_cast<std::size_t>(i)] = std::move(thumbnail);
  }
}

bool BackgroundChooser::HasThumbnail(int i) const {
  return i >= 0 && i < kBackgroundCount && !thumbnails_[static_cast<std::size_t>(i)].empty();
}

ScreenRect BackgroundChooser::SampleRect(int i) const {
  const int left = x_ + kLeftMargin + kColumnStep * (i % kColumns);
  const int top = y_ + kFirstRowTop + kRowSpacing * (i / kColumns);
  return {left, top, left + kThumbnailWidth, top + kThumbnailHeight};
}

void BackgroundChooser::DrawSamples() {
  UiSelectDrawingBuffer();
  for (int i = 0; i < kBackgroundCount; ++i) {
    if (!HasThumbnail(i)) continue;
    const ScreenRect r = SampleRect(i);
    // Image arrays go up from the cursor: the thumbnail's lower-left corner is the rectangle's
    // bottom row.
    GfxMove(r.left, r.bottom);
    GfxPutImage(thumbnails_[static_cast<std::size_t>(i)].data(), kThumbnailWidth, kThumbnailHeight);
  }
}

std::optional<int> RunBackgroundChooser(int current) {
  BackgroundChooser chooser(current);
  if (chooser.DoModal() != kDialogResultOk) return std::nullopt;
  return chooser.GetChoice();
}
