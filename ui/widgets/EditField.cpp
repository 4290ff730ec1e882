// Input and drawing of the single-line edit field.
#include "ui/widgets/EditField.h"

#include <algorithm>
#include <cstring>

#include "ui/UiInput.h"
#include "ui/UiToolkit.h"
#include "ui/widgets/WidgetSupport.h"

namespace {

// Typing stops this many pixels before the field's right edge, so the caret stays inside.
constexpr int kRightMargin = 20;
// The selection band's rows and the text's base line, below the field's top.
constexpr int kBandTop = 3;
constexpr int kBandBottom = 17;
constexpr int kBaseLine = 14;
constexpr std::uint8_t kBackspace = 8;
constexpr std::uint8_t kEnter = 13;
constexpr std::uint8_t kEscape = 27;

}  // namespace

EditField::EditField(UiElement* parent, int x, int y, int width, int capacity, const char* caption,
                     int /*unused*/)
    : TextItem(parent, x, y, width, kEditFieldHeight, ""),
      capacity_(capacity <= 0 || capacity > kEditFieldCapacity ? kEditFieldCapacity : capacity) {
  caption_ = UiStripMnemonic(caption, &mnemonic_);
}

void EditField::SetText(const char* text) {
  const std::size_t length = text != nullptr ? std::strlen(text) : 0;
  const std::string cut(text != nullptr ? text : "",
                        std::min(length, static_cast<std::size_t>(capacity_)));
  TextItem::SetText(cut.c_str());
  caret_ = static_cast<int>(text_.size());
  ClearSelection();
  dirty_ = true;
}

int EditField::Offset(int boundary) const {
  return UiTextWidth(text_.data(), std::clamp(boundary, 0, static_cast<int>(text_.size())));
}

int EditField::BoundaryAt(int mouseX) const {
  const int left = x_ + kEditFieldTextLeft;
  const int length = static_cast<int>(text_.size());
  int boundary = 0;
  int before = 0;
  for (int i = 0; i < length; ++i) {
    const int after = Offset(i + 1);
    // Past the middle of character i the boundary after it is the nearer one.
    if (mouseX - left <= (before + after) / 2) break;
    boundary = i + 1;
    before = after;
  }
  return boundary;
}

void EditField::Redraw() {
  Draw();
  dirty_ = true;
}

void EditField::ClearSelection() {
  selectionStart_ = selectionEnd_ = -1;
}

void EditField::DeleteSelection() {
  text_.erase(static_cast<std::size_t>(selectionStart_),
              static_cast<std::size_t>(selectionEnd_ - selectionStart_));
  caret_ = selectionStart_;
  ClearSelection();
}

void EditField::Insert(char c) {
  // The limits look at the text as it stands, as the player sees it before the key. An empty
  // field always takes one character: the margin keeps the caret inside the field, and a field
  // as narrow as the margin (the 20-pixel number fields of the rule settings) would otherwise
  // take nothing at all.
  const bool room =
      static_cast<int>(text_.size()) < capacity_ &&
      (text_.empty() || Offset(static_cast<int>(text_.size())) < width_ - kRightMargin);
  if (!room) return;
  if (HasSelection()) DeleteSelection();
  text_.insert(text_.begin() + caret_, c);
  ++caret_;
}

void EditField::HandleEvent() {
  if (UiBlockedByMenu(*this) || disabled_) return;
  HandleMouse();
  if (focus_ != kUiNoFocus) {
    HandleKeys();
  } else {
    HandleMnemonic();
  }
}

void EditField::HandleMouse() {
  const bool over = UiMouseOver(*this);
  switch (UiInput.mouseState) {
    case MS_LEFT_PRESSED:
      if (over) {
        caret_ = BoundaryAt(UiInput.mouseX);
        ClearSelection();
        focus_ = kUiKeyboardFocus;
        dragging_ = true;
        Redraw();
        UiRaise(EV_PRESSED, id_);
      } else {
        dragging_ = false;
        if (focus_ != kUiNoFocus) {
          focus_ = kUiNoFocus;
          Redraw();
        }
      }
      break;
    case MS_LEFT_HELD:
      if (dragging_) {
        const int boundary = BoundaryAt(UiInput.mouseX);
        const int start = std::min(caret_, boundary);
        const int end = std::max(caret_, boundary);
        const int newStart = start < end ? start : -1;
        const int newEnd = start < end ? end : -1;
        if (newStart != selectionStart_ || newEnd != selectionEnd_) {
          selectionStart_ = newStart;
          selectionEnd_ = newEnd;
          Redraw();
        }
      }
      break;
    case MS_LEFT_RELEASED:
      dragging_ = false;
      break;
    default:
      break;
  }
}

void EditField::HandleKeys() {
  if (UiInput.keyState == KS_NONE) return;
  const int event = UiInput.event;
  const std::uint8_t c = UiInput.keyChar;
  const bool isTab = event == EV_TAB || event == EV_BACK_TAB;
  const int length = static_cast<int>(text_.size());
  bool changed = true;
  if (UiInput.keyState != KS_CHAR || isTab) {
    changed = false;
  } else if (event == EV_NONE && c == kEnter) {
    // The dialog takes Enter in a field as its acceptance.
    UiRaise(EV_CLICKED, id_);
    changed = false;
  } else if (event == EV_HOME) {
    caret_ = 0;
    ClearSelection();
  } else if (event == EV_END) {
    caret_ = length;
    ClearSelection();
  } else if (event == EV_LEFT) {
    caret_ = std::max(caret_ - 1, 0);
    ClearSelection();
  } else if (event == EV_RIGHT) {
    caret_ = std::min(caret_ + 1, length);
    ClearSelection();
  } else if (event == EV_DELETE) {
    if (HasSelection()) {
      DeleteSelection();
    } else if (caret_ < length) {
      text_.erase(static_cast<std::size_t>(caret_), 1);
    }
  } else if (event != EV_NONE) {
    changed = false;
  } else if (c == kBackspace) {
    if (HasSelection()) {
      DeleteSelection();
    } else if (caret_ > 0) {
      text_.erase(static_cast<std::size_t>(--caret_), 1);
    }
  } else if (c >= 32 && c <= 126) {
    Insert(static_cast<char>(c));
  } else {
    changed = false;
  }
  if (changed) Redraw();
  // A focused field swallows the keys, so the dialog never acts on a letter typed into it;
  // only the keys that leave the field or the dialog get through.
  if (!(UiInput.keyState == KS_CHAR && (c == kEscape || isTab))) UiInput.keyState = KS_NONE;
}

void EditField::HandleMnemonic() {
  if (UiInput.event != EV_NONE || UiInput.keyState != KS_CHAR) return;
  if (!mnemonic_.Matches(UiInput.keyChar)) return;
  focus_ = kUiKeyboardFocus;
  caret_ = static_cast<int>(text_.size());
  ClearSelection();
  Redraw();
  UiRaise(EV_PRESSED, id_);
}

void EditField::Draw() {
  UiSelectDrawingBuffer();
  const int right = x_ + width_ - 1;
  const int bottom = y_ + height_ - 1;
  UiSunkenBox(x_, y_, right, bottom,
              disabled_ ? UiColour(kUiColourFace) : UiColour(kUiColourLightEdge));
  // Text and caret stay inside the box, whatever the text's length.
  int oldMinX = 0, oldMaxX = 0, oldMinY = 0, oldMaxY = 0;
  GfxGetClip(&oldMinX, &oldMaxX, &oldMinY, &oldMaxY);
  GfxSetClip(x_ + 2, right - 2, y_ + 2, bottom - 2);
  const int left = x_ + kEditFieldTextLeft;
  const int base = y_ + kBaseLine;
  // The field is always white, so its text is dark whatever colour the theme writes in: gold on
  // white could not be read.
  const Color textColour = disabled_ ? UiColour(kUiColourDarkEdge) : UiColour(kUiColourDarkestEdge);
  const int length = static_cast<int>(text_.size());
  if (HasSelection()) {
    const int from = left + Offset(selectionStart_);
    const int to = left + Offset(selectionEnd_);
    GfxSetColor(UiColour(kUiColourSelection));
    GfxFillRectClipped(from, to - 1, y_ + kBandTop, y_ + kBandBottom);
    UiDrawText(left, base, text_.data(), selectionStart_, textColour, -1, -1);
    UiDrawText(from, base, text_.data() + selectionStart_, selectionEnd_ - selectionStart_,
               UiColour(kUiColourLightEdge), -1, -1);
    UiDrawText(to, base, text_.data() + selectionEnd_, length - selectionEnd_, textColour, -1, -1);
  } else {
    UiDrawText(left, base, text_.data(), length, textColour, -1, -1);
  }
  if (focus_ != kUiNoFocus && !disabled_) {
    const int caretX = left + Offset(caret_);
    GfxSetColor(UiColour(kUiColourDarkestEdge));
    GfxFillRectClipped(caretX, caretX, y_ + kBandTop + 1, y_ + kBandBottom - 1);
  }
  GfxSetClip(oldMinX, oldMaxX, oldMinY, oldMaxY);
  DrawCaption();
  UiMarkElement(*this);
}

void EditField::DrawCaption() const {
  if (caption_.empty()) return;
  const int length = static_cast<int>(caption_.size());
  const int end = x_ - kEditFieldTextLeft;
  const int base = y_ + kBaseLine;
  const Color colour = disabled_ ? UiColour(kUiColourDarkEdge) : UiColour(kUiColourText);
  UiDrawText(end, base, caption_.data(), length, colour, 1, -1);
  const int width = UiTextWidth(caption_.data(), length);
  UiUnderlineCharacter(end, base, caption_.data(), length, mnemonic_.index, 1, -1,
                       UiUseDialogFont(), colour);
  UiAddDirtyRect(end - width, end, y_, y_ + height_ - 1);
}
