// The base of every widget that shows a caption: it keeps an owned, length-limited copy of the
// text and the mnemonic marked in it with an ampersand.
#pragma once

#include <cstdint>
#include <string>

#include "ui/UiWidget.h"

// The letter of a caption that selects its widget from the keyboard, with its other-case twin.
struct UiMnemonic {
  // Index of the character in the stored caption; -1 when the caption has none.
  int index = -1;
  std::uint8_t character = 0;
  std::uint8_t twin = 0;

  bool Matches(std::uint8_t c) const {
    return index >= 0 && c != 0 && (c == character || c == twin);
  }
};

// Removes the ampersand that marks the mnemonic from caption and reports the character after it
// (a caption without an ampersand, or ending in one, has no mnemonic). The result is cut to the
// widgets' text limit; a null caption gives an empty string.
std::string UiStripMnemonic(const char* caption, UiMnemonic* mnemonic);

class TextItem : public UiWidget {
public:
  TextItem(UiElement* parent, int x, int y, int width, int height, const char* text);

  // Keeps a copy cut to the widgets' text limit.
  void SetText(const char* text) override;

  const UiMnemonic& GetMnemonic() const { return mnemonic_; }

protected:
  // Stores a caption without its ampersand and remembers its mnemonic.
  void SetCaption(const char* caption);

  UiMnemonic mnemonic_;
};
