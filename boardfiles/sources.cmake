# Files of boardfiles/: the board's files over its console. The protocol core is in
# ZELL_CORE_SOURCES, the panel and its commands in ZELL_GUI_SOURCES.
list(APPEND ZELL_CORE_SOURCES
  boardfiles/board_identity.cpp
  boardfiles/board_listing.cpp
  boardfiles/board_names.cpp
  boardfiles/board_origin.cpp
  boardfiles/board_queue.cpp
  boardfiles/board_step.cpp
)
list(APPEND ZELL_GUI_SOURCES
  boardfiles/board_backup.cpp
  boardfiles/board_capture.cpp
  boardfiles/board_file_operations.cpp
  boardfiles/board_files.cpp
  boardfiles/board_files_commands.cpp
  boardfiles/board_files_panel.cpp
  boardfiles/board_restore.cpp
  boardfiles/board_working_copy.cpp
)
