// The dialog that asks who is playing: a name field and the "don't show at startup" switch. The
// caller hands in the name and switch it knows and reads them back once the dialog is confirmed.
#pragma once

#include <optional>
#include <string>

#include "persist/Preferences.h"
#include "ui/UiDialog.h"

class CheckBox;
class EditField;
class TextButton;

class PlayerSelectDialog : public UiDialog {
public:
  PlayerSelectDialog(const char* playerName, bool dontShowAgain);

  // OK with a name, or Enter in the field: kDialogResultOk. An empty name is refused with a
  // message box and the dialog stays open. Cancel or Escape: kDialogResultCancel.
  bool Poll() override;

  // What the player confirmed; the values handed in until OK has been accepted.
  const std::string& GetPlayerName() const { return playerName_; }
  bool GetDontShowAgain() const { return dontShowAgain_; }

  // The widgets, for whoever drives the dialog without a player.
  EditField* GetNameField() const { return nameField_; }
  CheckBox* GetDontShowBox() const { return dontShowBox_; }
  TextButton* GetOkButton() const { return okButton_; }
  TextButton* GetCancelButton() const { return cancelButton_; }

private:
  void Accept();

  EditField* nameField_ = nullptr;
  CheckBox* dontShowBox_ = nullptr;
  TextButton* okButton_ = nullptr;
  TextButton* cancelButton_ = nullptr;
  std::string playerName_;
  bool dontShowAgain_ = false;
};

// The player-select step of the start-up and of the title screen's player button: the dialog
// run over the current name and flag; nothing when the player cancels.
std::optional<PlayerChoice> RunPlayerSelectDialog(const std::string& name, bool dontShowAgain);
