# What a Windows machine without Qt needs beside kaviewer.exe, laid out by `cmake --install` and
# zipped by `cpack` as kaviewer-<version>-win64.zip: the Qt DLLs it links, the Windows platform
# plugin, the JPEG plugin for export, and the MinGW runtime. Qt looks for plugins beside the
# program, so no qt.conf is needed.

get_filename_component(ka_qt_prefix "${Qt5Core_DIR}/../../.." ABSOLUTE)
install(FILES
  $<TARGET_FILE:Qt5::Core> $<TARGET_FILE:Qt5::Gui> $<TARGET_FILE:Qt5::Widgets> $<TARGET_FILE:Qt5::SerialPort>
  DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${ka_qt_prefix}/plugins/platforms/qwindows.dll DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
install(FILES ${ka_qt_prefix}/plugins/imageformats/qjpeg.dll DESTINATION ${CMAKE_INSTALL_BINDIR}/imageformats)

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
