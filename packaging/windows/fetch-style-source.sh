#!/usr/bin/env bash
# Unpacks the source of Qt's windowsvista style plugin, which the Qt SDK lacks, from Debian's source
# package of qtbase (the SDK's own release) into $1, once. Needs root the first time: it adds a
# deb-src entry for the mirror apt already uses.
#   fetch-style-source.sh DIR    (DIR/windowsvista/ then holds the plugin's source)
set -euo pipefail
if [ "${1:-}" = -h ] || [ "${1:-}" = --help ]; then
  echo "usage: bash packaging/windows/fetch-style-source.sh DIR"
  echo "Unpacks the windowsvista style plugin's source from Debian's qtbase source package into"
  echo "DIR/windowsvista/, once; root the first time (it adds a deb-src entry)."
  exit 0
fi
out=$(realpath -m "$1")
[ -f "$out/windowsvista/main.cpp" ] && exit 0

if ! apt-get source --print-uris qtbase-opensource-src >/dev/null 2>&1; then
  # A fresh debootstrap root has only /etc/apt/sources.list; an installed system has .sources files.
  uri=$(awk '/^URIs:/ && !/security/ {print $2; exit}' /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
  [ -n "$uri" ] || uri=$(awk '/^deb / && !/security/ {print $2; exit}' /etc/apt/sources.list 2>/dev/null || true)
  [ -n "$uri" ] || { echo "windows: no Debian mirror found in apt's sources" >&2; exit 1; }
  printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    "$uri" >/etc/apt/sources.list.d/kaviewer-src.sources
  apt-get update -q >/dev/null
fi

mkdir -p "$out/download"
# Every Debian revision of 5.15.8 shares the upstream tarball; only it is needed.
(cd "$out/download" && apt-get source --download-only qtbase-opensource-src >/dev/null)
orig=$(ls "$out"/download/qtbase-opensource-src_5.15.8+dfsg.orig.tar.*)
tar -C "$out" -xf "$orig" --strip-components=4 --wildcards '*/src/plugins/styles/windowsvista/*'
rm -rf "$out/download"
[ -f "$out/windowsvista/main.cpp" ] || { echo "windows: no windowsvista style in $orig" >&2; exit 1; }
