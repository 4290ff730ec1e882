// The general-purpose message box: a caption, one line of text and a set of buttons chosen by
// style bits, answering with the result of the button the player chose.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "ui/UiDialog.h"

class TextButton;

// Style bits: which buttons the box offers.
inline constexpr std::uint32_t kUiMbOk = 0x10;
inline constexpr std::uint32_t kUiMbClose = 0x20;
inline constexpr std::uint32_t kUiMbOkCancel = 0x40;
inline constexpr std::uint32_t kUiMbYesNo = 0x100;
// Reserved for three-button boxes; no buttons are built for them.
inline constexpr std::uint32_t kUiMbThreeButtons = 0x80;
inline constexpr std::uint32_t kUiMbYesNoCancel = 0x200;
inline constexpr std::uint32_t kUiMbYesNoThird = 0x400;

// Results.
inline constexpr int kUiResultNone = 0;
inline constexpr int kUiResultOk = 1;
inline constexpr int kUiResultClose = 2;
inline constexpr int kUiResultCancel = 3;
inline constexpr int kUiResultThird = 4;
inline constexpr int kUiResultYes = 5;
inline constexpr int kUiResultNo = 6;

class UiMessageBox : public UiDialog {
public:
  // parent is accepted for the callers' sake and ignored: a dialog stands alone. The box is as
  // wide as its text needs (at least 165 pixels) and centred on the screen.
  UiMessageBox(UiElement* parent, const char* caption, std::uint32_t style, const char* text);

  // Builds the buttons of the style, then shows the box.
  void Show() override;
  // Hides the box and destroys its buttons; a later Show builds them again.
  void Hide() override;
  void Draw() override;
  bool Poll() override;

  const std::string& GetMessageText() const { return message_; }
  // The button in slot 0 to 2, null when the style has none there or it could not be built.
  TextButton* GetButton(int slot) const;

private:
  void BuildButtons();
  void DestroyButtons();
  // The result a click on the button in this slot gives; 0 when the slot gives none.
  int ClickResult(int slot) const;
  int EscapeResult() const;

  std::string message_;
  std::array<TextButton*, 3> buttons_{};
};
