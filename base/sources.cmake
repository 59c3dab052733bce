# Files of base/: the layer below every subsystem (files, text conversion, small text helpers,
# the settings record). All of it is pure logic, free of Qt widgets.
list(APPEND ZELL_CORE_SOURCES
  base/file_io.cpp
  base/folders.cpp
  base/ini_file.cpp
  base/safe_write.cpp
  base/settings_file.cpp
  base/text_conversion.cpp
)
