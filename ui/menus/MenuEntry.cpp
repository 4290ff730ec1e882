// How a menu title opens, closes and hands over to its neighbours, and how an item is
// highlighted and chosen with the pointer, the arrow keys, Enter or its letter.
#include "ui/menus/MenuEntry.h"

#include <cstddef>
#include <cstdint>

#include "gfx/art/ArtworkSet.h"
#include "gfx/font/Font.h"
#include "platform/Messages.h"
#include "ui/UiInput.h"
#include "ui/UiToolkit.h"
#include "ui/menus/DropDown.h"
#include "ui/widgets/WidgetArtwork.h"
#include "ui/widgets/WidgetSupport.h"

namespace {

constexpr char kButtonSound[] = "button.wav";
constexpr std::uint8_t kEnter = 13;
constexpr std::uint8_t kEscape = 27;
// Height of the built-in font, for a caption measured when no font is loaded at all.
constexpr int kSystemFontHeight = 16;
// Items: caption inset and the check mark's place in the menu column and on the item.
constexpr int kItemTextX = 10;
constexpr int kItemTextY = 8;
constexpr int kItemPadding = 8;
constexpr int kCheckLeft = 201;
constexpr int kCheckRight = 215;
constexpr int kCheckBottom = 12;
constexpr int kCheckX = 175;
constexpr int kCheckY = 13;
// A highlighted item's bar stays clear of the panel's side rails.
constexpr int kBarInset = 4;

bool g_keyboardNavigation = false;
int g_navigationX = 0;
int g_navigationY = 0;

int ParentX(const UiElement* parent) {
  return parent != nullptr ? parent->GetX() : 0;
}
int ParentY(const UiElement* parent) {
  return parent != nullptr ? parent->GetY() : 0;
}
int ParentWidth(const UiElement* parent) {
  return parent != nullptr ? parent->GetWidth() : 0;
}

// The menu font of the theme when it has one, else the toolkit's interface font; true when a
// bitmap font is in force, false when only the built-in font is left.
bool SelectMenuFont() {
  const ArtworkSet* art = UiWidgetArtwork();
  if (art != nullptr && art->MenuFont() != 0) {
    GfxSelectFont(art->MenuFont());
  } else if (UiToolkit.defaultFont != 0) {
    GfxSelectFont(UiToolkit.defaultFont);
  }
  return GfxSelectedFont() != 0;
}

int CaptionHeight(const char* text) {
  if (text == nullptr) return kSystemFontHeight;
  const int length = static_cast<int>(std::char_traits<char>::length(text));
  if (!SelectMenuFont()) return kSystemFontHeight;
  return GfxFontHeight(text, length < kUiTextLimit ? length : kUiTextLimit);
}

// The bar under a highlighted item; none without theme artwork, where the colour alone shows it.
void DrawHighlightBar(int left, int right, int top, int bottom) {
  const ArtworkSet* art = UiWidgetArtwork();
  if (art == nullptr) return;
  GfxSetColor(art->MenuHighlightBarColor());
  GfxFillRect(left, right, top, bottom);
}

// The tick of a lit item in the bar's lettering colour: the theme's own tick is drawn for its
// panel and all but vanishes on the bar. Every pixel of the tick that is not the transparent key
// is set, so the mark keeps its shape.
void DrawTickOnBar(int column, int left, int bottom, Color colour) {
  const GfxBufferView view = GfxGetBufferView(column);
  const int bytesPerPixel = view.bitsPerPixel / 8;
  if (view.pixels == nullptr || bytesPerPixel < 2 || bytesPerPixel > 4 ||
      view.width <= kCheckRight || view.height <= kCheckBottom) {
    return;
  }
  const Color key = GfxMapRGB(255, 0, 255);
  GfxSetColor(colour);
  for (int row = 0; row <= kCheckBottom; ++row) {
    const std::uint8_t* line = view.pixels + static_cast<std::ptrdiff_t>(row) * view.bytesPerRow;
    for (int col = kCheckLeft; col <= kCheckRight; ++col) {
      const std::uint8_t* p = line + static_cast<std::ptrdiff_t>(col) * bytesPerPixel;
      Color value = 0;
      for (int b = 0; b < bytesPerPixel; ++b) value |= static_cast<Color>(p[b]) << (8 * b);
      if (value != key) GfxPoint(left + col - kCheckLeft, bottom - kCheckBottom + row);
    }
  }
}

Color MenuTextColour(bool highlighted) {
  const ArtworkSet* art = UiWidgetArtwork();
  if (art == nullptr) return UiColour(highlighted ? kUiColourLightEdge : kUiColourText);
  return highlighted ? art->MenuHighlightTextColor() : art->MenuTextColor();
}

// A letter typed with Alt; Alt on its own and the other shift keys carry no letter.
bool IsAltLetter(std::uintptr_t key) {
  return key != VK_MENU && key != VK_SHIFT && key != VK_CONTROL && key != 0;
}

void StartKeyboardNavigation() {
  g_keyboardNavigation = true;
  g_navigationX = UiInput.mouseX;
  g_navigationY = UiInput.mouseY;
}

}  // namespace

bool MenuKeyboardNavigation() {
  // The pointer takes the highlight back as soon as it really moves.
  if (g_keyboardNavigation &&
      (UiInput.mouseX != g_navigationX || UiInput.mouseY != g_navigationY)) {
    g_keyboardNavigation = false;
  }
  return g_keyboardNavigation;
}

MenuEntry::MenuEntry(UiElement* bar, int normalX, int normalY, int highlightX, int highlightY,
                     int pieceWidth, int pieceHeight, int x, int y, int width, int height,
                     int image, int screenBuffer, std::uint32_t style, const char* caption)
    : TextItem(bar, x - ParentX(bar), y - ParentY(bar), width, height, nullptr),
      normalX_(normalX),
      normalY_(normalY),
      highlightX_(highlightX),
      highlightY_(highlightY),
      pieceWidth_(pieceWidth),
      pieceHeight_(pieceHeight),
      image_(image),
      screenBuffer_(screenBuffer) {
  style_ = style;
  SetCaption(caption);
}

MenuEntry::MenuEntry(UiElement* dropDown, const char* caption, std::uint32_t style)
    : TextItem(dropDown, 0, 0, ParentWidth(dropDown), 0, nullptr) {
  style_ = style;
  SetCaption(caption);
  height_ = CaptionHeight(GetText()) + kItemPadding;
}

MenuEntry::~MenuEntry() {
  // The list hangs under this title without being in a child list, so it is let go here while
  // this entry is still whole.
  if (dropDown_ != nullptr) {
    DropDown* list = dropDown_;
    dropDown_ = nullptr;
    list->ForgetTitle();
    DestroyChild(list);
  }
}

void MenuEntry::Show() {
  UiWidget::Show();
  // Every opening starts afresh: an Alt release from an earlier visit does not count.
  altPressed_ = false;
  altReleased_ = false;
}

void MenuEntry::Hide() {
  if (IsTitle()) CloseMenu();
  UiWidget::Hide();
}

void MenuEntry::MoveBy(int dx, int dy) {
  TextItem::MoveBy(dx, dy);
  if (dropDown_ != nullptr) dropDown_->MoveBy(dx, dy);
}

bool MenuEntry::NeedsRedraw() const {
  return dirty_ || (dropDown_ != nullptr && dropDown_->NeedsRedraw());
}

void MenuEntry::ClearRedraw() {
  dirty_ = false;
  if (dropDown_ != nullptr) dropDown_->ClearRedraw();
}

void MenuEntry::HandleEvent() {
  if (IsTitle()) {
    HandleTitle();
  } else {
    HandleItem();
  }
}

// --- Titles -------------------------------------------------------------------------------------

void MenuEntry::SetHighlight(bool on) {
  focus_ = on ? kUiKeyboardFocus : kUiNoFocus;
  pressed_ = on;
  if (on) hover_ = false;
  dirty_ = true;
  Draw();
}

void MenuEntry::OpenMenu() {
  CloseOtherTitles();
  pending_ = kPendingNone;
  openCancelled_ = false;
  SetHighlight(true);
  if (dropDown_ != nullptr && !dropDown_->IsShown()) dropDown_->Show();
  UiToolkit.menuOpen = 1;
}

void MenuEntry::CloseMenu() {
  pending_ = kPendingNone;
  openCancelled_ = false;
  if (dropDown_ != nullptr && dropDown_->IsShown()) dropDown_->Hide();
  if (IsHighlighted() || hover_) {
    hover_ = false;
    SetHighlight(false);
  }
}

void MenuEntry::CancelPendingOpen() {
  if (pending_ == kPendingOpen) openCancelled_ = true;
}

bool MenuEntry::AnyOtherTitleOpen() const {
  const ChildList* titles = parent_ != nullptr ? parent_->Children() : nullptr;
  if (titles == nullptr) return false;
  for (UiElement* e = titles->Head(); e != nullptr; e = e->NextSibling()) {
    auto* title = dynamic_cast<MenuEntry*>(e);
    if (title == nullptr || title == this) continue;
    if (title->IsHighlighted() || (title->dropDown_ != nullptr && title->dropDown_->IsShown())) {
      return true;
    }
  }
  return false;
}

void MenuEntry::CloseOtherTitles() {
  ForEachIn(parent_ != nullptr ? parent_->Children() : nullptr, [this](UiElement* e) {
    auto* title = dynamic_cast<MenuEntry*>(e);
    if (title != nullptr && title != this && title->IsTitle()) title->CloseMenu();
  });
}

void MenuEntry::HandleTitle() {
  UiInputRecord& in = UiInput;
  // What the previous turn asked for happens first, so a press shows its list only after the
  // turn in which the game has seen that the menu took the press.
  if (pending_ == kPendingOpen) {
    if (openCancelled_) {
      CloseMenu();
    } else {
      OpenMenu();
    }
  } else if (pending_ == kPendingClose) {
    pending_ = kPendingNone;
    UiToolkit.menuOpen = 0;
  }

  if (dropDown_ != nullptr && dropDown_->IsShown()) {
    dropDown_->HandleEvent();
    if (in.event == EV_CLICKED) {
      dropDown_->Hide();
      UiToolkit.menuOpen = 0;
      SetHighlight(false);
      return;
    }
  }

  if (in.event == EV_SYSKEY) TitleAltKey();

  if (in.keyState == KS_CHAR && in.keyChar == kEscape && IsHighlighted()) {
    UiToolkit.menuOpen = 0;
    CloseMenu();
    // Used up here: the Escape that closes a menu must not also leave the game.
    in.keyState = KS_NONE;
  }

  const bool over = UiMouseOver(*this);
  if (in.mouseState == MS_LEFT_PRESSED) {
    TitleMousePress(over);
  } else if (in.mouseState == MS_MOVE || in.mouseState == MS_LEFT_HELD) {
    TitleMouseMove(over);
  }
  wasOver_ = over;
  pointerX_ = in.mouseX;
  pointerY_ = in.mouseY;
}

void MenuEntry::TitleAltKey() {
  UiInputRecord& in = UiInput;
  if (in.sysKeyPending == EV_SYSKEY_UP) {
    if (altPressed_) altReleased_ = true;
    return;
  }
  if (in.sysKeyPending != EV_SYSKEY || !IsAltLetter(in.timerId)) return;
  altPressed_ = true;
  altReleased_ = false;
  // Alt with the letter of the open menu closes it again rather than opening it anew.
  const bool wasHighlighted = IsHighlighted();
  if (dropDown_ != nullptr && dropDown_->IsShown()) {
    UiToolkit.menuOpen = 0;
    CloseMenu();
  }
  if (mnemonic_.Matches(static_cast<std::uint8_t>(in.timerId & 0xFF)) && !disabled_ &&
      !wasHighlighted) {
    SetHighlight(true);
    pending_ = kPendingOpen;
    openCancelled_ = false;
    UiPlaySound(kButtonSound);
  }
}

void MenuEntry::TitleMousePress(bool overTitle) {
  if (overTitle) {
    if (disabled_) return;
    if (!IsHighlighted()) {
      SetHighlight(true);
      pending_ = kPendingOpen;
      openCancelled_ = false;
      UiToolkit.menuOpen = 1;
      UiPlaySound(kButtonSound);
    } else if (dropDown_ != nullptr && dropDown_->IsShown()) {
      // A second press on the open title folds the menu away again, as players expect.
      CloseMenu();
      pending_ = kPendingClose;
    }
    return;
  }
  const bool open = IsHighlighted() || (dropDown_ != nullptr && dropDown_->IsShown());
  if (!open) return;
  const UiElement* bar = parent_;
  const bool overBar = bar != nullptr && bar->GetX() <= UiInput.mouseX &&
                       UiInput.mouseX <= bar->GetX() + bar->GetWidth() - 1 &&
                       bar->GetY() <= UiInput.mouseY &&
                       UiInput.mouseY <= bar->GetY() + bar->GetHeight() - 1;
  const bool overList = dropDown_ != nullptr && dropDown_->IsShown() &&
                        UiIsOver(*dropDown_, UiInput.mouseX, UiInput.mouseY);
  if (overBar || overList) return;
  // menuOpen stays set for this turn, so the press that closes a menu does nothing else.
  CloseMenu();
  pending_ = kPendingClose;
}

void MenuEntry::TitleMouseMove(bool overTitle) {
  if (disabled_) return;
  const bool entered = overTitle && !wasOver_;
  if (AnyOtherTitleOpen()) {
    // Sweeping: the menu under the pointer opens and the one it came from closes.
    if (entered && !IsHighlighted()) OpenMenu();
    return;
  }
  if (IsHighlighted() || UiInput.mouseState != MS_MOVE || UiToolkit.menuOpen != 0) return;
  // The input record reports movement for every turn once the pointer has moved at all; only
  // a real move lights a title, or the Escape that closed its menu would light it again at once.
  if (UiInput.mouseX == pointerX_ && UiInput.mouseY == pointerY_) return;
  if (overTitle != hover_) {
    hover_ = overTitle;
    dirty_ = true;
    Draw();
  }
}

void MenuEntry::DrawTitle() {
  const bool lit = IsHighlighted() || hover_;
  const int sx = lit ? highlightX_ : normalX_;
  const int sy = lit ? highlightY_ : normalY_;
  const int dest = screenBuffer_ >= 0 ? screenBuffer_ : UiToolkit.drawingBuffer;
  if (image_ >= 0 && dest >= 0 && pieceWidth_ > 0 && pieceHeight_ > 0) {
    // Copies are placed by their lower-left corner.
    GfxCopyRect(sx, sx + pieceWidth_ - 1, sy, sy + pieceHeight_ - 1, x_, y_ + pieceHeight_ - 1,
                image_, dest);
  }
  UiMarkElement(*this);
}

// --- Items --------------------------------------------------------------------------------------

void MenuEntry::Choose() {
  SetHighlight(false);
  UiRaise(EV_CLICKED, id_);
  UiToolkit.menuOpen = 0;
}

void MenuEntry::HandleItem() {
  UiInputRecord& in = UiInput;
  if (parent_ == nullptr || !parent_->IsShown() || !parent_->IsActive() || !shown_) return;
  if (in.event == EV_CLICKED) return;
  const bool over = UiMouseOver(*this);

  switch (in.mouseState) {
    case MS_LEFT_PRESSED:
      if (over) {
        if (CanBeChosen() && !IsHighlighted()) {
          SetHighlight(true);
          UiPlaySound(kButtonSound);
        }
      } else if (IsHighlighted() && !UiIsOver(*parent_, in.mouseX, in.mouseY)) {
        // menuOpen is left to the title, which closes the list and keeps the flag up for this
        // turn, so the press that closes a menu never reaches the game.
        SetHighlight(false);
      }
      break;
    case MS_LEFT_HELD:
      UiToolkit.menuOpen = 1;
      if ((over && CanBeChosen()) != IsHighlighted()) SetHighlight(over && CanBeChosen());
      break;
    case MS_LEFT_RELEASED:
      if (over && CanBeChosen()) {
        Choose();
        return;
      }
      break;
    case MS_MOVE:
      if (!MenuKeyboardNavigation() && (over && CanBeChosen()) != IsHighlighted()) {
        SetHighlight(over && CanBeChosen());
      }
      break;
    default:
      break;
  }

  switch (in.event) {
    case EV_UP:
    case EV_DOWN:
    case EV_LEFT:
    case EV_RIGHT:
      StartKeyboardNavigation();
      if (IsHighlighted()) Draw();
      return;
    case EV_SYSKEY:
      if (in.sysKeyPending == EV_SYSKEY_UP) {
        altReleased_ = true;
      } else if (altReleased_ && id_ > kMenuCommandBase && CanBeChosen() &&
                 IsAltLetter(in.timerId) &&
                 mnemonic_.Matches(static_cast<std::uint8_t>(in.timerId & 0xFF))) {
        Choose();
      }
      return;
    case EV_NONE:
      break;
    default:
      return;
  }
  if (in.keyState != KS_CHAR || !CanBeChosen()) return;
  if ((in.keyChar == kEnter && IsHighlighted()) || mnemonic_.Matches(in.keyChar)) {
    in.keyState = KS_NONE;
    Choose();
  }
}

void MenuEntry::DrawItem() {
  UiSelectDrawingBuffer();
  const DropDown* list = dynamic_cast<const DropDown*>(parent_);
  const int column = list != nullptr ? list->GetImage() : -1;
  if (IsFixed() || GetText() == nullptr) {
    UiMarkElement(*this);
    return;
  }
  if (IsHighlighted() && !disabled_) {
    DrawHighlightBar(x_ + kBarInset, x_ + width_ - 1 - kBarInset, y_, y_ + height_ - 1);
  }
  const Color colour = disabled_ ? GfxMapRGB(127, 127, 127) : MenuTextColour(IsHighlighted());
  const int length = GetTextLength() < kUiTextLimit ? GetTextLength() : kUiTextLimit;
  GfxSetColor(colour);
  GfxMove(x_ + kItemTextX, y_ + kItemTextY);
  const bool bitmapFont = SelectMenuFont();
  if (bitmapFont) {
    GfxFontJustify(-1, 0);
    GfxFontTextClipped(GetText(), length);
  } else {
    GfxSetTextJustify(-1, 0);
    GfxSystemText(GetText(), length);
  }
  UiUnderlineCharacter(x_ + kItemTextX, y_ + kItemTextY, GetText(), length, mnemonic_.index, -1, 0,
                       bitmapFont, colour);
  if (selected_ && column >= 0 && IsHighlighted() && UiWidgetArtwork() != nullptr) {
    DrawTickOnBar(column, x_ + kCheckX, y_ + kCheckY, colour);
  } else if (selected_ && column >= 0) {
    GfxCopyRectTransparent(kCheckLeft, kCheckRight, 0, kCheckBottom, x_ + kCheckX, y_ + kCheckY,
                           column, UiToolkit.drawingBuffer);
  }
  UiMarkElement(*this);
}

void MenuEntry::Draw() {
  if (IsTitle()) {
    DrawTitle();
    return;
  }
  // An item alone is redrawn on the panel's own picture, so the old lettering goes first.
  if (auto* list = dynamic_cast<DropDown*>(parent_); list != nullptr && list->IsShown()) {
    list->DrawBackground(y_, y_ + height_ - 1);
  }
  DrawItem();
}
