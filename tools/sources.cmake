# Files of tools/: pure logic in ZELL_CORE_SOURCES, widget code in ZELL_GUI_SOURCES.
list(APPEND ZELL_CORE_SOURCES
  tools/data_blocks.cpp
  tools/comments.cpp
  tools/preferences_model.cpp
  tools/print_layout.cpp
  tools/line_numbers.cpp
  tools/line_scan.cpp
  tools/merge.cpp
  tools/variable_report.cpp
  tools/report_reader.cpp
  tools/report_tokens.cpp
  tools/transform.cpp
  tools/block_rules.cpp
)
list(APPEND ZELL_GUI_SOURCES
  tools/merge_report_commands.cpp
  tools/program_tool_commands.cpp
  tools/file_commands.cpp
  tools/preferences_window.cpp
  tools/print_command.cpp
  tools/transform_commands.cpp
)
