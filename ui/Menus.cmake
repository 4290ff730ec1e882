# The in-game menus: the bar, its titles and items, the drop-down lists, and the game's own bar.
target_sources(qs_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/DropDown.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GameMenuBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MenuBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MenuEntry.cpp
)
