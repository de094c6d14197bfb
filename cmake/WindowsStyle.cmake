# Qt's windowsvista style plugin, which gives message boxes, menus and dialogs the look of Windows 10
# and 11. The Qt SDK comes without it, so it is built here from the source in Debian's qtbase
# package of the same release (packaging/windows/fetch-style-source.sh unpacks it into the build
# folder and names it in KA_QT_STYLE_SOURCE), against the SDK's private QtWidgets headers.
set(KA_QT_STYLE_SOURCE "" CACHE PATH "Qt's src/plugins/styles/windowsvista from qtbase 5.15.8")
set(ka_style_source ${KA_QT_STYLE_SOURCE})
if(NOT EXISTS "${ka_style_source}/windowsvistastyle.json")
  message(FATAL_ERROR "KA_QT_STYLE_SOURCE must name the windowsvista style's source (packaging/windows/fetch-style-source.sh)")
endif()

add_library(qwindowsvistastyle MODULE
  ${ka_style_source}/main.cpp
  ${ka_style_source}/qwindowsvistastyle.cpp
  ${ka_style_source}/qwindowsvistastyle_p.h
  ${ka_style_source}/qwindowsvistastyle_p_p.h
  ${ka_style_source}/qwindowsxpstyle.cpp
  ${ka_style_source}/qwindowsxpstyle_p.h
  ${ka_style_source}/qwindowsxpstyle_p_p.h)
# It links Windows' own libraries by name, which are no targets of ours.
set_target_properties(qwindowsvistastyle PROPERTIES
  PREFIX ""
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/styles
  LINK_LIBRARIES_ONLY_TARGETS OFF)
target_compile_definitions(qwindowsvistastyle PRIVATE QT_PLUGIN QT_NO_DEBUG UNICODE _UNICODE)
target_include_directories(qwindowsvistastyle PRIVATE ${Qt5Widgets_PRIVATE_INCLUDE_DIRS})
# Qt's own source, built as Qt builds it; its warnings are Qt's to fix.
target_compile_options(qwindowsvistastyle PRIVATE -w)
target_link_libraries(qwindowsvistastyle PRIVATE Qt5::Widgets uxtheme gdi32 user32)
install(TARGETS qwindowsvistastyle LIBRARY DESTINATION ${CMAKE_INSTALL_BINDIR}/styles)
