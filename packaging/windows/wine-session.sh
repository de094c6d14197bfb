#!/usr/bin/env bash
# The real kaviewer.exe under Wine against the device simulator, run by check-windows.sh on a
# virtual X server; xdotool plays the user.
#   wine-session.sh PROGRAM_DIR WORK_DIR SIMULATOR
# Expects WINEPREFIX, WINESERVER and the Wine loader in $wine. Each step that fails says what
# differed; the screenshots stay in WORK_DIR.
#
# Debian 12's Wine 8.0 starts a serial port's event wait synchronously when the caller gives no
# event object, and never runs the completion routine Qt's Windows backend gives instead; so the
# backend never starts a read. The program's request reaches the device, the answer never reaches
# the program, and it must say "No answer" and stay usable. Everything up to that point is the
# real Windows path: the port listed through SetupAPI, its description, the open, the settings,
# the command written.
set -uo pipefail
program_dir=$1 work=$2 sim=$3
log=$work/program.log
simlog=$work/sim.log
sim_pid=
program=

finish() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null
  $WINESERVER -k >/dev/null 2>&1
  $WINESERVER -w >/dev/null 2>&1
}
fail() {
  echo "windows: FAILED: $*" >&2
  echo "--- program output (last lines):" >&2
  grep -v ':trace:loaddll' "$log" | tail -n 15 >&2
  echo "--- simulator:" >&2
  tail -n 10 "$simlog" >&2
  finish
  exit 1
}
# wait_until SECONDS WHAT COMMAND...: polls, and fails naming WHAT when time runs out.
wait_until() {
  local limit=$1 what=$2
  shift 2
  for ((i = 0; i < limit * 5; i++)); do
    "$@" && return 0
    sleep 0.2
  done
  fail "$what (waited $limit s)"
}
has() { grep -q -- "$2" "$1" 2>/dev/null; }

# The program's 945x614 top-level window: its origin on the screen.
window_at() {
  local line
  line=$(xwininfo -root -tree | grep '"kaviewer": ("kaviewer.exe" "kaviewer.exe")  945x614+' | head -n 1)
  [ -n "$line" ] || return 1
  read -r wx wy < <(sed -E 's/.*945x614\+(-?[0-9]+)\+(-?[0-9]+).*/\1 \2/' <<<"$line")
}
click() { xdotool mousemove --sync $((wx + $1)) $((wy + $2)) click 1; }
shot() { import -window root "$work/$1.png"; }
# The status column (icon, state, device line or failure reason) of a screenshot.
status_of() { convert "$work/$1.png" -crop 180x120+$((wx + 20))+$((wy + 142)) +repage "$work/$1-status.png"; }
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }

# The port as Windows lists it: the CP210x bridge on COM5, whose device is the simulator's pty.
key='HKLM\System\CurrentControlSet\Enum\USB\VID_10C4&PID_EA60\0001'
$wine reg add "$key" /v ClassGUID /d '{4d36e978-e325-11ce-bfc1-08002be10318}' /f >/dev/null 2>&1
$wine reg add "$key" /v DeviceDesc /d 'Silicon Labs CP210x USB to UART Bridge' /f >/dev/null 2>&1
$wine reg add "$key\Device Parameters" /v PortName /d COM5 /f >/dev/null 2>&1
ln -sfn "$work/com5" "$WINEPREFIX/dosdevices/com5"

"$sim" --link "$work/com5" --pattern 64x48:1:1 2>"$simlog" >/dev/null &
sim_pid=$!
wait_until 10 "the simulator made its port" test -e "$work/com5"

mkdir -p "$work/run"
cd "$work/run" || fail "no working folder"
WINEDEBUG=+loaddll $wine "$program_dir/kaviewer.exe" >"$log" 2>&1 &
program=$!
wait_until 120 "the 945x614 window appeared" window_at
wait_until 20 "the three fonts loaded" sh -c "[ \$(grep -c 'msyh = ' '$log') -ge 3 ]"
sleep 1
shot start && status_of start

# Every plugin is loaded from the program's own folder, not only shipped.
folder=$(basename "$program_dir")
for plugin in platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qjpeg.dll; do
  # Wine's trace doubles each backslash.
  grep -qF "\\\\$folder\\\\${plugin%/*}\\\\${plugin#*/}\" at" "$log" || fail "the program did not load $plugin"
done

# Connect: the port found through SetupAPI, opened, the request written to the device; the
# answer never arrives (see above), and the window says so.
click 110 98
wait_until 20 "the port was listed as COM5" has "$log" '^"COM5"'
has "$log" '^"Silicon Labs CP210x USB to UART Bridge"' || fail "the port's description was not listed"
wait_until 20 "the simulator received AT_INFO*" has "$simlog" '<- AT_INFO\*'
wait_until 20 "the port was closed after the handshake ran out" has "$simlog" 'host closed the port'
sleep 1
shot no-answer && status_of no-answer
[ "$(differing "$work/start-status.png" "$work/no-answer-status.png")" -gt 100 ] ||
  fail "after the handshake ran out the status column shows no reason"
! has "$log" 'connection lost' || fail "the handshake was taken for a lost connection: $(grep 'connection lost' "$log")"
# The reason's tip, drawn in Windows' style.
xdotool mousemove --sync $((wx + 110)) $((wy + 250))
sleep 2
shot no-answer-tip

# The window stays usable: the language switch lands in kalocfg.ini in the working folder.
click 735 98
wait_until 10 "kalocfg.ini says chinesesimplified" has "$work/run/kalocfg.ini" 'chinesesimplified'
click 805 98
wait_until 10 "kalocfg.ini says en" has "$work/run/kalocfg.ini" 'language=en'

finish
echo ok >"$work/passed"
