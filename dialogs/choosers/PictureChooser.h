// What the three picture choosers share: a row or grid of samples, the chosen one outlined in the
// card artwork's selection colour, a press inside a sample to propose it, and OK and Cancel.
#pragma once

#include "platform/Screen.h"
#include "ui/UiDialog.h"

class TextButton;

class PictureChooser : public UiDialog {
public:
  // OK (kDialogResultOk) or Cancel (kDialogResultCancel). Escape does nothing; Enter clicks the
  // focused button. A press strictly inside a sample makes it the choice and shows it at once.
  bool Poll() override;
  void Draw() override;

  // The proposal: what OK hands back. Starts as the value the chooser was opened with.
  int GetChoice() const { return choice_; }
  // The sample a press at (x, y) would pick: strictly inside its rectangle; -1 for none.
  int SampleAt(int x, int y) const;
  // Sample i's rectangle in screen pixels; the outline runs three pixels outside it.
  virtual ScreenRect SampleRect(int i) const = 0;
  virtual int SampleCount() const = 0;

  TextButton* GetOkButton() const { return okButton_; }
  TextButton* GetCancelButton() const { return cancelButton_; }

protected:
  // A value outside 0..sampleCount-1 starts at sample 0, so that something is always outlined.
  PictureChooser(int x, int y, int width, int height, const char* title, int initial,
                 int sampleCount);
  virtual void DrawSamples() = 0;

private:
  void DrawOutline() const;

  int choice_ = 0;
  TextButton* okButton_ = nullptr;
  TextButton* cancelButton_ = nullptr;
};

// Screen buffer of the toolkit, where the choosers draw.
int ChooserDrawingBuffer();
// Where the chooser buttons sit in a dialog of this size, relative to the dialog.
ScreenPoint ChooserOkPlace(int width, int height);
ScreenPoint ChooserCancelPlace(int width, int height);
// Makes OK and Cancel, OK first so that it holds the focus when the dialog opens.
void MakeChooserButtons(UiDialog& dialog, TextButton** ok, TextButton** cancel);
