// A dialog that holds one of every widget of the toolkit.
#include "app/WidgetGallery.h"

#include "gfx/art/ArtworkSet.h"
#include "ui/UiInput.h"
#include "ui/UiMessageBox.h"
#include "ui/widgets/BevelButton.h"
#include "ui/widgets/CheckBox.h"
#include "ui/widgets/ComboBox.h"
#include "ui/widgets/EditField.h"
#include "ui/widgets/GroupBox.h"
#include "ui/widgets/ImageButton.h"
#include "ui/widgets/Label.h"
#include "ui/widgets/RadioButton.h"
#include "ui/widgets/RadioGroup.h"
#include "ui/widgets/SpinBox.h"
#include "ui/widgets/TextButton.h"

namespace {
constexpr int kWidth = 520;
constexpr int kHeight = 400;
constexpr const char* kThemeNames[] = {"Burgundy velvet", "Green felt",      "Midnight velvet",
                                       "Teal felt",       "Amethyst velvet", "Onyx velvet"};
}  // namespace

WidgetGallery::WidgetGallery(int playerButtonImage) : UiDialog(0, 0, kWidth, kHeight, "Widgets") {
  Center();
  const int skin = DialogSkinBuffer();

  MakeChild<GroupBox>(20, 50, 230, 92, "Deal", 0x1u);
  auto* deal = MakeChild<RadioGroup>(34, 74);
  deal->MakeChild<RadioButton>(0, 0, "Draw &one card", true, 800);
  auto* three = deal->MakeChild<RadioButton>(0, 26, "Draw &three cards", true, 800);
  deal->SelectChild(three);

  autoGameOver_ = MakeChild<CheckBox>(24, 156, "&Auto Game Over", true, 800);
  autoGameOver_->SetSelected(true);
  MakeChild<CheckBox>(24, 182, "So&und effects", true, 800);

  MakeChild<Label>(270, 56, -1, "One of every widget,", "in the theme's colours.");
  themes_ = MakeChild<ComboBox>(270, 104, 200, 24);
  for (const char* name : kThemeNames) themes_->AddItem(name);
  themes_->SetSelection(0);
  passes_ = MakeChild<SpinBox>(350, 150, 40, "Passes:");
  passes_->SetRange(1, 9, 1);
  passes_->SetValue(3);

  name_ = MakeChild<EditField>(110, 226, 300, 100, "&Name:");
  name_->SetText("Velvet");

  MakeChild<BevelButton>(24, 282, 110, 28, "Bevel");
  MakeChild<ImageButton>(150, 270, 84, 54, playerButtonImage, 0, 54, 84, 54, 168, 54, 168, 54);
  message_ = MakeChild<TextButton>(260, 282, 110, 30, skin, "&Message...");

  ok_ = MakeChild<TextButton>(kWidth / 2 - 130, kHeight - 56, 110, 30, skin, "OK");
  cancel_ = MakeChild<TextButton>(kWidth / 2 + 20, kHeight - 56, 110, 30, skin, "Cancel");
}

bool WidgetGallery::Poll() {
  PollWidgets();
  if (UiInput.event == EV_CLICKED) {
    if (ok_ && UiInput.subject == ok_->GetId()) result = 1;
    if (cancel_ && UiInput.subject == cancel_->GetId()) result = 2;
    if (message_ && UiInput.subject == message_->GetId()) {
      UiMessageBox box(this, "Widgets", kUiMbYesNo, "Do the widgets look right?");
      box.DoModal();
    }
  }
  if (result == 0 && EscapePressed()) result = 2;
  return result != 0;
}
