#!/usr/bin/env bash
# Builds the Debian package (packaging/package.sh) and checks it as an installed system would see
# it: lintian, the desktop entry, the metainfo, the unpacked programs finding their fonts, and the
# Windows resource script. Prints each check; stops at the first failure.
set -euo pipefail
if [ "${1:-}" = -h ] || [ "${1:-}" = --help ]; then
  echo "usage: bash packaging/check-package.sh"
  echo "Builds the Debian package (packaging/package.sh) and checks it: lintian, the files, the desktop"
  echo "entry, the metainfo, the programs finding their fonts, the Windows version record."
  exit 0
fi
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
for path in usr/bin/kaviewer usr/bin/kapull usr/bin/kaviewer-demo usr/bin/kadevice-sim \
  usr/lib/kaviewer/kapull usr/share/man/man1/kapull.1.gz \
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

check "the metainfo's release is the changelog's newest entry (dpkg-parsechangelog): version and day"
changelog=packaging/linux/changelog
version=$(dpkg-parsechangelog -l "$changelog" -S Version)
day=$(date -u -d "$(dpkg-parsechangelog -l "$changelog" -S Date)" +%F)
grep -q "<release version=\"$version\" date=\"$day\"/>" "$root"/usr/share/metainfo/*.metainfo.xml ||
  fail "the metainfo's <release> is not version $version of $day"
ok

# The same check cpack's install ran, on changelogs that must not pass it.
check "the release check stops at a changelog of another version, a wrong week day, a month that is none"
release_check() {
  cmake -DKA_CHANGELOG="$1" -DKA_VERSION="$version" -DKA_HOMEPAGE=https://example.org \
    -DKA_METAINFO_IN=packaging/linux/org.kaviewer.KaViewer.metainfo.xml.in \
    -DKA_METAINFO="$scratch/metainfo.xml" -P cmake/ReleaseCheck.cmake 2>"$scratch/release-check.log"
}
release_check "$changelog" || { cat "$scratch/release-check.log" >&2; fail "the release check refuses $changelog"; }
refused() {
  # CMake wraps its messages: the text is looked for with the lines joined.
  ! release_check "$scratch/changelog" && tr -s ' \n' '  ' <"$scratch/release-check.log" | grep -qF "$1" ||
    { cat "$scratch/release-check.log" >&2; fail "the release check let through $2"; }
}
sed "1s/($version)/($version.1)/" "$changelog" >"$scratch/changelog"
refused "starts with $version.1, the project is $version" "a changelog starting with $version.1"
# Only the newest entry's trailer (the first " -- " line) is changed.
written_day=$(dpkg-parsechangelog -l "$changelog" -S Date | cut -d, -f1)
other_day=Mon
[ "$written_day" != Mon ] || other_day=Tue
sed "0,/^ -- /{/^ -- /s/>  $written_day,/>  $other_day,/}" "$changelog" >"$scratch/changelog"
refused "but that day is a $written_day" "the newest entry dated on a $other_day"
sed "0,/^ -- /{/^ -- /s/>  \([A-Za-z]*, [0-9]*\) [A-Za-z]*/>  \1 Xyz/}" "$changelog" >"$scratch/changelog"
refused "which is no date" "the newest entry dated in a month Xyz"
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

check "the unpacked kapull, through its /usr/bin link, gets the simulator's pictures"
sim_log=$scratch/sim.log
"$root/usr/bin/kadevice-sim" --link "$scratch/ttyKA" --pattern 64x48:3:1 --pattern 32x16:1:2 >/dev/null 2>"$sim_log" &
sim=$!
waited=0
until [ -e "$scratch/ttyKA" ]; do
  [ "$waited" -lt 300 ] || { kill "$sim"; fail "the simulator made no port in 30 s"; }
  sleep 0.1
  waited=$((waited + 1))
done
"$root/usr/bin/kapull" --port "$scratch/ttyKA" --out "$scratch/pictures" --quiet >"$scratch/kapull.out" ||
  { kill "$sim"; cat "$scratch/kapull.out" >&2; fail "kapull exited $?"; }
kill "$sim"
wait "$sim" || true
[ -s "$scratch/pictures/Image_1.png" ] && [ -s "$scratch/pictures/Image_2.png" ] ||
  fail "kapull wrote no Image_1.png and Image_2.png: $(cat "$scratch/kapull.out")"
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
