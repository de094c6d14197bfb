# What `cmake --install` lays out. On Linux the programs live in their own folder with the fonts
# folder beside them (lib/kaviewer), started through links in bin; the Roboto faces are links into
# Debian's fonts-roboto-unhinted, the Chinese face is the extracted file. Elsewhere (Windows) the
# program, kapull and a fonts folder with all three faces go to bin; the demo and the simulator
# need a pseudo-terminal and stay on Linux.
include(GNUInstallDirs)

set(KA_PROGRAMS kaviewer kapull kaviewer-demo kadevice-sim)

if(NOT UNIX OR APPLE)
  install(TARGETS kaviewer kapull RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(DIRECTORY ${KA_FONT_DIR} DESTINATION ${CMAKE_INSTALL_BINDIR})
  return()
endif()

set(KA_PRIVATE_DIR lib/kaviewer)
set(KA_LINUX_DIR ${PROJECT_SOURCE_DIR}/packaging/linux)
set(KA_LINK_DIR ${CMAKE_BINARY_DIR}/install-links)
# Debian 12 still keeps udev rules in /lib (the same folder as /usr/lib on a merged /usr).
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(KA_UDEV_RULES_DIR /lib/udev/rules.d CACHE PATH "Where the udev rule is installed")
else()
  set(KA_UDEV_RULES_DIR lib/udev/rules.d CACHE PATH "Where the udev rule is installed")
endif()
set(KA_HOMEPAGE "https://kaviewer.example.org" CACHE STRING "Project home page named in the metainfo")

install(TARGETS ${KA_PROGRAMS} RUNTIME DESTINATION ${KA_PRIVATE_DIR})

# Links made once in the build tree and installed as links. Relative ones, as Debian wants for
# links that stay inside /usr, so they also hold in a staging folder.
file(MAKE_DIRECTORY ${KA_LINK_DIR}/bin ${KA_LINK_DIR}/fonts)
foreach(program ${KA_PROGRAMS})
  file(CREATE_LINK ../${KA_PRIVATE_DIR}/${program} ${KA_LINK_DIR}/bin/${program} SYMBOLIC)
  install(FILES ${KA_LINK_DIR}/bin/${program} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()
file(RELATIVE_PATH ka_fonts_to_roboto ${CMAKE_INSTALL_PREFIX}/${KA_PRIVATE_DIR}/fonts ${KA_ROBOTO_DIR})
foreach(face Regular Bold)
  file(CREATE_LINK ${ka_fonts_to_roboto}/Roboto-${face}.ttf ${KA_LINK_DIR}/fonts/Roboto-${face}.ttf SYMBOLIC)
  install(FILES ${KA_LINK_DIR}/fonts/Roboto-${face}.ttf DESTINATION ${KA_PRIVATE_DIR}/fonts)
endforeach()
install(FILES ${KA_FONT_DIR}/wenquanyidengkuanweimihei.ttf DESTINATION ${KA_PRIVATE_DIR}/fonts)

# The menu entry, the icons at the usual sizes, the metainfo and the udev rule.
set(KA_APP_ID org.kaviewer.KaViewer)
install(FILES ${KA_LINUX_DIR}/${KA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

# The icons are scaled with ImageMagick. Building the program needs none of this: without it only
# installing and packaging stop, saying why.
find_program(KA_CONVERT convert)
if(KA_CONVERT)
  set(KA_ICON_DIR ${CMAKE_BINARY_DIR}/icons/hicolor)
  set(ka_icons)
  foreach(size 16 22 24 32 48 64 128 256)
    set(icon ${KA_ICON_DIR}/${size}x${size}/apps/kaviewer.png)
    add_custom_command(
      OUTPUT ${icon}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${KA_ICON_DIR}/${size}x${size}/apps
      COMMAND ${KA_CONVERT} ${PROJECT_SOURCE_DIR}/resources/image/logo.png -filter Lanczos
              -resize ${size}x${size} -strip PNG32:${icon}
      DEPENDS ${PROJECT_SOURCE_DIR}/resources/image/logo.png
      VERBATIM)
    list(APPEND ka_icons ${icon})
  endforeach()
  add_custom_target(kaicons ALL DEPENDS ${ka_icons})
  install(DIRECTORY ${KA_ICON_DIR} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
else()
  install(CODE "message(FATAL_ERROR \"convert not found: install the Debian package imagemagick\")")
endif()

# The changelog's newest entry gives the release in the metainfo, and must be this version. That is
# checked when packaging (cmake/ReleaseCheck.cmake), not here: every install runs it first, and
# the target kareleasecheck runs it alone.
set(ka_metainfo ${CMAKE_BINARY_DIR}/${KA_APP_ID}.metainfo.xml)
set(ka_release_check ${CMAKE_BINARY_DIR}/release-check.cmake)
file(CONFIGURE OUTPUT ${ka_release_check} @ONLY CONTENT [[
set(KA_CHANGELOG "@KA_LINUX_DIR@/changelog")
set(KA_VERSION "@PROJECT_VERSION@")
set(KA_METAINFO_IN "@KA_LINUX_DIR@/@KA_APP_ID@.metainfo.xml.in")
set(KA_METAINFO "@ka_metainfo@")
set(KA_HOMEPAGE "@KA_HOMEPAGE@")
include("@CMAKE_CURRENT_LIST_DIR@/ReleaseCheck.cmake")
]])
add_custom_target(kareleasecheck
  COMMAND ${CMAKE_COMMAND} -P ${ka_release_check}
  COMMENT "Checking packaging/linux/changelog against version ${PROJECT_VERSION}"
  VERBATIM)
install(SCRIPT ${ka_release_check})
install(FILES ${ka_metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

install(FILES ${KA_LINUX_DIR}/70-kaviewer-cp210x.rules DESTINATION ${KA_UDEV_RULES_DIR})

# Debian's documentation folder (the machine-readable copyright, the changelog) and the manual
# pages, compressed without a time stamp so that two builds give the same files.
find_program(KA_GZIP gzip REQUIRED)
set(ka_compressed)
foreach(source changelog man/kaviewer.1 man/kapull.1 man/kaviewer-demo.1 man/kadevice-sim.1)
  set(output ${CMAKE_BINARY_DIR}/compressed/${source}.gz)
  get_filename_component(output_dir ${output} DIRECTORY)
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${output_dir}
    COMMAND ${KA_GZIP} -9 -n -c ${KA_LINUX_DIR}/${source} > ${output}
    DEPENDS ${KA_LINUX_DIR}/${source})
  list(APPEND ka_compressed ${output})
endforeach()
add_custom_target(kacompressed ALL DEPENDS ${ka_compressed})
install(FILES ${KA_LINUX_DIR}/copyright ${CMAKE_BINARY_DIR}/compressed/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/compressed/man/ DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${KA_LINUX_DIR}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME kaviewer)
