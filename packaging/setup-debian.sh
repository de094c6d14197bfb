#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing and taking screenshots need.
# Safe to run again: packages already present are left alone.
set -euo pipefail
if [ "${1:-}" = -h ] || [ "${1:-}" = --help ]; then
  echo "usage: bash packaging/setup-debian.sh [windows]"
  echo "Installs (as root) the Debian 12 packages that building, testing and screenshots need;"
  echo "'windows' adds the MinGW-w64 cross-build, Wine, NSIS and xdotool. Safe to run again."
  exit 0
fi

packages=(
  build-essential cmake ninja-build pkg-config
  qtbase5-dev libqt5serialport5-dev qt5-qmake qttools5-dev-tools qttools5-dev libxcb1-dev
  fonts-roboto-unhinted fonts-wqy-microhei python3-fonttools qttranslations5-l10n
  libbenchmark-dev clang libclang-rt-14-dev
  xvfb xauth x11-xserver-utils xcompmgr imagemagick
  # What a screen reader hears is tested on a session bus with the accessibility bus;
  # tools/atspi/atspi-view.sh shows it as a screen reader gets it.
  dbus-daemon at-spi2-core x11-utils python3-pyatspi
  dpkg-dev file fakeroot lintian desktop-file-utils appstream gnuplot-nox valgrind
  # docs/architecture.png from docs/architecture.dot
  graphviz
  # The package check compiles the Windows version record: windres runs the MinGW C compiler as its
  # preprocessor.
  binutils-mingw-w64-x86-64 gcc-mingw-w64-x86-64-posix
)

# `setup-debian.sh windows`: also the Windows cross-build, its installer (NSIS), the style plugin
# built from Debian's qtbase source, and the check under Wine driven by xdotool.
[ "${1:-}" = windows ] &&
  packages+=(g++-mingw-w64-x86-64-posix wine64 x11-utils nsis xdotool xz-utils)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present"
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: missing packages (${missing[*]}); run this script as root" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"
