# Cross-builds the Windows program with Debian's MinGW-w64 (the posix-thread compilers, whose runtime
# DLLs the program ships with) against the Qt SDK unpacked from shared/windows/.
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DKA_QT_MINGW=<unpacked qt5-mingw64> ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ka_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ka_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ka_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${ka_mingw}-windres)

# This file is read again for every try_compile, which only sees the variables listed here.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KA_QT_MINGW)
if(NOT KA_QT_MINGW OR NOT EXISTS "${KA_QT_MINGW}/lib/cmake/Qt5")
  message(FATAL_ERROR "KA_QT_MINGW must name the unpacked Qt SDK (qt5-mingw64/ from qt5-mingw64-5.15.8.tar.xz)")
endif()
set(Qt5_DIR "${KA_QT_MINGW}/lib/cmake/Qt5" CACHE PATH "Qt 5 for MinGW")

# Headers and libraries from the target's trees only; programs (moc, rcc, python3) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${ka_mingw} "${KA_QT_MINGW}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The SDK has no translation tools; Debian's lrelease (the same Qt release) runs on the build machine.
set(Qt5LinguistTools_DIR /usr/lib/x86_64-linux-gnu/cmake/Qt5LinguistTools CACHE PATH "Host translation tools")
