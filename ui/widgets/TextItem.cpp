// Caption storage and mnemonic parsing shared by the text widgets and the menu entries.
#include "ui/widgets/TextItem.h"

#include <cctype>
#include <cstring>

#include "ui/widgets/WidgetSupport.h"

std::string UiStripMnemonic(const char* caption, UiMnemonic* mnemonic) {
  UiMnemonic found;
  std::string out;
  if (caption != nullptr) {
    const std::size_t length = std::strlen(caption);
    out.reserve(length < kUiTextLimit ? length : kUiTextLimit);
    for (std::size_t i = 0; i < length && out.size() < kUiTextLimit; ++i) {
      if (caption[i] == '&' && found.index < 0 && i + 1 < length) {
        const auto c = static_cast<std::uint8_t>(caption[i + 1]);
        found.index = static_cast<int>(out.size());
        found.character = c;
        if (std::islower(c) != 0) {
          found.twin = static_cast<std::uint8_t>(std::toupper(c));
        } else if (std::isupper(c) != 0) {
          found.twin = static_cast<std::uint8_t>(std::tolower(c));
        } else {
          found.twin = c;
        }
        continue;
      }
      out.push_back(caption[i]);
    }
  }
  // A mnemonic cut off with the end of a long caption cannot be underlined or typed.
  if (found.index >= static_cast<int>(out.size())) found = UiMnemonic{};
  if (mnemonic != nullptr) *mnemonic = found;
  return out;
}

TextItem::TextItem(UiElement* parent, int x, int y, int width, int height, const char* text)
    : UiWidget(parent, x, y, width, height) {
  TextItem::SetText(text);
}

void TextItem::SetText(const char* text) {
  if (text == nullptr) {
    UiWidget::SetText(nullptr);
    return;
  }
  const std::size_t length = std::strlen(text);
  if (length <= kUiTextLimit) {
    UiWidget::SetText(text);
  } else {
    const std::string cut(text, kUiTextLimit);
    UiWidget::SetText(cut.c_str());
  }
}

void TextItem::SetCaption(const char* caption) {
  const std::string stripped = UiStripMnemonic(caption, &mnemonic_);
  UiWidget::SetText(caption != nullptr ? stripped.c_str() : nullptr);
}
