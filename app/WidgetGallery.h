// A dialog that holds one of every widget of the toolkit, for the toolkit demonstration and for
// the golden image that pins how they look together.
#pragma once

#include "ui/UiDialog.h"

class TextButton;
class ComboBox;
class SpinBox;
class EditField;
class CheckBox;

class WidgetGallery : public UiDialog {
public:
  // Centred on the screen. playerButtonImage is the title-button picture (-1 leaves the picture
  // button without artwork).
  explicit WidgetGallery(int playerButtonImage);

  bool Poll() override;

private:
  TextButton* ok_ = nullptr;
  TextButton* cancel_ = nullptr;
  TextButton* message_ = nullptr;
  ComboBox* themes_ = nullptr;
  SpinBox* passes_ = nullptr;
  EditField* name_ = nullptr;
  CheckBox* autoGameOver_ = nullptr;
};
