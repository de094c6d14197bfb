#!/usr/bin/env bash
# Takes a screenshot on a virtual X server with a compositor, so the window's soft shadow shows
# as a user sees it: "start" is the program as it starts, "connect" the demo (the same window
# against the simulated device) after a transfer, "autosave" the same with each picture saved as it
# arrives and the preview's menu open.
# A DPI (96 is 1x, 144 is 150%, 192 is 200%) sets the desktop's scale as X desktops do, in Xft.dpi.
# usage: screenshot.sh OUTPUT.png [en|zh] [start|connect|autosave] [DPI]
set -euo pipefail
if [ "${1:-}" = -h ] || [ "${1:-}" = --help ]; then
  echo "usage: bash packaging/screenshot.sh OUTPUT.png [en|zh] [start|connect|autosave] [DPI]"
  echo "A screenshot of build/bin/kaviewer as it starts (start) or of the demo after a transfer"
  echo "(connect, the default; autosave: each picture saved as it arrives, the preview's menu open),"
  echo "in English (the default) or Chinese; DPI 144 is 150%, 192 is 200%."
  exit 0
fi
out=$(realpath -m "$1")
language=${2:-en}
mode=${3:-connect}
dpi=${4:-}
build=$(realpath "$(dirname "$0")/../build")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '[General]\n' > "$work/kalocfg.ini"
if [ "$language" = zh ]; then
  printf 'language=chinesesimplified\n' >> "$work/kalocfg.ini"
fi
menu=
if [ "$mode" = autosave ]; then
  mkdir "$work/Pictures"
  printf 'autosavefolder=%s\n' "$work/Pictures" >> "$work/kalocfg.ini"
  menu="xdotool mousemove 470 300 click 3; sleep 1"
fi
program="$build/bin/kaviewer"
[ "$mode" != start ] && program="$build/bin/kaviewer-demo --connect"

size=945x614
screen=1280x800
if [ -n "$dpi" ]; then
  size=$(( (945 * dpi + 95) / 96 ))x$(( (614 * dpi + 95) / 96 ))
  screen=2560x1600
fi

cat > "$work/session.sh" <<INNER
set -e
xsetroot -solid '#d9dde4'
xcompmgr &
sleep 1
[ -n "$dpi" ] && echo "Xft.dpi: $dpi" | xrdb -merge
cd "$work"
$program &
demo=\$!
sleep 6
$menu
import -window root -crop $size+0+0 "$out"
kill \$demo
INNER
xvfb-run -a -s "-screen 0 ${screen}x24 -noreset" bash "$work/session.sh"
echo "wrote $out"
