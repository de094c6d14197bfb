#!/usr/bin/env bash
# The real kaviewer.exe under Wine against the device simulator, run by check-windows.sh on a
# virtual X server; xdotool plays the user through a whole session: Connect, the stored pictures
# saved and exported, Disconnect, the device hanging up mid-picture and a reconnect, the language
# switch.
#   wine-session.sh PROGRAM_DIR WORK_DIR SIMULATOR
# Expects WINEPREFIX, WINESERVER and the Wine loader in $wine. Each step that fails says what
# differed; the screenshots stay in WORK_DIR.
#
# Debian 12's Wine 8.0 cannot complete the serial event wait Qt SerialPort's Windows backend
# starts (an APC completion on a handle without an event), so serial-wait/launch.exe starts the
# program and loads serial-wait/serialwait.dll into it, which completes that one wait the way
# Windows does. The rest is Wine's and Qt's own Windows path: the port listed through SetupAPI,
# the open, the settings, overlapped reads and writes with their completions, the errors when
# the device goes away, the close. Qt's widget-based file dialogs (a platform option) stand in
# for the native ones, which xdotool cannot fill in reliably.
set -uo pipefail
if [ "${1:-}" = -h ] || [ "${1:-}" = --help ]; then
  echo "usage: bash packaging/windows/wine-session.sh PROGRAM_DIR WORK_DIR SIMULATOR"
  echo "Run by packaging/check-windows.sh: kaviewer.exe under Wine through a whole session against the"
  echo "device simulator. Expects WINEPREFIX, WINESERVER and the Wine loader in \$wine."
  exit 0
fi
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
# shellcheck source=wine-common.sh
source "$(dirname "$0")/wine-common.sh"
has() { grep -q -- "$2" "$1" 2>/dev/null; }
count() { grep -c -- "$2" "$1" 2>/dev/null; }

click() { xdotool mousemove --sync $((wx + $1)) $((wy + $2)) click "${3:-1}"; }
shot() { import -window root "$work/$1.png"; }
# The status column (icon, state, device line or failure reason) of a screenshot.
status_of() { convert "$work/$1.png" -crop 180x120+$((wx + 20))+$((wy + 142)) +repage "$work/$1-status.png"; }
# The program's window alone, out of a screenshot, for the README.
window_of() { convert "$work/$1.png" -crop 945x614+"$wx"+"$wy" +repage "$work/$2.png"; }
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }
# The connection icon's centre: green while connected.
green_icon() {
  local r g b
  read -r r g b < <(convert "$work/$1.png" -crop 1x1+$((wx + 90))+$((wy + 169)) -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:)
  [ "$g" -gt $((r + 60)) ] && [ "$g" -gt $((b + 30)) ]
}
# Light text pixels on the line under the state: the device line.
device_line_pixels() {
  convert "$work/$1.png" -crop 150x14+$((wx + 35))+$((wy + 244)) +repage -colorspace Gray -threshold 80% \
    -format '%[fx:int(mean*w*h)]' info:
}
window_named() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
# Fills in Qt's directory dialog named $1 with the Windows path of $2.
choose_directory() {
  wait_until 20 "the dialog \"$1\" opened" window_named "$1"
  sleep 0.5
  xdotool type --delay 20 "Z:${2//\//\\}"
  xdotool key Return
}
open_thumbnail_menu() { click 125 317 3; sleep 1; }
# From the thumbnail's open menu: "Save all originals…" into the folder $1.
save_originals_into() {
  xdotool key Down Down Return
  choose_directory 'Choose Directory to Save Originals' "$1"
}
start_sim() {
  rm -f "$work/com5"
  "$sim" --link "$work/com5" "$@" 2>>"$simlog" >/dev/null &
  sim_pid=$!
  wait_until 10 "the simulator made its port" test -e "$work/com5"
}

# The port as Windows lists it: the CP210x bridge on COM5, whose device is the simulator's pty.
key='HKLM\System\CurrentControlSet\Enum\USB\VID_10C4&PID_EA60\0001'
$wine reg add "$key" /v ClassGUID /d '{4d36e978-e325-11ce-bfc1-08002be10318}' /f >/dev/null 2>&1
$wine reg add "$key" /v DeviceDesc /d 'Silicon Labs CP210x USB to UART Bridge' /f >/dev/null 2>&1
$wine reg add "$key\Device Parameters" /v PortName /d COM5 /f >/dev/null 2>&1
ln -sfn "$work/com5" "$WINEPREFIX/dosdevices/com5"

# The test-only launcher and library, never part of the zip or the installer.
shim=$work/serial-wait
build_serial_shim "$shim"

# Stored pictures in 1, 2 and 3 bytes per pixel whose pixels survive the device's formats
# unchanged (the 2-byte one holds only colours RGB565 represents exactly).
pictures=$work/pictures
mkdir -p "$pictures"
convert -size 96x64 xc: -fx '(i*2+j)%256/255' -colorspace Gray -depth 8 "PNG:$pictures/1.png"
convert -size 96x64 xc: -channel R -fx '(floor(i*31/95)*8+floor(floor(i*31/95)/4))/255' \
  -channel G -fx '(floor(j*63/63)*4+floor(floor(j*63/63)/16))/255' \
  -channel B -fx '((i+j)%32*8+floor((i+j)%32/4))/255' +channel -depth 8 "PNG24:$pictures/2.png"
convert -size 96x64 xc: -channel R -fx 'i/95' -channel G -fx 'j/63' -channel B -fx '(i*j)%256/255' \
  +channel -depth 8 "PNG24:$pictures/3.png"
stored=(--image "$pictures/1.png:1:1" --image "$pictures/2.png:2:2" --image "$pictures/3.png:3:3")
start_sim "${stored[@]}"

mkdir -p "$work/run"
cd "$work/run" || fail "no working folder"
WINEDEBUG=+loaddll WINEQT_QPA_PLATFORM=windows:dialogs=none $wine "$shim/launch.exe" \
  "Z:${program_dir//\//\\}\\kaviewer.exe" "Z:${shim//\//\\}\\serialwait.dll" >"$log" 2>&1 &
program=$!
wait_until 120 "the 945x614 window appeared" window_at
wait_until 20 "the three fonts loaded" sh -c "[ \$(grep -c 'msyh = ' '$log') -ge 3 ]"
wait_until 20 "serialwait.dll was loaded" has "$log" 'serialwait.dll loaded'
sleep 1
shot start && status_of start
start_line=$(device_line_pixels start)

# Every plugin is loaded from the program's own folder, not only shipped.
folder=$(basename "$program_dir")
for plugin in platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qjpeg.dll; do
  # Wine's trace doubles each backslash.
  grep -qF "\\\\$folder\\\\${plugin%/*}\\\\${plugin#*/}\" at" "$log" || fail "the program did not load $plugin"
done

# Connect: the port found through SetupAPI, the handshake, the stored pictures.
click 110 98
wait_until 20 "the port was listed as COM5" has "$log" '^"COM5"'
has "$log" '^"Silicon Labs CP210x USB to UART Bridge"' || fail "the port's description was not listed"
wait_until 20 "the simulator received AT_INFO*" has "$simlog" '<- AT_INFO\*'
wait_until 20 "the device info was answered and the pictures asked for (AT_GSI**)" has "$simlog" '<- AT_GSI\*\*'
wait_until 30 "the three stored pictures arrived" sh -c "[ \$(grep -c '^image: ' '$log') -ge 3 ]"
sleep 1
shot connected && status_of connected
green_icon connected || fail "the connected look: the connection icon is not green"
line=$(device_line_pixels connected)
[ "$line" -gt $((start_line + 40)) ] || fail "no device line under the state: $line light pixels, $start_line before"
window_of connected window-connected

# Save all originals, from the thumbnail's context menu: pixel for pixel the device's pictures.
open_thumbnail_menu
shot context-menu
window_of context-menu window-menu
mkdir -p "$work/originals"
save_originals_into "$work/originals"
wait_until 20 "three originals were saved" sh -c "[ \$(ls '$work/originals' | wc -l) -ge 3 ]"
sleep 1
for n in 1 2 3; do
  saved=$work/originals/Image_$n.png
  [ -f "$saved" ] || fail "no $(basename "$saved") among the saved originals: $(ls "$work/originals")"
  [ "$(identify -format %wx%h "$saved")" = 96x64 ] || fail "Image_$n.png is $(identify -format %wx%h "$saved"), not 96x64"
  d=$(differing "$saved" "$pictures/$n.png")
  [ "$d" = 0 ] || fail "Image_$n.png ($n bytes per pixel) differs from the device's picture in $d pixels"
done

# A save that fails (a folder stands where Image_2.png would go): the message box names the file.
mkdir -p "$work/blocked/Image_2.png"
open_thumbnail_menu
save_originals_into "$work/blocked"
# The name is taken: asked first, Replace (left of the default, Keep them) tries it anyway.
wait_until 20 "the question about the existing Image_2.png" window_named '^Save all originals$'
xdotool key shift+Tab space
wait_until 20 "the failed save was reported in a message box" window_named '^Export failed$'
has "$log" 'export failed:.*Image_2.png' || fail "the failed file was not Image_2.png: $(grep 'export failed' "$log")"
[ -f "$work/blocked/Image_1.png" ] && [ -f "$work/blocked/Image_3.png" ] || fail "the other originals were not saved beside the failure"
sleep 1
shot failure
window_of failure window-failure
xdotool key Return
wait_until 10 "the message box closed" sh -c '! xdotool search --onlyvisible --name "^Export failed$" >/dev/null 2>&1'

# Export All: 372x322 JPEG files named after the pictures.
click 470 98
mkdir -p "$work/export"
choose_directory 'Choose Directory to Save Images' "$work/export"
wait_until 20 "three pictures were exported" sh -c "[ \$(ls '$work/export' | wc -l) -ge 3 ]"
sleep 1
for n in 1 2 3; do
  f=$work/export/Image_$n.jpg
  [ -f "$f" ] || fail "Export All wrote no Image_$n.jpg: $(ls "$work/export")"
  [ "$(identify -format '%m %wx%h' "$f")" = 'JPEG 372x322' ] || fail "Image_$n.jpg is $(identify -format '%m %wx%h' "$f")"
done

# Disconnect: the device hears AT_DIS**, the port closes, the plain disconnected look returns.
click 110 98
wait_until 20 "the simulator received AT_DIS**" has "$simlog" '<- AT_DIS\*\*'
wait_until 20 "the port was closed" has "$simlog" 'host closed the port'
sleep 1
shot disconnected && status_of disconnected
d=$(differing "$work/start-status.png" "$work/disconnected-status.png")
[ "$d" -le 20 ] || fail "after Disconnect the status column differs from the start in $d pixels (a failure reason?)"
! has "$log" 'connection lost' || fail "Disconnect was taken for a lost connection: $(grep 'connection lost' "$log")"

# The device hangs up in the middle of a picture: "Connection lost".
kill "$sim_pid"
wait "$sim_pid" 2>/dev/null
convert -size 320x240 xc: -channel R -fx 'i/319' -channel G -fx 'j/239' +channel -depth 8 "PNG24:$pictures/big.png"
start_sim --paced --image "$pictures/big.png:7:3"
click 110 98
wait_until 20 "the simulator was asked for its pictures again" sh -c "[ \$(grep -c '<- AT_GSI' '$simlog') -ge 2 ]"
sleep 1
kill "$sim_pid"
wait "$sim_pid" 2>/dev/null
wait_until 20 "the program noticed the device going away" has "$log" 'connection lost'
sleep 1
shot lost && status_of lost
! green_icon lost || fail "after the device hung up the window still looks connected"
[ "$(differing "$work/start-status.png" "$work/lost-status.png")" -gt 100 ] ||
  fail "after the device hung up the status column shows no reason"

# A clean reconnect once the device is back.
images_before=$(count "$log" '^image: ')
start_sim "${stored[@]}"
click 110 98
wait_until 30 "the pictures arrived again after reconnecting" \
  sh -c "[ \$(grep -c '^image: ' '$log') -ge $((images_before + 3)) ]"
sleep 1
shot reconnected
green_icon reconnected || fail "after reconnecting the connection icon is not green"
click 110 98
wait_until 20 "the simulator received AT_DIS** after the reconnect" sh -c "[ \$(grep -c '<- AT_DIS' '$simlog') -ge 2 ]"

# The language switch lands in kalocfg.ini in the working folder.
click 735 98
wait_until 10 "kalocfg.ini says chinesesimplified" has "$work/run/kalocfg.ini" 'chinesesimplified'
click 805 98
wait_until 10 "kalocfg.ini says en" has "$work/run/kalocfg.ini" 'language=en'

finish
echo ok >"$work/passed"
