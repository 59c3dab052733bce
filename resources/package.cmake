# The Debian package made by `cpack` from an installed build (scripts/package). Its dependencies
# come from the shared libraries the program links (dpkg-shlibdeps), so it installs with apt on
# the Debian release it was built on. The icon cache, the file types and the menu are brought
# up to date by the triggers of the packages that own them; no scripts of our own are needed.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelledit)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Brevant)
set(CPACK_PACKAGE_CONTACT "Zell Edit developers <zelledit@brevant.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for BASIC programs of the Maximite computers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The long description; CPack puts the summary above it and indents it as Debian wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Zell Edit is a programmer's editor for BASIC programs that run on the\n"
    "Maximite family of BASIC microcomputers and on the MMBasic interpreter:\n"
    "programs in tabs, syntax colouring, a list of SUBs, FUNCTIONs and labels,\n"
    "re-indenting by block structure, keyword help, and a terminal for a board\n"
    "on a serial port.")
string(JOIN "" CPACK_DEBIAN_PACKAGE_DESCRIPTION ${CPACK_DEBIAN_PACKAGE_DESCRIPTION})
include(CPack)
