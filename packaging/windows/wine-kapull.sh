#!/usr/bin/env bash
# kapull.exe under Wine against the device simulator, run by check-windows.sh after the window's
# session: the prefix's registry describes a CP210x bridge on COM5, whose device is the simulator's
# pseudo-terminal. The pictures must equal, pixel for pixel, what the Linux kapull writes of the
# same device. serial-wait/launch.exe loads serialwait.dll into the program, as for the window.
set -uo pipefail
if [ "${1:-}" = -h ] || [ "${1:-}" = --help ]; then
  echo "usage: bash packaging/windows/wine-kapull.sh PROGRAM_DIR WORK_DIR KADEVICE_SIM LINUX_KAPULL"
  echo "Run by packaging/check-windows.sh: kapull.exe under Wine lists COM5, downloads the simulator's"
  echo "pictures into a folder (the same pixels as the Linux kapull), finds them already there, and"
  echo "exits 3 for a port that is none. Expects WINEPREFIX, WINESERVER and the Wine loader in \$wine."
  exit 0
fi
program_dir=$1 work=$2 sim=$3 linux_kapull=$4
simlog=$work/kapull-sim.log
sim_pid=

finish() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null
  $WINESERVER -k >/dev/null 2>&1
  $WINESERVER -w >/dev/null 2>&1
}
fail() {
  echo "windows: kapull FAILED: $*" >&2
  echo "--- simulator:" >&2
  tail -n 10 "$simlog" >&2
  finish
  exit 1
}
winpath() { echo "Z:${1//\//\\}"; }
# shellcheck source=wine-common.sh
source "$(dirname "$0")/wine-common.sh"

# The port as Windows lists it, as in the window's session.
key='HKLM\System\CurrentControlSet\Enum\USB\VID_10C4&PID_EA60\0001'
$wine reg add "$key" /v ClassGUID /d '{4d36e978-e325-11ce-bfc1-08002be10318}' /f >/dev/null 2>&1
$wine reg add "$key" /v DeviceDesc /d 'Silicon Labs CP210x USB to UART Bridge' /f >/dev/null 2>&1
$wine reg add "$key\Device Parameters" /v PortName /d COM5 /f >/dev/null 2>&1
rm -f "$work/kapull-com5"
"$sim" --link "$work/kapull-com5" --pattern 64x48:3:1 --pattern 32x16:1:2 --pattern 40x20:2:3 \
  2>"$simlog" >/dev/null &
sim_pid=$!
for _ in $(seq 100); do [ -e "$work/kapull-com5" ] && break; sleep 0.1; done
[ -e "$work/kapull-com5" ] || fail "the simulator made no port"
ln -sfn "$work/kapull-com5" "$WINEPREFIX/dosdevices/com5"

shim=$work/kapull-shim
build_serial_shim "$shim"
kapull() {
  timeout 120 $wine "$shim/launch.exe" "$(winpath "$program_dir")\\kapull.exe" "$(winpath "$shim")\\serialwait.dll" "$@"
}

timeout 120 $wine "$program_dir/kapull.exe" --list 2>&1 | tr -d "\r" >"$work/kapull-list.txt" ||
  fail "kapull.exe --list failed"
grep -qP '^COM5\tSilicon Labs CP210x USB to UART Bridge\t.*\t10c4:ea60\tdevice$' "$work/kapull-list.txt" ||
  fail "kapull.exe --list did not show COM5 as the device: $(cat "$work/kapull-list.txt")"

out=$work/kapull-out
rm -rf "$out" "$work/kapull-linux"
kapull --port COM5 --out "$(winpath "$out")" >"$work/kapull-first.txt" 2>&1 ||
  fail "kapull.exe --port COM5 --out exited $?: $(cat "$work/kapull-first.txt")"
[ "$(ls "$out")" = "$(printf 'Image_1.png\nImage_2.png\nImage_3.png')" ] || fail "kapull.exe wrote: $(ls "$out")"
grep -q 'AT_DIS\*\*' "$simlog" || fail "kapull.exe did not say goodbye (AT_DIS**)"
"$linux_kapull" --port "$work/kapull-com5" --out "$work/kapull-linux" --quiet >/dev/null || fail "the Linux kapull exited $?"
for n in 1 2 3; do
  differing=$(compare -metric AE "$out/Image_$n.png" "$work/kapull-linux/Image_$n.png" null: 2>&1 | cut -d' ' -f1)
  [ "$differing" = 0 ] || fail "Image_$n.png: $differing pixels differ from the Linux kapull's"
done

kapull --port COM5 --out "$(winpath "$out")" >"$work/kapull-again.txt" 2>&1 || fail "the second kapull.exe exited $?"
[ "$(grep -c 'already there' "$work/kapull-again.txt")" = 3 ] || fail "a second run wrote again: $(cat "$work/kapull-again.txt")"

kapull --port COM9 --out "$(winpath "$out")" >"$work/kapull-none.txt" 2>&1
status=$?
[ "$status" = 3 ] || fail "kapull.exe on a port that is none exited $status, not 3: $(cat "$work/kapull-none.txt")"

finish
touch "$work/kapull-passed"
