// A dialog button (OK, Cancel, ...) drawn from the button faces of the dialog skin, with a
// centred caption whose ampersand marks the key that clicks it.
#pragma once

#include <cstdint>

#include "ui/widgets/PushButton.h"
#include "ui/widgets/TextItem.h"

class TextButton : public PushButton {
public:
  // skin is the graphics-layer buffer holding the dialog skin; caption may carry a mnemonic.
  TextButton(UiElement* parent, int x, int y, int width, int height, int skin, const char* caption);

  void Draw() override;
  // Keeps the caption without its ampersand and takes the new mnemonic.
  void SetText(const char* caption) override;

  const UiMnemonic& GetMnemonic() const { return mnemonic_; }

protected:
  bool IsShortcut(std::uint8_t c) const override { return mnemonic_.Matches(c); }

private:
  void DrawFace() const;
  void DrawCaption() const;

  int skin_;
  UiMnemonic mnemonic_;
};
