# What `cmake --install` puts where, as a desktop expects it (paths below the prefix):
#   bin/zelledit                                       the program
#   share/zelledit/Zellcmndlist.dat, Zellhelp.dat      the keyword file and keyword help file
#   share/applications/com.brevant.zelledit.desktop    the menu entry, opening files of its types
#   share/metainfo/com.brevant.zelledit.metainfo.xml   what software centres show
#   share/mime/packages/zelledit.xml                   the file type of Maximite BASIC programs
#   share/icons/hicolor/<n>x<n>/apps/zelledit.png      the icon, 16 to 256 pixels, and
#   share/icons/hicolor/scalable/apps/zelledit.svg     the scalable one
#   share/man/man1/zelledit.1                          the manual page
include(GNUInstallDirs)
install(TARGETS zelledit RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES resources/Zellcmndlist.dat resources/Zellhelp.dat
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zelledit)
install(FILES resources/com.brevant.zelledit.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/com.brevant.zelledit.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES resources/zelledit-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME zelledit.xml)
install(DIRECTORY resources/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons
        FILES_MATCHING PATTERN "zelledit.png" PATTERN "zelledit.svg")
install(FILES resources/zelledit.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
