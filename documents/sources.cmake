# Files of documents/: pure logic in ZELL_CORE_SOURCES, widget code in ZELL_GUI_SOURCES.
list(APPEND ZELL_CORE_SOURCES
  documents/line_ends.cpp
  documents/recent_files.cpp
  documents/name_index.cpp
  documents/name_scan.cpp
  documents/tabbar.cpp
  documents/tabbar_layout.cpp
  documents/tabbar_mouse.cpp
  documents/recovery_file.cpp
  documents/disk_stamp.cpp
)
list(APPEND ZELL_GUI_SOURCES
  documents/tabbar_paint.cpp
  documents/tabbar_widget.cpp
  documents/document_commands.cpp
  documents/opening.cpp
  documents/recent_commands.cpp
  documents/tab_state.cpp
  documents/recovery.cpp
  documents/disk_watch.cpp
  documents/interrupted_saves.cpp
  documents/name_refresh.cpp
  documents/jumps.cpp
  documents/navigation.cpp
  documents/status_line.cpp
  documents/saving.cpp
  documents/workspace.cpp
  documents/document_events.cpp
)
