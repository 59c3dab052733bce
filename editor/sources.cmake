# Files of editor/: pure logic in ZELL_CORE_SOURCES, widget code in ZELL_GUI_SOURCES.
list(APPEND ZELL_CORE_SOURCES
  editor/editor_record.cpp
  editor/line_styler.cpp
  editor/statement_reader.cpp
  editor/names.cpp
  editor/tokens.cpp
  editor/word_table.cpp
)
list(APPEND ZELL_GUI_SOURCES
  editor/colouring.cpp
  editor/editor_accessibility.cpp
  editor/editor_config.cpp
  editor/edit_commands.cpp
  editor/editor_widget.cpp
  editor/typing_aids.cpp
  editor/view_options.cpp
)
