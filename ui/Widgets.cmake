# The widgets: buttons, check boxes, radio groups, frames, labels, the drop-down list, the spin box
# and the edit field. They draw with the theme's pictures and colours, hence the artwork library.
target_sources(qs_ui PRIVATE
  WidgetSupport.cpp
  WidgetArtwork.cpp
  TextItem.cpp
  PushButton.cpp
  TextButton.cpp
  ImageButton.cpp
  CheckItem.cpp
  CheckBox.cpp
  RadioButton.cpp
  RadioGroup.cpp
  StaticWidget.cpp
  GroupBox.cpp
  Label.cpp
  BevelButton.cpp
  SpriteButton.cpp
  EditField.cpp
  ComboBox.cpp
  SpinBox.cpp
)
target_link_libraries(qs_ui PUBLIC qs_artwork)
