#!/usr/bin/env bash
# Sets up, builds and starts the program.
set -euo pipefail
if [ "${1:-}" = -h ] || [ "${1:-}" = --help ]; then
  echo "usage: bash packaging/run.sh"
  echo "As root on Debian 12: installs every package of packaging/setup-debian.sh (the whole build and"
  echo "test kit), builds build/ and starts build/bin/kaviewer, on a virtual X server when there is no"
  echo "display."
  exit 0
fi
cd "$(dirname "$0")/.."

bash packaging/setup-debian.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target kaviewer

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display found; starting on a virtual X server (xvfb-run)" >&2
  exec xvfb-run -a -s "-screen 0 1280x800x24" build/bin/kaviewer
fi
exec build/bin/kaviewer
