// Loading and drawing of the sprite buttons.
#include "ui/widgets/SpriteButton.h"

#include <cstddef>

#include "gfx/image/SprReader.h"
#include "platform/DataDir.h"
#include "platform/FileBytes.h"

namespace {
// Sprites are a few dozen bytes; anything far larger is not one of ours and is refused unread.
constexpr std::size_t kLargestSprite = 1 << 16;
}  // namespace

SpriteButton::SpriteButton(UiElement* parent, int x, int y, int width, int height,
                           const char* normalFile, int normalWidth, int normalHeight,
                           const char* pressedFile, int pressedWidth, int pressedHeight)
    : BevelButton(parent, x, y, width, height, nullptr),
      normalSprite_(Load(normalFile, normalWidth, normalHeight)),
      pressedSprite_(Load(pressedFile, pressedWidth, pressedHeight)) {}

SpriteButton::Sprite SpriteButton::Load(const char* fileName, int width, int height) {
  Sprite sprite;
  if (fileName == nullptr || width <= 0 || height <= 0) return sprite;
  // Read once here, so that holding an arrow down never goes back to the disk.
  if (ReadFileBytes(MediaPath(fileName).c_str(), kLargestSprite, sprite.data) !=
      FileBytesStatus::kOk) {
    return sprite;
  }
  sprite.width = width;
  sprite.height = height;
  return sprite;
}

void SpriteButton::DrawSprite(const Sprite& sprite) const {
  if (sprite.data.empty()) return;
  const int left = x_ + (width_ - sprite.width) / 2;
  const int top = y_ + (height_ - sprite.height) / 2;
  // Sprites are drawn upwards from their bottom row.
  GfxMove(left, top + sprite.height - 1);
  GfxShowSPR(sprite.data.data(), sprite.data.size(), sprite.width);
}

void SpriteButton::DrawContent() const {
  DrawSprite(pressed_ && !disabled_ ? pressedSprite_ : normalSprite_);
}
