# The in-game menus, driven turn by turn like the game's loop drives them, and the game's menu bar
# drawn with the real artwork against a golden image (tests/golden/ui). After a deliberate change
# to the look, rewrite it with QS_UPDATE_GOLDEN=1 ctest -R test_menus and look at the PNG first.

qs_add_test(test_menus
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/MenuTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MenuGoldenTest.cpp
  LIBS qs_ui qs_artwork qs_test_artwork
  LABELS ui)
