# Files of device/: the protocols in ZELL_CORE_SOURCES, the link, panel and dialogs in
# ZELL_GUI_SOURCES.
list(APPEND ZELL_CORE_SOURCES
  device/console_text.cpp
  device/error_capture.cpp
  device/line_origin.cpp
  device/program_sender.cpp
  device/program_transfer.cpp
  device/serial_ports.cpp
  device/terminal_screen.cpp
  device/terminal_sequences.cpp
  device/xmodem.cpp
)
list(APPEND ZELL_GUI_SOURCES
  device/connect_chosen_board.cpp
  device/connect_dialog.cpp
  device/device_errors.cpp
  device/device_local.cpp
  device/device_sending.cpp
  device/device_link.cpp
  device/device_session.cpp
  device/error_log.cpp
  device/error_marks.cpp
  device/local_run.cpp
  device/terminal_panel.cpp
  device/terminal_view.cpp
)
