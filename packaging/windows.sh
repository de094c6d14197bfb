#!/usr/bin/env bash
# Builds the Windows program and its zip: sets up Debian's MinGW-w64 and Wine, unpacks the Qt SDK
# from ../shared/windows/ (beside the checkout), cross-compiles kaviewer.exe with its icon and
# version record, and zips what a Windows machine without Qt needs as
# build-win/kaviewer-<version>-win64.zip.
set -euo pipefail
cd "$(dirname "$0")/.."

sdk_archive=$(realpath -m ../shared/windows/qt5-mingw64-5.15.8.tar.xz)
if [ ! -f "$sdk_archive" ]; then
  echo "windows: $sdk_archive not found: shared/windows/ must lie beside the checkout" >&2
  exit 1
fi

bash packaging/setup-debian.sh windows

# The SDK is unpacked once per build folder, and again when the archive changes.
build="build-win"
qt=$PWD/$build/qt5-mingw64
if [ ! "$build/.sdk-unpacked" -nt "$sdk_archive" ]; then
  rm -rf "$qt" && mkdir -p "$build"
  tar -C "$build" -xJf "$sdk_archive"
  touch "$build/.sdk-unpacked"
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DKA_QT_MINGW="$qt"
cmake --build "$build" -j "$(nproc)"
(cd "$build" && cpack -G ZIP >/dev/null)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
echo "windows: built $PWD/$build/kaviewer-$version-win64.zip"
