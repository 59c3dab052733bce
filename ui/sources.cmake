# Files of ui/: pure logic in ZELL_CORE_SOURCES, widget code in ZELL_GUI_SOURCES.
list(APPEND ZELL_CORE_SOURCES
)
list(APPEND ZELL_GUI_SOURCES
  ui/requesters.cpp
  ui/screen_fit.cpp
)
