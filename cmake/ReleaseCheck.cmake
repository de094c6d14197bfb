# The release the Debian package names: the newest entry of packaging/linux/changelog must be the
# project's version, with a real date, which becomes the metainfo's <release>. Run when packaging,
# not at every configure, so that a version raised before its changelog entry still builds and
# tests: by every `cmake --install` (and so by cpack) and by the target kareleasecheck, which
# packaging/package.sh builds first. Reads KA_CHANGELOG, KA_VERSION, KA_METAINFO_IN, KA_METAINFO
# and KA_HOMEPAGE; as a script of its own (cmake -D... -P) or included by the install rules.

# A script runs with no policies set; include() keeps this setting to this file.
cmake_policy(VERSION 3.23)

foreach(ka_var KA_CHANGELOG KA_VERSION KA_METAINFO_IN KA_METAINFO KA_HOMEPAGE)
  if("${${ka_var}}" STREQUAL "")
    message(FATAL_ERROR "ReleaseCheck.cmake: ${ka_var} is not set")
  endif()
endforeach()

file(STRINGS ${KA_CHANGELOG} ka_changelog)
list(GET ka_changelog 0 ka_changelog_head)
if(NOT ka_changelog_head MATCHES "^[^ ]+ \\(([^)]+)\\)")
  message(FATAL_ERROR "${KA_CHANGELOG}: the first line is no entry: ${ka_changelog_head}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL KA_VERSION)
  message(FATAL_ERROR "${KA_CHANGELOG} starts with ${CMAKE_MATCH_1}, the project is ${KA_VERSION}: "
                      "add the entry for ${KA_VERSION} on top, or correct project() in CMakeLists.txt")
endif()

# The newest entry's trailer: " -- name <address>  Mon, 07 Dec 2026 12:00:00 +0000".
list(FILTER ka_changelog INCLUDE REGEX "^ -- ")
if(NOT ka_changelog)
  message(FATAL_ERROR "${KA_CHANGELOG}: the entry for ${KA_VERSION} has no \" -- name <address>  date\" line")
endif()
list(GET ka_changelog 0 ka_changelog_trailer)
string(REGEX REPLACE "^ -- .*>  " "" ka_changelog_date "${ka_changelog_trailer}")
execute_process(COMMAND date -u -d "${ka_changelog_date}" +%F
                RESULT_VARIABLE ka_date_result OUTPUT_VARIABLE KA_RELEASE_DATE ERROR_QUIET
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT ka_date_result EQUAL 0)
  message(FATAL_ERROR "${KA_CHANGELOG}: the entry for ${KA_VERSION} is dated \"${ka_changelog_date}\", "
                      "which is no date (date -R writes one)")
endif()
# date reads past a wrong week day; the package's date would be right and its changelog not.
if(ka_changelog_date MATCHES "^([A-Za-z]+), +([0-9]+ [A-Za-z]+ [0-9]+)")
  set(ka_written_day ${CMAKE_MATCH_1})
  execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C date -d "${CMAKE_MATCH_2}" +%a
                  OUTPUT_VARIABLE ka_real_day OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT ka_written_day STREQUAL ka_real_day)
    message(FATAL_ERROR "${KA_CHANGELOG}: the entry for ${KA_VERSION} is dated \"${ka_changelog_date}\", "
                        "but that day is a ${ka_real_day}")
  endif()
endif()

set(PROJECT_VERSION ${KA_VERSION})
configure_file(${KA_METAINFO_IN} ${KA_METAINFO} @ONLY)
