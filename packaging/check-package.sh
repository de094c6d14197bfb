#!/usr/bin/env bash
# Builds the Debian package (packaging/package.sh) and checks it as an installed system would see
# it: lintian, the desktop entry, the metainfo, the unpacked programs finding their fonts, and the
# Windows resource script. Prints each check; stops at the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

passed=0
check() { echo "package check: $*"; }
ok() { passed=$((passed + 1)); }
fail() { echo "package check FAILED: $*" >&2; exit 1; }

check "the package builds (packaging/package.sh)"
bash packaging/package.sh
debs=(build-package/kaviewer_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb in build-package/, found: ${debs[*]}"
deb=${debs[0]}
ok

check "lintian: no errors, no warnings beyond the package's overrides"
lintian --fail-on error,warning "$deb" || fail "lintian"
ok

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
dpkg-deb -x "$deb" "$root"

check "the files sit where the desktop, udev and dpkg look for them"
for path in usr/bin/kaviewer usr/bin/kaviewer-demo usr/bin/kadevice-sim \
  usr/share/applications/org.kaviewer.KaViewer.desktop \
  usr/share/metainfo/org.kaviewer.KaViewer.metainfo.xml \
  lib/udev/rules.d/70-kaviewer-cp210x.rules \
  usr/share/doc/kaviewer/copyright usr/share/doc/kaviewer/changelog.gz; do
  [ -e "$root/$path" ] || fail "$path is missing from the package"
done
for size in 16 22 24 32 48 64 128 256; do
  icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/kaviewer.png
  identify -format '%wx%h' "$icon" | grep -qx "${size}x${size}" || fail "$icon is not ${size}x${size}"
done
ok

check "desktop-file-validate accepts the desktop entry"
desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "desktop-file-validate"
ok

check "appstreamcli validate --no-net accepts the metainfo"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"
ok

# The Roboto links point into /usr/share/fonts, which the package depends on rather than ships:
# let the unpacked tree see the build machine's, as the installed dependency would provide it.
[ -e "$root/usr/share/fonts" ] || ln -s /usr/share/fonts "$root/usr/share/fonts"

# Starts an unpacked program through its /usr/bin link, waits for its three font lines and
# checks that each font loaded (fontId >= 0) and named a family.
starts_with_fonts() {
  local program=$1 log=$scratch/$1.log work=$scratch/work-$1
  mkdir -p "$work"
  (cd "$work" && exec env QT_QPA_PLATFORM=offscreen "$root/usr/bin/$program") 2>"$log" &
  local pid=$! waited=0
  until [ "$(grep -c 'msyh = ' "$log")" -ge 3 ]; do
    kill -0 "$pid" 2>/dev/null || { cat "$log" >&2; fail "$program exited at start"; }
    [ "$waited" -lt 600 ] || { kill "$pid"; cat "$log" >&2; fail "$program wrote no font lines in 60 s"; }
    sleep 0.1
    waited=$((waited + 1))
  done
  kill -0 "$pid" 2>/dev/null || { cat "$log" >&2; fail "$program exited after loading its fonts"; }
  kill "$pid"
  wait "$pid" || true
  grep 'fontId = \|msyh = ' "$log"
  [ "$(grep -cE '^fontId =  [0-9]+$' "$log")" -eq 3 ] || fail "$program did not load all three fonts"
  [ "$(grep -cE '^msyh =  ".+"$' "$log")" -eq 3 ] || fail "$program found a font without a family"
}

check "the unpacked kaviewer starts and finds its three fonts"
starts_with_fonts kaviewer
ok

check "the unpacked kaviewer-demo starts and finds its three fonts"
starts_with_fonts kaviewer-demo
ok

# The executable's version record keeps file and product version 0.0.0.0 whatever the release.
check "x86_64-w64-mingw32-windres compiles packaging/kaviewer.rc, whose file and product version are 0.0.0.0"
for field in FileVersion ProductVersion; do
  grep -q "\"$field\", \"0.0.0.0\"" packaging/kaviewer.rc || fail "kaviewer.rc: $field is not 0.0.0.0"
done
grep -qx "FILEVERSION 0,0,0,0" packaging/kaviewer.rc && grep -qx "PRODUCTVERSION 0,0,0,0" packaging/kaviewer.rc ||
  fail "kaviewer.rc: FILEVERSION or PRODUCTVERSION is not 0,0,0,0"
x86_64-w64-mingw32-windres -O coff -o "$scratch/kaviewer.res" packaging/kaviewer.rc || fail "windres"
[ -s "$scratch/kaviewer.res" ] || fail "windres wrote nothing"
ok

echo "package checks: $passed passed, 0 failed"
