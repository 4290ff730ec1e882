// Keeps the screen pixels under an element while it covers them: in memory when they fit, else
// in a temporary PCX file, and puts them back exactly when the element goes away.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "gfx/image/PcxFile.h"
#include "ui/UiElement.h"
#include "ui/UiToolkit.h"

namespace {

// A fresh file in the temporary directory whose own name is 8.3 sized ("qsXXXXXX.pcx"), like
// every other file name of the program. Empty when none can be made.
std::string MakeTemporaryFile() {
  std::error_code error;
  std::filesystem::path dir = std::filesystem::temp_directory_path(error);
  if (error) dir = "/tmp";
  std::string pattern = (dir / "qsXXXXXX.pcx").string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = mkstemps(name.data(), 4);
  if (fd < 0) return {};
  close(fd);
  return std::string(name.data());
}

int FloorTo8(int v) {
  return v >= 0 ? v / 8 * 8 : -((-v + 7) / 8 * 8);
}

}  // namespace

void UiElement::SaveUnder() {
  SaveRect(x_, x_ + width_ - 1, y_, y_ + height_ - 1);
}

void UiElement::SaveUnderInclusive() {
  SaveRect(x_, x_ + width_, y_, y_ + height_);
}

void UiElement::RestoreUnder() {
  RestoreSaved();
}

void UiElement::RestoreUnderInclusive() {
  RestoreSaved();
}

void UiElement::SaveRect(int minx, int maxx, int miny, int maxy) {
  DropSaved();
  if (maxx < minx || maxy < miny) return;
  UiSelectDrawingBuffer();
  const GfxBufferView view = GfxGetBufferView(GfxActiveBuffer());
  if (view.pixels == nullptr) return;

  long long size = GfxImageSize(width_ + 1, height_ + 1);
  if (GfxDisplayDepth() > 24) size = static_cast<long long>(static_cast<double>(size) * 1.35);
  // The estimate above counts image bytes; a block keeps whole pixels, and the copy must never
  // overrun the store whatever the estimate says.
  const long long bytesPerPixel = std::max(1, view.bitsPerPixel / 8);
  const long long needed = (static_cast<long long>(maxx) - minx + 1) *
                           (static_cast<long long>(maxy) - miny + 1) * bytesPerPixel;
  if (size <= 0) size = needed;

  if (size <= kUiSaveUnderMemoryLimit) {
    try {
      saveBuffer_.assign(static_cast<std::size_t>(std::max(size, needed)), 0);
    } catch (const std::bad_alloc&) {
      saveBuffer_.clear();
      return;
    }
    GfxGetBlock(saveBuffer_.data(), minx, maxx, miny, maxy);
    saveState_ = kUiSavedInMemory;
  } else {
    // The file format packs whole bytes of eight pixels at the shallow depths, so its edges
    // sit on 8-pixel columns.
    minx = FloorTo8(minx);
    maxx = FloorTo8(maxx + 8) - 1;
    std::string file = MakeTemporaryFile();
    if (file.empty()) return;
    if (GfxSavePCX(minx, maxx, miny, maxy, file.c_str()) != 0) {
      std::remove(file.c_str());
      return;
    }
    saveFile_ = std::move(file);
    saveState_ = kUiSavedInFile;
  }
  savedMinX_ = minx;
  savedMaxX_ = maxx;
  savedMinY_ = miny;
  savedMaxY_ = maxy;
}

void UiElement::RestoreSaved() {
  if (saveState_ == kUiNothingSaved) return;
  UiSelectDrawingBuffer();
  if (saveState_ == kUiSavedInMemory) {
    GfxPutBlock(saveBuffer_.data(), savedMinX_, savedMaxX_, savedMinY_, savedMaxY_);
  } else {
    GfxShowPCX(saveFile_.c_str(), 0);
  }
  DropSaved();
}

void UiElement::DropSaved() {
  if (!saveFile_.empty()) std::remove(saveFile_.c_str());
  saveFile_.clear();
  saveBuffer_.clear();
  saveBuffer_.shrink_to_fit();
  saveState_ = kUiNothingSaved;
}
