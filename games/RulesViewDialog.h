// The small read-only view of a game's current rule settings (the View menu's Rules item): one
// line per setting, and OK.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/UiDialog.h"

class TextButton;

// Every rules view is this wide; its height depends on how many lines the game has.
inline constexpr int kRulesViewWidth = 400;

// Where one game's view stands and what it lists.
struct RulesViewLayout {
  const char* title;
  int x, y, height;
  // The lines, top to bottom, read from the settings store each time the view is drawn.
  std::function<std::vector<std::string>()> lines;
};

class RulesViewDialog : public UiDialog {
public:
  explicit RulesViewDialog(RulesViewLayout layout);

  void Draw() override;
  // OK (or Enter, as OK holds the focus): kDialogResultOk.
  bool Poll() override;

  TextButton* GetOkButton() const { return okButton_; }

private:
  void DrawLines() const;

  RulesViewLayout layout_;
  TextButton* okButton_ = nullptr;
};

// Runs the view; returns its result.
int RunRulesView(RulesViewLayout layout);
