#!/usr/bin/env bash
# The Windows program under Wine, run by test.sh: builds the zip and the installer (windows.sh),
# unpacks the zip, starts kaviewer.exe on a virtual X server with a scratch Wine prefix in
# build-win/, and checks that it loads its three fonts, shows its 945x614 window, and carries its
# icon group and version record; then runs it through a whole session against the device
# simulator (windows/wine-session.sh) and installs, starts and uninstalls the setup program in a fresh
# prefix (windows/wine-installer.sh). Skipped when ../shared/windows/ (the Qt SDK) is not beside
# the checkout.
set -euo pipefail
if [ "${1:-}" = -h ] || [ "${1:-}" = --help ]; then
  echo "usage: bash packaging/check-windows.sh"
  echo "Builds the Windows zip and installer (packaging/windows.sh) and checks them under Wine: the"
  echo "program's start, a whole session against the device simulator, install and uninstall."
  echo "Skipped when ../shared/windows/ is not beside the checkout."
  exit 0
fi
cd "$(dirname "$0")/.."

if [ ! -d ../shared/windows ]; then
  echo "windows: smoke test under Wine skipped: $(realpath -m ../shared/windows) not found"
  exit 0
fi
started=$SECONDS
bash packaging/windows.sh
# The device simulator plays the device on the Linux side.
linux=$PWD/build
[ -f "$linux/CMakeCache.txt" ] || cmake -S . -B "$linux" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$linux" --target kadevice-sim kapull >/dev/null
built=$SECONDS

build=$PWD/build-win
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
name=kaviewer-$version-win64
smoke=$build/smoke
rm -rf "$smoke" && mkdir -p "$smoke"
(cd "$smoke" && cmake -E tar xf "$build/$name.zip")
exe=$smoke/$name/kaviewer.exe

fail() {
  echo "windows: smoke test FAILED: $*" >&2
  echo "--- program output:" >&2
  cat "$smoke/program.log" >&2 || true
  exit 1
}

# The resources a Windows shell shows: the icon group and the version record.
resources=$(x86_64-w64-mingw32-windres -i "$exe" -O rc)
grep -q '^"IDI_ICON1" 14 ' <<<"$resources" || fail "no icon group IDI_ICON1 in kaviewer.exe"
grep -q '^1 VERSIONINFO' <<<"$resources" || fail "no version record in kaviewer.exe"
grep -q '"OriginalFilename", "kaviewer.exe"' <<<"$resources" || fail "the version record does not name kaviewer.exe"

# Debian's wine64 package alone: its loader and server, without the wrappers of the wine package.
export WINEPREFIX=$build/wineprefix WINESERVER=/usr/lib/wine/wineserver64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
# Qt on Windows sends qDebug to the debugger unless told to use stderr. Wine keeps the host's QT_*
# variables from Windows programs and passes WINEQT_* on without the prefix.
export WINEQT_FORCE_STDERR_LOGGING=1

cat >"$smoke/session.sh" <<INNER
set -u
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  prefix_start=\$SECONDS
  $wine wineboot --init >"$smoke/wineboot.log" 2>&1
  $WINESERVER -w
  echo "windows: created the Wine prefix in \$((SECONDS - prefix_start)) s"
fi
cd "$smoke/$name"
$wine kaviewer.exe >"$smoke/program.log" 2>&1 &
program=\$!
shown=no
for _ in \$(seq 240); do
  if xwininfo -root -tree | grep -q '"KA Image Viewer": ("kaviewer.exe" "kaviewer.exe")  945x614+'; then
    shown=yes
    break
  fi
  kill -0 \$program 2>/dev/null || break
  sleep 0.5
done
echo \$shown >"$smoke/shown"
if [ \$shown = yes ]; then
  # Give it time to paint before the picture is taken.
  for _ in \$(seq 20); do [ "\$(grep -c 'msyh = ' "$smoke/program.log")" -ge 3 ] && break; sleep 0.5; done
  sleep 1
  import -window root "$smoke/screenshot.png"
fi
kill \$program 2>/dev/null
$WINESERVER -k
$WINESERVER -w
INNER
running=$SECONDS
xvfb-run -a -s "-screen 0 1280x800x24" bash "$smoke/session.sh"

[ "$(cat "$smoke/shown")" = yes ] || fail "no 945x614 window titled KA Image Viewer appeared"
# Each of the three fonts: an id that is not -1, and a family name.
ids=$(grep -c '^fontId =  [0-9]' "$smoke/program.log" || true)
families=$(grep -c '^msyh =  "[^"]' "$smoke/program.log" || true)
if [ "$ids" != 3 ] || [ "$families" != 3 ]; then
  fail "fonts loaded: $ids ids, $families families; 3 expected"
fi

# The real program against the device simulator, then the installer; each names what differed.
session=$build/session
rm -rf "$session" && mkdir -p "$session"
export wine
session_start=$SECONDS
xvfb-run -a -s "-screen 0 1280x800x24" bash packaging/windows/wine-session.sh "$smoke/$name" "$session" \
  "$linux/bin/kadevice-sim" || exit 1
[ -f "$session/passed" ] || fail "the session against the simulator did not finish"
kapull_start=$SECONDS
bash packaging/windows/wine-kapull.sh "$smoke/$name" "$session" "$linux/bin/kadevice-sim" "$linux/bin/kapull" || exit 1
[ -f "$session/kapull-passed" ] || fail "the check of kapull.exe did not finish"
installer_start=$SECONDS
xvfb-run -a -s "-screen 0 1280x800x24" bash packaging/windows/wine-installer.sh \
  "$build/$name-setup.exe" "$build/stage" "$version" "$session" || exit 1
[ -f "$session/installer-passed" ] || fail "the installer check did not finish"

echo "windows: smoke test under Wine ran and passed: fonts $(sed -n 's/^msyh =  //p' "$smoke/program.log" | paste -sd,)," \
  "945x614 window, icon group and version record; build $((built - started)) s," \
  "Wine $((session_start - running)) s; screenshot $smoke/screenshot.png"
echo "windows: session against the simulator passed: COM5 listed and opened, connected with its device line," \
  "pictures in 1, 2 and 3 bytes per pixel saved pixel-exact, Export All as 372x322 JPEGs, Disconnect with" \
  "AT_DIS** and no failure reason, \"Connection lost\" mid-picture and a clean reconnect, plugins qwindows," \
  "qwindowsvistastyle and qjpeg loaded, language stored; $((installer_start - session_start)) s;" \
  "connected window $session/window-connected.png"
echo "windows: kapull.exe passed: COM5 listed as the device (10c4:ea60), --port COM5 --out wrote the three" \
  "pictures with the Linux kapull's pixels and AT_DIS**, a second run found them already there, a port" \
  "that is none exits 3; $((installer_start - kapull_start)) s"
echo "windows: installer passed: silent install into a fresh prefix, files, uninstall entry, Start-menu" \
  "shortcut into the per-user folder, language stored there, silent uninstall; $((SECONDS - installer_start)) s"
