// Input and drawing of check boxes and radio buttons: the part both kinds share.
#include "ui/widgets/CheckItem.h"

#include <algorithm>

#include "ui/UiInput.h"
#include "ui/UiToolkit.h"

namespace {

constexpr int kBoxSize = 12;
constexpr int kItemHeight = 16;
// The caption starts this far right of the widget's left edge.
constexpr int kCaptionOffset = 17;
// Wrapped captions grow this far above and below the widget's 16 rows.
constexpr int kWrapMargin = 7;

}  // namespace

CheckItem::CheckItem(UiElement* parent, int x, int y, const char* caption, bool keepBackground,
                     int wrapWidth)
    : TextItem(parent, x, y, kCaptionOffset, kItemHeight, nullptr),
      keepBackground_(keepBackground),
      wrapWidth_(wrapWidth) {
  CheckItem::SetText(caption);
}

void CheckItem::SetText(const char* caption) {
  SetCaption(caption);
  Layout();
}

void CheckItem::Layout() {
  const std::string text = GetText() != nullptr ? GetText() : "";
  firstLine_ = text;
  secondLine_.clear();
  if (UiTextWidth(text.data(), static_cast<int>(text.size())) > wrapWidth_) {
    // Break at the last space that lets the first line fit; a caption without such a space
    // stays on one line.
    for (std::size_t space = text.rfind(' '); space != std::string::npos && space > 0;
         space = text.rfind(' ', space - 1)) {
      if (UiTextWidth(text.data(), static_cast<int>(space)) <= wrapWidth_) {
        firstLine_ = text.substr(0, space);
        secondLine_ = text.substr(space + 1);
        break;
      }
    }
  }
  const int widest =
      std::max(UiTextWidth(firstLine_.data(), static_cast<int>(firstLine_.size())),
               UiTextWidth(secondLine_.data(), static_cast<int>(secondLine_.size())));
  width_ = kCaptionOffset + widest + 2;
}

void CheckItem::Redraw() {
  Draw();
  dirty_ = true;
}

void CheckItem::HandleEvent() {
  if (UiBlockedByMenu(*this) || disabled_) return;
  HandleMouse();
  if (focus_ != kUiNoFocus) HandleKey();
  HandleMnemonic();
}

void CheckItem::HandleMouse() {
  const bool over = UiMouseOver(*this);
  switch (UiTrackLeftButton(over, &focus_, &pressed_)) {
    case UiPress::kPressed:
      Redraw();
      UiRaise(EV_PRESSED, id_);
      return;
    case UiPress::kReleasedOver:
      Change();
      UiRaise(EV_CLICKED, id_);
      Redraw();
      return;
    case UiPress::kNone:
      break;
    default:
      Redraw();
      return;
  }
  if (UiInput.mouseState == MS_RIGHT_PRESSED && over) UiRaise(EV_RIGHT_CLICKED, id_);
}

void CheckItem::HandleMnemonic() {
  const bool typed =
      UiInput.event == EV_NONE && UiInput.keyState == KS_CHAR && mnemonic_.Matches(UiInput.keyChar);
  // Alt with the letter arrives as a system key whose code sits in timerId.
  const bool withAlt = UiInput.event == EV_SYSKEY && UiInput.sysKeyPending == EV_SYSKEY &&
                       mnemonic_.Matches(static_cast<std::uint8_t>(UiInput.timerId & 0xFF));
  if (!typed && !withAlt) return;
  focus_ = kUiKeyboardFocus;
  Change();
  UiRaise(EV_PRESSED, id_);
  Redraw();
}

void CheckItem::Hide() {
  TextItem::Hide();
  background_.Forget();
}

Color CheckItem::IndicatorFace() const {
  return pressed_ || disabled_ ? UiColour(kUiColourFace) : UiColour(kUiColourLightEdge);
}

void CheckItem::DrawSquareBevel() const {
  const int right = x_ + kBoxSize - 1;
  const int bottom = y_ + kBoxSize - 1;
  UiFill(x_, y_, right, bottom, IndicatorFace());
  UiHLine(x_, right, y_, UiColour(kUiColourDarkEdge));
  UiVLine(x_, y_, bottom, UiColour(kUiColourDarkEdge));
  UiHLine(x_ + 1, right - 1, y_ + 1, UiColour(kUiColourDarkestEdge));
  UiVLine(x_ + 1, y_ + 1, bottom - 1, UiColour(kUiColourDarkestEdge));
  UiHLine(x_, right, bottom, UiColour(kUiColourLightEdge));
  UiVLine(right, y_, bottom, UiColour(kUiColourLightEdge));
  UiHLine(x_ + 1, right - 1, bottom - 1, UiColour(kUiColourFace));
  UiVLine(right - 1, y_ + 1, bottom - 1, UiColour(kUiColourFace));
}

void CheckItem::Draw() {
  UiSelectDrawingBuffer();
  const int margin = wrapWidth_ != kUiNoWrap ? kWrapMargin : 0;
  const int top = y_ - margin;
  const int bottom = y_ + height_ + margin;
  if (keepBackground_) {
    // The caption sits on the dialog's own picture: take that picture once, and put it back
    // before every later drawing so that old marks and letters vanish.
    if (!background_.Restore()) background_.Save(x_, x_ + width_, top, bottom);
  } else {
    UiFill(x_, top, x_ + width_, bottom, UiColour(kUiColourFace));
  }
  DrawIndicator();
  DrawCaption();
  UiAddDirtyRect(x_, x_ + width_, top, bottom);
}

void CheckItem::DrawCaption() const {
  const Color colour = disabled_ ? UiColour(kUiColourDarkEdge) : UiColour(kUiColourText);
  const int left = x_ + kCaptionOffset;
  const int centre = y_ + kBoxSize / 2;
  const bool wrapped = !secondLine_.empty();
  const int firstCentre = wrapped ? centre - kWrapMargin : centre;
  UiDrawText(left, firstCentre, firstLine_.data(), static_cast<int>(firstLine_.size()), colour, -1,
             0);
  if (wrapped) {
    UiDrawText(left, centre + kWrapMargin, secondLine_.data(), static_cast<int>(secondLine_.size()),
               colour, -1, 0);
  }
  UiUnderlineCharacter(left, firstCentre, firstLine_.data(), static_cast<int>(firstLine_.size()),
                       mnemonic_.index, -1, 0, UiUseDialogFont(), colour);
  if (focus_ != kUiNoFocus) {
    GfxSetColor(UiColour(kUiColourDarkestEdge));
    const int extra = wrapped ? kWrapMargin : 0;
    UiDottedRect(left - 2, y_ - extra, x_ + width_ - 1, y_ + height_ - 2 + extra);
  }
}
