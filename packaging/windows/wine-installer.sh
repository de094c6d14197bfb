#!/usr/bin/env bash
# The setup program under Wine, run by check-windows.sh on a virtual X server: a silent install
# into a fresh prefix, the installed program started from its Start-menu shortcut, a language
# switch, and a silent uninstall.
#   wine-installer.sh SETUP STAGE VERSION WORK
# STAGE is the folder the installer was packed from. Expects WINESERVER and the Wine loader in $wine.
set -uo pipefail
if [ "${1:-}" = -h ] || [ "${1:-}" = --help ]; then
  echo "usage: bash packaging/windows/wine-installer.sh SETUP STAGE VERSION WORK"
  echo "Run by packaging/check-windows.sh: a silent install of SETUP into a fresh Wine prefix, the program"
  echo "started from its shortcut, a silent uninstall. Expects WINESERVER and the Wine loader in \$wine."
  exit 0
fi
setup=$1 stage=$2 version=$3 work=$4
export WINEPREFIX=$work/prefix
log=$work/installed.log
program=

finish() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  $WINESERVER -k >/dev/null 2>&1
  $WINESERVER -w >/dev/null 2>&1
}
fail() {
  echo "windows: installer FAILED: $*" >&2
  finish
  exit 1
}
# shellcheck source=wine-common.sh
source "$(dirname "$0")/wine-common.sh"
# Empty when there is no entry (reg then prints its complaint on standard output).
uninstall_entry() {
  local entry
  entry=$($wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\kaviewer' 2>/dev/null) &&
    tr -d '\r' <<<"$entry"
}

rm -rf "$WINEPREFIX"
$wine wineboot --init >/dev/null 2>&1
$WINESERVER -w

$wine "$setup" /S >/dev/null 2>&1 || fail "the silent install failed"
$WINESERVER -w
installed="$WINEPREFIX/drive_c/Program Files/KA Image Viewer"
mapfile -t files < <(cd "$stage" && find . -type f | sort)
for file in "${files[@]}"; do
  cmp -s "$stage/$file" "$installed/$file" || fail "${file#./} was not installed as built"
done
[ -f "$installed/uninstall.exe" ] || fail "no uninstall.exe"

entry=$(uninstall_entry)
for value in "DisplayName    REG_SZ    KA Image Viewer" "DisplayVersion    REG_SZ    $version" \
  "Publisher    REG_SZ    KA Image Viewer developers" \
  'DisplayIcon    REG_SZ    C:\Program Files\KA Image Viewer\kaviewer.exe,0' \
  'UninstallString    REG_SZ    "C:\Program Files\KA Image Viewer\uninstall.exe"' "EstimatedSize    REG_DWORD    0x"; do
  grep -qF "$value" <<<"$entry" || fail "the uninstall entry lacks \"$value\"; it holds: $entry"
done

user=$(id -un)
roaming="$WINEPREFIX/drive_c/users/$user/AppData/Roaming"
workdir="$roaming/KA Image Viewer"
shortcut="$roaming/Microsoft/Windows/Start Menu/Programs/KA Image Viewer.lnk"
[ -d "$workdir" ] || fail "the installer did not create the working folder $workdir"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
# Among the link's strings: its working folder.
strings -el "$shortcut" | grep -q "C:\\\\users\\\\$user\\\\AppData\\\\Roaming\\\\KA Image Viewer$" ||
  fail "the shortcut does not start the program in the per-user folder: $(strings -el "$shortcut" | paste -sd '|')"
[ ! -e "$WINEPREFIX/drive_c/users/$user/Desktop/KA Image Viewer.lnk" ] || fail "a desktop shortcut though none was chosen"

# Started as the Start menu starts it: through the shortcut.
WINEDEBUG=+file,+loaddll $wine start /wait "C:\\users\\$user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\KA Image Viewer.lnk" >"$log" 2>&1 &
program=$!
wait_until 120 "the installed program's window appeared" window_at
sleep 2
xdotool mousemove --sync $((wx + 735)) $((wy + 98)) click 1
wait_until 10 "kalocfg.ini in the working folder says chinesesimplified" grep -q chinesesimplified "$workdir/kalocfg.ini"
sleep 1
import -window root "$work/installed-zh.png"
grep -qF '\\KA Image Viewer\\styles\\qwindowsvistastyle.dll" at' "$log" ||
  fail "the installed program did not load its windowsvista style"
# Qt's own Chinese texts: dialog buttons and file dialogs follow the window's language.
grep -q 'KA Image Viewer\\\\translations\\\\qtbase_zh_CN.qm' "$log" ||
  fail "the program in Chinese did not open translations/qtbase_zh_CN.qm"
echo "windows: the installed program in Chinese opened translations/qtbase_zh_CN.qm"
kill "$program" 2>/dev/null
program=
$WINESERVER -k
$WINESERVER -w

$wine "C:\\Program Files\\KA Image Viewer\\uninstall.exe" /S >/dev/null 2>&1
$WINESERVER -w
[ ! -e "$installed" ] || fail "the uninstaller left: $(cd "$installed" && find . | paste -sd ' ')"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start-menu shortcut"
[ -z "$(uninstall_entry)" ] || fail "the uninstaller left its entry"
finish
echo ok >"$work/installer-passed"
