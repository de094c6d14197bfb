# The Debian package, written by `cpack` from the install rules (packaging/package.sh runs it).
if(NOT UNIX OR APPLE)
  return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kaviewer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "KA Image Viewer developers <kaviewer@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "download, view and export pictures from the KA imaging device")
set(CPACK_PACKAGE_DESCRIPTION "\
kaviewer connects to the KA imaging device over its CP210x USB-to-serial
bridge at 460800 baud, downloads the pictures kept in the device's memory,
shows them as thumbnails with a large preview and exports them as JPEG files.
The window speaks English and Simplified Chinese.

A udev rule gives the user at the seat access to CP210x bridges and keeps
ModemManager from probing them. The package also holds kapull, which downloads
the pictures from the command line, kaviewer-demo, the window against a
simulated device, and kadevice-sim, the device simulator.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KA_HOMEPAGE})
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Libraries from the binaries (dpkg-shlibdeps); the fonts the program links to by name, and Qt's
# own Chinese texts (dialog buttons, file dialogs), which the program loads at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-roboto-unhinted, qttranslations5-l10n")

set(CPACK_STRIP_FILES ON)
# The udev rule goes to /lib, outside the prefix: stage everything under DESTDIR.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  message(STATUS "Package: CMAKE_INSTALL_PREFIX is ${CMAKE_INSTALL_PREFIX}; the Debian package wants /usr")
endif()

include(CPack)
