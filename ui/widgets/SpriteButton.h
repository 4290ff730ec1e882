// A bevelled button that shows a small SPR picture instead of a caption (the spin box arrows).
#pragma once

#include <cstdint>
#include <vector>

#include "ui/widgets/BevelButton.h"

class SpriteButton : public BevelButton {
public:
  // The sprite files are media names; a file that cannot be read leaves that look blank.
  SpriteButton(UiElement* parent, int x, int y, int width, int height, const char* normalFile,
               int normalWidth, int normalHeight, const char* pressedFile, int pressedWidth,
               int pressedHeight);

  bool HasSprites() const { return !normalSprite_.data.empty() && !pressedSprite_.data.empty(); }

protected:
  void DrawContent() const override;

private:
  struct Sprite {
    std::vector<std::uint8_t> data;
    int width = 0;
    int height = 0;
  };
  static Sprite Load(const char* fileName, int width, int height);
  void DrawSprite(const Sprite& sprite) const;

  Sprite normalSprite_;
  Sprite pressedSprite_;
};
