# What `cmake --install` lays out: the program with its fonts folder beside it.
include(GNUInstallDirs)
install(TARGETS kaviewer RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${KA_FONT_DIR} DESTINATION ${CMAKE_INSTALL_BINDIR})
