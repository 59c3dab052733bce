# Files of device/: the protocols in ZELL_CORE_SOURCES, the serial link and panel in ZELL_GUI_SOURCES.
list(APPEND ZELL_CORE_SOURCES
  device/autosave.cpp
  device/error_capture.cpp
  device/terminal_screen.cpp
  device/xmodem.cpp
)
list(APPEND ZELL_GUI_SOURCES
)
