// Input and drawing of the drop-down list.
#include "ui/widgets/ComboBox.h"

#include <algorithm>
#include <cstring>

#include "gfx/art/ArtworkSet.h"
#include "ui/UiInput.h"
#include "ui/UiModal.h"
#include "ui/UiToolkit.h"
#include "ui/widgets/WidgetArtwork.h"

namespace {

// Every bit set: the menus and the other widgets only ask whether anything is open.
constexpr std::uint32_t kListOpen = 0xFFFFFFFFu;
constexpr int kDropButtonWidth = 17;
constexpr int kDropButtonHeight = 21;
constexpr int kDropClosedColumn = 48;
constexpr int kDropOpenColumn = 67;
constexpr int kTextLeft = 6;
constexpr int kBaseLine = 14;
// The first item's band starts this far below the list's top.
constexpr int kFirstItem = 5;
constexpr std::uint8_t kEnter = 13;
constexpr std::uint8_t kEscape = 27;
constexpr std::uint8_t kF1 = 0x70;

std::string Cut(const char* text, int capacity) {
  if (text == nullptr) return {};
  return std::string(text, std::min(std::strlen(text), static_cast<std::size_t>(capacity)));
}

// The lit entry's bar and lettering: the theme's, or the toolkit's navy and white without theme
// artwork.
Color ListBarColour() {
  const ArtworkSet* art = UiWidgetArtwork();
  return art != nullptr ? art->ListHighlightColor() : UiColour(kUiColourSelection);
}

Color ListBarTextColour() {
  const ArtworkSet* art = UiWidgetArtwork();
  return art != nullptr ? art->ListHighlightTextColor() : UiColour(kUiColourLightEdge);
}

}  // namespace

ComboBox::ComboBox(UiElement* parent, int x, int y, int width, int capacity, int /*unused*/)
    : TextItem(parent, x, y, width, kComboBoxHeight, ""),
      capacity_(std::clamp(capacity, 0, kUiTextLimit)) {}

ComboBox::~ComboBox() {
  // A box destroyed with its list open must not leave every other widget blocked.
  if (open_) UiReleaseMenuOpen();
}

void ComboBox::SetText(const char* text) {
  TextItem::SetText(Cut(text, capacity_).c_str());
  dirty_ = true;
}

int ComboBox::AddItem(const char* text) {
  if (GetItemCount() >= kComboBoxMaxItems) return -1;
  items_.push_back(Cut(text, kUiTextLimit));
  return GetItemCount() - 1;
}

void ComboBox::SetSelection(int index) {
  if (index < 0 || index >= GetItemCount()) return;
  selection_ = index;
  SetText(items_[index].c_str());
}

const std::string& ComboBox::GetItem(int index) const {
  static const std::string kNone;
  return index >= 0 && index < GetItemCount() ? items_[index] : kNone;
}

void ComboBox::Redraw() {
  Draw();
  dirty_ = true;
}

bool ComboBox::IsOverList(int mouseX, int mouseY) const {
  return mouseX >= ListLeft() && mouseX <= ListRight() && mouseY >= ListTop() &&
         mouseY <= ListBottom();
}

int ComboBox::ItemAt(int mouseY) const {
  const int row = mouseY - ListTop() - kFirstItem;
  // Rows above the first band count as the first item (the division would round them up to 0
  // anyway, but only down to -11).
  return std::clamp(row < 0 ? 0 : row / kComboBoxItemHeight, 0, GetItemCount() - 1);
}

void ComboBox::Open() {
  selectionBeforeOpen_ = selection_;
  selection_ = -1;
  for (int i = 0; i < GetItemCount() && GetTextLength() > 0; ++i) {
    if (items_[i] == text_) {
      selection_ = i;
      break;
    }
  }
  hover_ = selection_;
  underList_.Save(ListLeft(), ListRight(), ListTop(), ListBottom());
  open_ = true;
  focus_ = kUiKeyboardFocus;
  UiToolkit.menuOpen = kListOpen;
  Redraw();
}

void ComboBox::Close(bool choose) {
  if (choose && selection_ >= 0) {
    SetText(items_[selection_].c_str());
  } else if (!choose) {
    // The arrows only moved the highlight; a cancelled list leaves the choice as it was, so a
    // dialog never stores an item the player did not pick.
    selection_ = selectionBeforeOpen_;
  }
  open_ = false;
  hover_ = -1;
  underList_.Restore();
  underList_.Forget();
  UiToolkit.menuOpen = 0;
  Redraw();
}

void ComboBox::HandleEvent() {
  // Its own open list does not block the box; anybody else's does.
  if (!open_ && UiBlockedByMenu(*this)) return;
  active_ = true;
  if (disabled_) return;
  if (open_) {
    HandleOpen();
  } else {
    HandleClosed();
  }
  // A focused box keeps the keys to itself, so Enter in it never accepts the dialog; only the
  // keys that leave the box or the dialog, and help, get through.
  if (focus_ != kUiNoFocus && UiInput.keyState != KS_NONE) {
    const bool passes = UiInput.event == EV_TAB || UiInput.event == EV_BACK_TAB ||
                        (UiInput.keyState == KS_CHAR && UiInput.keyChar == kEscape) ||
                        (UiInput.keyState == KS_FUNCTION && UiInput.keyChar == kF1);
    if (!passes) UiInput.keyState = KS_NONE;
  }
}

void ComboBox::HandleClosed() {
  switch (UiInput.mouseState) {
    case MS_LEFT_PRESSED:
      if (UiMouseOver(*this)) {
        if (GetItemCount() > 0) {
          Open();
        } else {
          focus_ = kUiKeyboardFocus;
          Redraw();
        }
        UiRaise(EV_PRESSED, id_);
      } else if (focus_ != kUiNoFocus) {
        focus_ = kUiNoFocus;
        Redraw();
      }
      break;
    case MS_RIGHT_PRESSED:
      if (UiMouseOver(*this)) UiRaise(EV_RIGHT_CLICKED, id_);
      break;
    default:
      break;
  }
}

void ComboBox::HandleOpen() {
  const int mouseX = UiInput.mouseX;
  const int mouseY = UiInput.mouseY;
  if (UiInput.mouseState == MS_MOVE && IsOverList(mouseX, mouseY)) {
    const int item = ItemAt(mouseY);
    if (item != hover_) {
      hover_ = item;
      DrawList();
    }
    return;
  }
  if (UiInput.mouseState == MS_LEFT_PRESSED) {
    if (IsOverList(mouseX, mouseY)) {
      selection_ = ItemAt(mouseY);
      Close(true);
      UiRaise(EV_CLICKED, id_);
      // The press chose an item; whatever lies under the list must not take it as well, nor the
      // second press of a double click on the item.
      UiInput.mouseState = MS_IDLE;
      UiInput.doubleClickTaken = true;
    } else {
      Close(false);
    }
    return;
  }
  if (UiInput.keyState != KS_CHAR) return;
  if (UiInput.event == EV_DOWN || UiInput.event == EV_UP) {
    const int step = UiInput.event == EV_DOWN ? 1 : -1;
    selection_ = std::clamp(selection_ + step, 0, GetItemCount() - 1);
    hover_ = selection_;
    DrawList();
  } else if (UiInput.event == EV_NONE && UiInput.keyChar == kEnter) {
    Close(true);
    UiRaise(EV_CLICKED, id_);
  } else if (UiInput.event == EV_NONE && UiInput.keyChar == kEscape) {
    Close(false);
  }
}

void ComboBox::Hide() {
  if (open_) Close(false);
  TextItem::Hide();
}

void ComboBox::Draw() {
  UiSelectDrawingBuffer();
  DrawBox();
  if (open_) DrawList();
}

void ComboBox::DrawBox() {
  const int boxRight = x_ + width_ - 1 - kDropButtonWidth;
  const int bottom = y_ + height_ - 1;
  UiSunkenBox(x_, y_, boxRight, bottom,
              disabled_ ? UiColour(kUiColourFace) : UiColour(kUiColourLightEdge));
  int oldMinX = 0, oldMaxX = 0, oldMinY = 0, oldMaxY = 0;
  GfxGetClip(&oldMinX, &oldMaxX, &oldMinY, &oldMaxY);
  GfxSetClip(x_ + 2, boxRight - 2, y_ + 2, bottom - 2);
  UiDrawText(x_ + kTextLeft, y_ + kBaseLine, text_.data(), static_cast<int>(text_.size()),
             // Dark on the white box, whatever colour the theme writes its captions in.
             disabled_ ? UiColour(kUiColourDarkEdge) : UiColour(kUiColourDarkestEdge), -1, -1);
  if (focus_ != kUiNoFocus && !open_) {
    GfxSetColor(UiColour(kUiColourDarkestEdge));
    UiDottedRect(x_ + 3, y_ + 3, boxRight - 3, bottom - 3);
  }
  GfxSetClip(oldMinX, oldMaxX, oldMinY, oldMaxY);
  const int arrows = UiArrowBuffer();
  if (arrows >= 0 && UiToolkit.drawingBuffer >= 0) {
    const int column = open_ ? kDropOpenColumn : kDropClosedColumn;
    GfxCopyRectTransparent(column, column + kDropButtonWidth - 1, 0, kDropButtonHeight - 1,
                           x_ + width_ - 18, y_ + kDropButtonHeight - 1, arrows,
                           UiToolkit.drawingBuffer);
  }
  UiMarkElement(*this);
}

void ComboBox::DrawList() {
  UiSelectDrawingBuffer();
  const int left = ListLeft();
  const int right = ListRight();
  const int top = ListTop();
  const int bottom = ListBottom();
  UiFill(left, top, right, bottom, UiColour(kUiColourLightEdge));
  UiHLine(left, right, top, UiColour(kUiColourLightEdge));
  UiVLine(left, top, bottom, UiColour(kUiColourLightEdge));
  UiHLine(left, right, bottom, UiColour(kUiColourDarkestEdge));
  UiVLine(right, top, bottom, UiColour(kUiColourDarkestEdge));
  UiHLine(left + 1, right - 1, bottom - 1, UiColour(kUiColourDarkEdge));
  UiVLine(right - 1, top + 1, bottom - 1, UiColour(kUiColourDarkEdge));
  // Only the items that can be on the screen are drawn; a long list runs off its bottom.
  const int last = std::min(GetItemCount() - 1, (GfxMaxY() - top) / kComboBoxItemHeight);
  for (int i = 0; i <= last; ++i) {
    const int bandTop = top + kFirstItem + i * kComboBoxItemHeight;
    Color colour = UiColour(kUiColourDarkestEdge);
    if (i == hover_) {
      UiFill(left + 5, bandTop, right - 5, bandTop + kComboBoxItemHeight - 1, ListBarColour());
      colour = ListBarTextColour();
    }
    UiDrawText(left + kTextLeft, bandTop + kComboBoxItemHeight - 2, items_[i].data(),
               static_cast<int>(items_[i].size()), colour, -1, -1);
  }
  UiAddDirtyRect(left, right, top, std::min(bottom, GfxMaxY()));
  dirty_ = true;
}
