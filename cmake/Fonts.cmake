# Places the three font files the program loads into a "fonts" folder beside the built programs.
# They come from Debian's font packages; the Chinese face is the monospaced member of the
# WenQuanYi Micro Hei collection, pulled out of the .ttc with fontTools.

set(KA_FONT_DIR ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/fonts)

# A build on Windows itself has no Debian font packages to take them from.
if(CMAKE_HOST_WIN32)
  message(STATUS "Fonts: copy the fonts folder of the Windows zip (or of a Linux build) to ${KA_FONT_DIR}")
  add_custom_target(kafonts)
  return()
endif()

# Debian's places.
set(KA_ROBOTO_DIR /usr/share/fonts/truetype/roboto/unhinted/RobotoTTF CACHE PATH
    "Folder holding Roboto-Regular.ttf and Roboto-Bold.ttf")
set(KA_WQY_TTC /usr/share/fonts/truetype/wqy/wqy-microhei.ttc CACHE FILEPATH
    "The WenQuanYi Micro Hei collection (wqy-microhei.ttc)")

# Everything missing is named at once, with the one apt command that brings it all.
set(ka_fonts_missing)
set(ka_fonts_packages)
foreach(face Regular Bold)
  if(NOT EXISTS ${KA_ROBOTO_DIR}/Roboto-${face}.ttf)
    list(APPEND ka_fonts_missing "${KA_ROBOTO_DIR}/Roboto-${face}.ttf (fonts-roboto-unhinted)")
    list(APPEND ka_fonts_packages fonts-roboto-unhinted)
  endif()
endforeach()
if(NOT EXISTS ${KA_WQY_TTC})
  list(APPEND ka_fonts_missing "${KA_WQY_TTC} (fonts-wqy-microhei)")
  list(APPEND ka_fonts_packages fonts-wqy-microhei)
endif()

# Debian's own interpreter: the first python3 on PATH may not see Debian's Python packages.
find_program(KA_DEBIAN_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(NOT KA_DEBIAN_PYTHON)
  list(APPEND ka_fonts_missing "/usr/bin/python3 with its module fontTools (python3-fonttools)")
  list(APPEND ka_fonts_packages python3-fonttools)
else()
  execute_process(COMMAND ${KA_DEBIAN_PYTHON} -c "import fontTools.ttLib"
                  RESULT_VARIABLE ka_fonttools_result OUTPUT_QUIET ERROR_QUIET)
  if(NOT ka_fonttools_result EQUAL 0)
    list(APPEND ka_fonts_missing "the Python module fontTools for ${KA_DEBIAN_PYTHON} (python3-fonttools)")
    list(APPEND ka_fonts_packages python3-fonttools)
  endif()
endif()

if(ka_fonts_missing)
  list(REMOVE_DUPLICATES ka_fonts_packages)
  list(JOIN ka_fonts_missing "\n  " ka_fonts_missing_lines)
  list(JOIN ka_fonts_packages " " ka_fonts_packages_line)
  message(FATAL_ERROR "The program's fonts cannot be placed; missing:\n  ${ka_fonts_missing_lines}\n"
                      "Install with:\n  sudo apt install ${ka_fonts_packages_line}")
endif()

set(KA_FONT_FILES
  ${KA_FONT_DIR}/Roboto-Regular.ttf
  ${KA_FONT_DIR}/Roboto-Bold.ttf
  ${KA_FONT_DIR}/wenquanyidengkuanweimihei.ttf)

add_custom_command(
  OUTPUT ${KA_FONT_FILES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${KA_FONT_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${KA_ROBOTO_DIR}/Roboto-Regular.ttf ${KA_FONT_DIR}/Roboto-Regular.ttf
  COMMAND ${CMAKE_COMMAND} -E copy ${KA_ROBOTO_DIR}/Roboto-Bold.ttf ${KA_FONT_DIR}/Roboto-Bold.ttf
  COMMAND ${KA_DEBIAN_PYTHON} ${CMAKE_SOURCE_DIR}/fonts/extract_face.py
          ${KA_WQY_TTC} 1 ${KA_FONT_DIR}/wenquanyidengkuanweimihei.ttf
  DEPENDS ${CMAKE_SOURCE_DIR}/fonts/extract_face.py
  COMMENT "Placing the program's fonts"
  VERBATIM)
add_custom_target(kafonts ALL DEPENDS ${KA_FONT_FILES})
