# Files of analysis/: pure logic in ZELL_CORE_SOURCES, widget code in ZELL_GUI_SOURCES.
list(APPEND ZELL_CORE_SOURCES
  analysis/blocks.cpp
  analysis/code_tokens.cpp
  analysis/declarations.cpp
  analysis/keyword_set.cpp
  analysis/outline.cpp
  analysis/play.cpp
  analysis/program_reader.cpp
  analysis/queries.cpp
  analysis/record_reader.cpp
  analysis/rename.cpp
  analysis/resolve.cpp
  analysis/statements.cpp
)
list(APPEND ZELL_GUI_SOURCES
  analysis/analysis_commands.cpp
  analysis/analysis_view.cpp
)
