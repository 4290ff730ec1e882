// The paged viewer of a game's rules text from the help file: labels in a narrow left column,
// the text beside them, and "<<" and ">>" to turn the pages when there is more than one.
#pragma once

#include "dialogs/HelpText.h"
#include "ui/UiDialog.h"

class TextButton;

class RuleHelpDialog : public UiDialog {
public:
  // An empty section gives an empty viewer with only "OK".
  explicit RuleHelpDialog(HelpSection section);

  void Draw() override;
  // OK: kDialogResultOk. The page buttons turn the page and redraw it.
  bool Poll() override;

  int GetPage() const { return page_; }
  int GetPageCount() const { return section_.PageCount(); }
  const HelpSection& GetSection() const { return section_; }
  TextButton* GetOkButton() const { return okButton_; }
  // Both null with fewer than two pages.
  TextButton* GetPreviousButton() const { return previousButton_; }
  TextButton* GetNextButton() const { return nextButton_; }

private:
  void TurnTo(int page);
  void DrawPage() const;

  HelpSection section_;
  int page_ = 0;
  TextButton* okButton_ = nullptr;
  TextButton* previousButton_ = nullptr;
  TextButton* nextButton_ = nullptr;
};

// Loads the section of gameTitle from the installed help file and runs the viewer. Returns the
// dialog's result.
int RunRuleHelp(const char* gameTitle);
