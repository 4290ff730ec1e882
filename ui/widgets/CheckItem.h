// What check boxes and radio buttons share: the 12-pixel indicator with its caption at the
// right, press-and-release to change, the caption's mnemonic, and drawing over the dialog's own
// picture.
#pragma once

#include <string>

#include "ui/widgets/TextItem.h"
#include "ui/widgets/WidgetSupport.h"

// The width the dialogs pass for captions that must never wrap.
inline constexpr int kUiNoWrap = 800;

class CheckItem : public TextItem {
public:
  // Caption may carry a mnemonic; wrapWidth is the widest a caption line may be, in pixels.
  CheckItem(UiElement* parent, int x, int y, const char* caption, bool keepBackground,
            int wrapWidth);

  void HandleEvent() override;
  void Draw() override;
  void Hide() override;
  // Keeps the caption without its ampersand, takes its mnemonic and fits the width to it.
  void SetText(const char* caption) override;

protected:
  // What a click or the mnemonic does to the mark: a check box flips it, a radio button sets it.
  virtual void Change() = 0;
  // Keys the kind handles itself while it has the focus (Space, arrows).
  virtual void HandleKey() {}
  // Draws the indicator into the 12-pixel square at the widget's top-left corner.
  virtual void DrawIndicator() const = 0;
  // Draws the new look at once and tells the loop that something changed.
  void Redraw();
  // The indicator's face: white, or the face colour while pushed in or greyed out.
  Color IndicatorFace() const;
  void DrawSquareBevel() const;

private:
  void HandleMouse();
  void HandleMnemonic();
  void Layout();
  void DrawCaption() const;

  bool keepBackground_;
  int wrapWidth_;
  std::string firstLine_;
  std::string secondLine_;
  UiSavedPixels background_;
};
