// The base of every modal dialog: a top-level container cut from the theme's dialog skin, with a
// title plate, save-under while it is open, and its own message loop that runs until a result is
// set.
#pragma once

#include "platform/Messages.h"
#include "ui/UiContainer.h"
#include "ui/UiModal.h"

// Result of a dialog whose loop met the quit message: the program is ending, not the player
// answering.
inline constexpr int kUiDialogQuit = -1;

class UiDialog : public UiContainer {
public:
  // Position and size are absolute; a dialog never has a parent. Every widget built after this
  // writes in the theme's dialog text colour.
  UiDialog(int x, int y, int width, int height, const char* title);

  void Show() override;     // 1
  void Hide() override;     // 2
  void Draw() override;     // 4: frame, widgets, then the whole rectangle is marked
  void Refresh() override;  // 5: the alternative frame only
  // Runs the dialog in the toolkit's modal loop until result is set and returns it
  // (kUiDialogQuit when the program is ending).
  virtual int DoModal();  // 60
  // One turn of the dialog's own logic on the message just recorded; true when it is done.
  virtual bool Poll() = 0;  // 61
  // Copies the skin under the screen rectangle (x, y, width, height) of the dialog back onto it,
  // taken at the same offset from the skin's top-left as the rectangle has from the dialog's, to
  // wipe part of the body before it is drawn anew.
  virtual void PaintSkin(int x, int y, int width, int height);  // 62

  int GetResult() const { return result; }
  int GetBorder() const { return border; }
  int GetTitleLeft() const { return titleLeft; }
  int GetTitleRight() const { return titleRight; }

  // True for the messages a modal loop records and polls (UiIsModalInput).
  static bool IsModalInput(const Message& msg) { return UiIsModalInput(msg); }
  // How many modal loops are running right now (UiModalDepth).
  static int ModalDepth() { return UiModalDepth(); }

protected:
  // The fixed first steps of every Poll: translate this turn's input, then let the widgets
  // handle it. The dialog then reads UiInput.event and UiInput.subject.
  void PollWidgets();
  // True when this turn's key is Escape.
  static bool EscapePressed();

  int result = 0;
  int border = 8;
  int titleLeft = 0;
  int titleRight = 0;
  int titleTop = 0;
  int titleBottom = 0;

private:
  // The frame, the title band and the lettered title; `alternative` is the look of Refresh.
  void DrawFrame(bool alternative);
  void DrawTitlePlate(int bottomRow);
  void MarkWhole() const;
};
