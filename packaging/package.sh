#!/usr/bin/env bash
# Sets up, builds a Release build in build-package/ and writes the Debian package there:
# build-package/kaviewer_<version>_<arch>.deb. Install it with `apt install ./build-package/kaviewer_*.deb`.
set -euo pipefail
if [ "${1:-}" = -h ] || [ "${1:-}" = --help ]; then
  echo "usage: bash packaging/package.sh"
  echo "Builds the Debian package in build-package/ (build-package/kaviewer_<version>_<arch>.deb);"
  echo "install it with: apt install ./build-package/kaviewer_<version>_<arch>.deb"
  exit 0
fi
cd "$(dirname "$0")/.."

bash packaging/setup-debian.sh

# Debian's hardening flags, all of them (fortify, stack protector, relro, bind now).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# Given on the command line (not through the environment) so a reused build folder takes them too.
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"

build=build-package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DKA_BUILD_TESTS=OFF -DKA_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags"
# The changelog against the version before the long build; cpack's install runs it again.
cmake --build "$build" --target kareleasecheck
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/kaviewer_*.deb
(cd "$build" && cpack -G DEB)
ls "$build"/kaviewer_*.deb
