// A titled frame drawn around related widgets: etched, sunken or raised, with the title in a
// gap of its top edge.
#pragma once

#include <cstdint>

#include "ui/widgets/StaticWidget.h"
#include "ui/widgets/WidgetSupport.h"

inline constexpr std::uint32_t kGroupBoxEtched = 0x1;
inline constexpr std::uint32_t kGroupBoxSunken = 0x2;
inline constexpr std::uint32_t kGroupBoxRaised = 0x4;

class GroupBox : public StaticWidget {
public:
  // unused is always 1 in the dialogs and changes nothing.
  GroupBox(UiElement* parent, int x, int y, int width, int height, const char* title,
           std::uint32_t frameStyle, int unused = 1);

  void SetText(const char* title) override;
  void Draw() override;
  void Hide() override;

private:
  void DrawFrame() const;
  void DrawTitle();

  std::uint32_t frameStyle_;
  UiSavedPixels titleBackground_;
};
