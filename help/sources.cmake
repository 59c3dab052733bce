# Files of help/: pure logic in ZELL_CORE_SOURCES, widget code in ZELL_GUI_SOURCES.
list(APPEND ZELL_CORE_SOURCES
  help/call_tips.cpp
  help/completion.cpp
  help/external_links.cpp
  help/keyword_help.cpp
)
list(APPEND ZELL_GUI_SOURCES
  help/editor_help.cpp
  help/help_commands.cpp
  help/help_files.cpp
  help/help_window.cpp
)
