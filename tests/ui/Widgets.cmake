# The widgets, driven through recorded messages on a headless graphics layer.
qs_add_test(test_widgets
  SOURCES
    WidgetsButtonTest.cpp
    WidgetsChoiceTest.cpp
    WidgetsComboTest.cpp
    WidgetsEditTest.cpp
    WidgetsSpinTest.cpp
  LIBS qs_ui qs_artwork
  LABELS ui)
