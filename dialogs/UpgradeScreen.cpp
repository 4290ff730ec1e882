// The upgrade screen: its two pictures, its buttons and the hand-over of the maker's page.
#include "dialogs/UpgradeScreen.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "dialogs/DialogResults.h"
#include "gfx/Gfx.h"
#include "gfx/art/ArtworkFiles.h"
#include "platform/DataDir.h"
#include "platform/OpenUrl.h"
#include "platform/Screen.h"
#include "ui/UiDialog.h"
#include "ui/UiInput.h"
#include "ui/UiModal.h"
#include "ui/UiToolkit.h"
#include "ui/widgets/ImageButton.h"

namespace {

// The backdrop's buffer is one pixel larger each way than the screen it fills.
constexpr int kBackgroundWidth = 801;
constexpr int kBackgroundHeight = 601;
constexpr int kButtonsWidth = 274;
constexpr int kButtonsHeight = 213;
constexpr int kButtonWidth = 91;
constexpr int kButtonHeight = 39;

UrlOpener& Opener() {
  static UrlOpener opener;
  return opener;
}

// Bytes a file:// address may carry as they are; everything else is percent-encoded, so a data
// directory with spaces or non-ASCII names still makes a valid address.
bool IsPlainUrlByte(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' ||
         c == '-' || c == '_' || c == '.' || c == '~';
}

}  // namespace

void SetUpgradeUrlOpener(UrlOpener opener) {
  Opener() = std::move(opener);
}

std::string MakersPageUrl() {
  std::error_code error;
  std::filesystem::path path = std::filesystem::absolute(MediaPath("manual.html"), error);
  if (error) path = MediaPath("manual.html");
  const std::string text = path.lexically_normal().string();
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsPlainUrlByte(byte)) {
      url.push_back(c);
    } else {
      url.push_back('%');
      url.push_back(kHex[byte >> 4]);
      url.push_back(kHex[byte & 0xF]);
    }
  }
  return url;
}

UpgradeScreen::UpgradeScreen() : UiContainer(nullptr, 0, 0, kScreenWidth, kScreenHeight, "", 0) {
  {
    // Loading pictures makes their buffers the drawing target; the caller's stays as it was.
    ActiveBufferKeeper keep;
    background_ = AllocArtBuffer(kBackgroundWidth, kBackgroundHeight);
    if (ShowJpegInBuffer(background_, "artwork\\upgd_bak.jpg") != 0) FreeArtBuffer(&background_);
    buttons_ = AllocArtBuffer(kButtonsWidth, kButtonsHeight);
    if (ShowBmpInBuffer(buttons_, "artwork\\upgd_btn.bmp") != 0) FreeArtBuffer(&buttons_);
  }
  webButton_ = MakeChild<ImageButton>(356, 472, kButtonWidth, kButtonHeight, buttons_, 182, 39, 0,
                                      39, 91, 39, 91, 39);
  closeButton_ = MakeChild<ImageButton>(596, 505, kButtonWidth, kButtonHeight, buttons_, 182, 78, 0,
                                        78, 91, 78, 91, 78);
}

UpgradeScreen::~UpgradeScreen() {
  FreeArtBuffer(&background_);
  FreeArtBuffer(&buttons_);
}

void UpgradeScreen::Show() {
  SaveUnder();
  UiContainer::Show();
  // The whole picture at once, not piece by piece as its parts are marked.
  UiShowScreenRect({0, 0, kScreenWidth - 1, kScreenHeight - 1});
}

void UpgradeScreen::Hide() {
  UiContainer::Hide();
  RestoreUnder();
  UiAddDirtyRect(0, kScreenWidth - 1, 0, kScreenHeight - 1);
}

void UpgradeScreen::Draw() {
  UiSelectDrawingBuffer();
  if (background_ >= 0) {
    const int target = UiToolkit.drawingBuffer >= 0 ? UiToolkit.drawingBuffer : GfxActiveBuffer();
    GfxCopyRect(0, kScreenWidth - 1, 0, kScreenHeight - 1, 0, kScreenHeight - 1, background_,
                target);
  }
  DrawChildren();
  UiAddDirtyRect(0, kScreenWidth - 1, 0, kScreenHeight - 1);
  dirty_ = true;
}

bool UpgradeScreen::Poll() {
  UiPoll(*this);
  if (UiInput.event == EV_CLICKED && UiInput.subject == closeButton_->GetId()) {
    result_ = kDialogResultCancel;
  } else if (UiInput.keyState == KS_CHAR && UiInput.keyChar == 27) {
    result_ = kDialogResultCancel;
  } else if (UiInput.event == EV_CLICKED && UiInput.subject == webButton_->GetId()) {
    const std::string url = MakersPageUrl();
    // A browser that cannot be started changes nothing: the screen simply stays.
    if (Opener()) {
      Opener()(url);
    } else {
      OpenUrl(url);
    }
  }
  return result_ != 0;
}

int UpgradeScreen::DoModal() {
  result_ = 0;
  Show();
  ModalOptions options;
  options.poll = [this] { return Poll(); };
  // Key releases complete the Alt + keypad character entry on this screen too.
  options.recordKeyUp = true;
  if (!UiRunModal(*this, options)) result_ = kUiDialogQuit;
  Hide();
  if (UiAppActive()) UiFlushDirtyRects();
  return result_;
}

int RunUpgradeScreen() {
  UpgradeScreen screen;
  return screen.DoModal();
}
