#!/usr/bin/env bash
# Builds the Windows program, its zip and its installer: sets up Debian's MinGW-w64, Wine and NSIS,
# unpacks the Qt SDK from ../shared/windows/ (beside the checkout), fetches the windowsvista style's
# source from Debian's qtbase source package, cross-compiles kaviewer.exe with its icon and version
# record and the style plugin, zips what a Windows machine without Qt needs as
# build-win/kaviewer-<version>-win64.zip and packs the same files as
# build-win/kaviewer-<version>-win64-setup.exe.
set -euo pipefail
if [ "${1:-}" = -h ] || [ "${1:-}" = --help ]; then
  echo "usage: bash packaging/windows.sh"
  echo "As root on Debian 12, with ../shared/windows/ beside the checkout: builds"
  echo "build-win/kaviewer-<version>-win64.zip and build-win/kaviewer-<version>-win64-setup.exe."
  exit 0
fi
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

bash packaging/windows/fetch-style-source.sh "$build/qtstyle-src"

# ccache, when there is one, shares objects between build folders and runs.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DKA_QT_MINGW="$qt" \
  -DKA_QT_STYLE_SOURCE="$PWD/$build/qtstyle-src/windowsvista"
cmake --build "$build" -j "$(nproc)"
(cd "$build" && cpack -G ZIP >/dev/null)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")

# The installer holds exactly the zip's files; its uninstaller deletes exactly them.
stage=$PWD/$build/stage
rm -rf "$stage"
cmake --install "$build" --prefix "$stage" >/dev/null
files=$PWD/$build/installer-files.nsh
unfiles=$PWD/$build/installer-unfiles.nsh
: >"$files"
: >"$unfiles"
while read -r dir; do
  rel=${dir#.}
  echo "SetOutPath \"\$INSTDIR${rel//\//\\}\"" >>"$files"
  find "$stage$rel" -maxdepth 1 -type f | sort | while read -r file; do
    echo "File \"$file\"" >>"$files"
    echo "Delete \"\$INSTDIR${rel//\//\\}\\$(basename "$file")\"" >>"$unfiles"
  done
done < <(cd "$stage" && find . -type d | sort)
(cd "$stage" && find . -mindepth 1 -type d | sort -r) | while read -r dir; do
  rel=${dir#.}
  echo "RMDir \"\$INSTDIR${rel//\//\\}\"" >>"$unfiles"
done
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DFILES="$files" -DUNFILES="$unfiles" \
  -DSIZE_KB="$(du -sk "$stage" | cut -f1)" -DICON="$PWD/packaging/kaviewer.ico" \
  -DOUTFILE="$PWD/$build/kaviewer-$version-win64-setup.exe" packaging/windows/kaviewer.nsi
echo "windows: built $PWD/$build/kaviewer-$version-win64.zip and kaviewer-$version-win64-setup.exe"
