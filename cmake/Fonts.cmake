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

foreach(face Regular Bold)
  if(NOT EXISTS ${KA_ROBOTO_DIR}/Roboto-${face}.ttf)
    message(FATAL_ERROR "Roboto-${face}.ttf not found: install the Debian package fonts-roboto-unhinted")
  endif()
endforeach()
if(NOT EXISTS ${KA_WQY_TTC})
  message(FATAL_ERROR "wqy-microhei.ttc not found: install the Debian package fonts-wqy-microhei")
endif()

# Debian's own interpreter: the first python3 on PATH may not see Debian's Python packages.
find_program(KA_DEBIAN_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(NOT KA_DEBIAN_PYTHON)
  message(FATAL_ERROR "/usr/bin/python3 not found: install the Debian package python3-fonttools")
endif()
execute_process(COMMAND ${KA_DEBIAN_PYTHON} -c "import fontTools.ttLib"
                RESULT_VARIABLE ka_fonttools_missing OUTPUT_QUIET ERROR_QUIET)
if(ka_fonttools_missing)
  message(FATAL_ERROR "Python module fontTools not found: install the Debian package python3-fonttools")
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
