// The About box: the product, its version and who made it.
#pragma once

#include <string>

#include "ui/UiDialog.h"

class TextButton;

// Result of the About box's OK.
inline constexpr int kAboutResultOk = 1;

class AboutDialog : public UiDialog {
public:
  AboutDialog();

  void Draw() override;
  // OK (or Enter, as OK holds the focus): kAboutResultOk. Escape does nothing.
  bool Poll() override;

  TextButton* GetOkButton() const { return okButton_; }

private:
  void DrawCredits() const;

  TextButton* okButton_ = nullptr;
};

// "Version 0.1.0": the version of this build, as --version reports it.
std::string AboutVersionLine();

// Runs the About box; returns its result.
int RunAboutDialog();
