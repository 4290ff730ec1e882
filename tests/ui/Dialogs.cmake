# The dialog base and the message box, run through their modal loops with queued input, and
# drawn with the generated theme artwork against golden images in tests/golden/ui. Rewrite
# those with QS_UPDATE_GOLDEN=1 ctest -R test_dialogs, and look at every changed PNG.
qs_add_test(test_dialogs
  SOURCES
    UiDialogTest.cpp
    UiMessageBoxTest.cpp
  LIBS qs_ui qs_artwork qs_test_artwork
  LABELS ui)
