// The player-select dialog: its widgets, and the refusal of an empty name.
#include "dialogs/PlayerSelectDialog.h"

#include "dialogs/DialogResults.h"
#include "gfx/art/ArtworkSet.h"
#include "ui/UiInput.h"
#include "ui/UiMessageBox.h"
#include "ui/widgets/CheckBox.h"
#include "ui/widgets/CheckItem.h"
#include "ui/widgets/EditField.h"
#include "ui/widgets/TextButton.h"

namespace {

constexpr int kLeft = 200;
constexpr int kTop = 210;
constexpr int kWidth = 400;
constexpr int kHeight = 180;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 30;
constexpr int kButtonTop = 130;
// The two buttons split the width into thirds around them.
constexpr int kOkLeft = (kWidth - 2 * kButtonWidth) / 3;
constexpr int kCancelLeft = (2 * kWidth - 4 * kButtonWidth) / 3 + kButtonWidth;

}  // namespace

PlayerSelectDialog::PlayerSelectDialog(const char* playerName, bool dontShowAgain)
    : UiDialog(kLeft, kTop, kWidth, kHeight, "Select a player name") {
  // Made first, the name field holds the focus when the dialog opens: the player types at once
  // and Enter accepts.
  nameField_ = MakeChild<EditField>(155, 60, 180, kEditFieldCapacity, "Player Name");
  nameField_->SetText(playerName != nullptr ? playerName : "");
  dontShowBox_ = MakeChild<CheckBox>(48, 100, "&Don't show at startup again.", true, kUiNoWrap);
  dontShowBox_->SetSelected(dontShowAgain);
  const int skin = DialogSkinBuffer();
  okButton_ = MakeChild<TextButton>(kOkLeft, kButtonTop, kButtonWidth, kButtonHeight, skin, "OK");
  cancelButton_ =
      MakeChild<TextButton>(kCancelLeft, kButtonTop, kButtonWidth, kButtonHeight, skin, "Cancel");
  playerName_ = nameField_->GetText() != nullptr ? nameField_->GetText() : "";
  dontShowAgain_ = dontShowAgain;
}

void PlayerSelectDialog::Accept() {
  const char* typed = nameField_->GetText();
  if (typed == nullptr || typed[0] == '\0') {
    // The box runs its own loop on top of this one; the key or click that closes it is gone
    // when it returns, so this dialog stays open for the name.
    UiMessageBox box(nullptr, "Player Select", kUiMbOk, "You must enter a name.");
    box.DoModal();
    return;
  }
  playerName_ = typed;
  dontShowAgain_ = dontShowBox_->IsSelected();
  result = kDialogResultOk;
}

bool PlayerSelectDialog::Poll() {
  PollWidgets();
  if (UiInput.event == EV_CLICKED) {
    const int subject = UiInput.subject;
    if (subject == okButton_->GetId() || subject == nameField_->GetId()) {
      Accept();
    } else if (subject == cancelButton_->GetId()) {
      result = kDialogResultCancel;
    }
  }
  if (result == 0 && EscapePressed()) result = kDialogResultCancel;
  return result != 0;
}

std::optional<PlayerChoice> RunPlayerSelectDialog(const std::string& name, bool dontShowAgain) {
  PlayerSelectDialog dialog(name.c_str(), dontShowAgain);
  if (dialog.DoModal() != kDialogResultOk) return std::nullopt;
  return PlayerChoice{dialog.GetPlayerName(), dialog.GetDontShowAgain()};
}
