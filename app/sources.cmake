# Files of app/: pure logic in ZELL_CORE_SOURCES, widget code in ZELL_GUI_SOURCES.
list(APPEND ZELL_CORE_SOURCES
  app/menu_table.cpp
  app/about_text.cpp
  app/command_line.cpp
  app/hand_over.cpp
  app/keyword_file.cpp
)
list(APPEND ZELL_GUI_SOURCES
  app/about.cpp
  app/analysis_command_list.cpp
  app/app.cpp
  app/board_files_command_list.cpp
  app/commands.cpp
  app/device_command_list.cpp
  app/edit_command_list.cpp
  app/find_command_list.cpp
  app/help_command_list.cpp
  app/recent_command_list.cpp
  app/tool_command_list.cpp
  app/main_window.cpp
  app/window_menus.cpp
  app/window_placement.cpp
  app/shell_files.cpp
  app/shutdown.cpp
  app/single_instance.cpp
  app/startup.cpp
  app/view_commands.cpp
)
