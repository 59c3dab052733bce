# Files of find/: pure logic in ZELL_CORE_SOURCES, widget code in ZELL_GUI_SOURCES.
list(APPEND ZELL_CORE_SOURCES
  find/name_filter.cpp
  find/search.cpp
)
list(APPEND ZELL_GUI_SOURCES
  find/find_bar.cpp
  find/find_commands.cpp
  find/name_chooser.cpp
)
