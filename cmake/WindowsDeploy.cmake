# What a Windows machine without Qt needs beside kaviewer.exe, laid out by `cmake --install` and
# zipped by `cpack` as kaviewer-<version>-win64.zip (packaging/windows.sh also makes the installer
# of it): the Qt DLLs it links, the Windows platform plugin, the windowsvista style, the JPEG
# plugin for export, Qt's own Chinese texts and the MinGW runtime. Qt looks for plugins beside the
# program, so no qt.conf is needed.

get_filename_component(ka_qt_prefix "${Qt5Core_DIR}/../../.." ABSOLUTE)
install(FILES
  $<TARGET_FILE:Qt5::Core> $<TARGET_FILE:Qt5::Gui> $<TARGET_FILE:Qt5::Widgets> $<TARGET_FILE:Qt5::SerialPort>
  DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${ka_qt_prefix}/plugins/platforms/qwindows.dll DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
install(FILES ${ka_qt_prefix}/plugins/imageformats/qjpeg.dll DESTINATION ${CMAKE_INSTALL_BINDIR}/imageformats)
include(${CMAKE_CURRENT_LIST_DIR}/WindowsStyle.cmake)

# Qt's dialogs and buttons in Chinese: Debian's qttranslations5-l10n holds the same release's file.
set(KA_QT_TRANSLATIONS /usr/share/qt5/translations CACHE PATH "Qt's own translations (Debian's qttranslations5-l10n)")
if(NOT EXISTS ${KA_QT_TRANSLATIONS}/qtbase_zh_CN.qm)
  message(FATAL_ERROR "${KA_QT_TRANSLATIONS}/qtbase_zh_CN.qm not found: install the Debian package qttranslations5-l10n")
endif()
install(FILES ${KA_QT_TRANSLATIONS}/qtbase_zh_CN.qm DESTINATION ${CMAKE_INSTALL_BINDIR}/translations)

foreach(dll libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE ka_dll OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${ka_dll}" OR NOT EXISTS "${ka_dll}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
  endif()
  install(FILES ${ka_dll} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win64)
include(CPack)
