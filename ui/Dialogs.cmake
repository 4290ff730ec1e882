# The dialog base with its modal loop, and the message box. Dialogs cut their frames from the
# theme's dialog skin, which the artwork library owns.
target_sources(qs_ui PRIVATE
  UiDialog.cpp
  UiMessageBox.cpp
)
target_link_libraries(qs_ui PUBLIC qs_artwork)
