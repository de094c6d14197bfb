#!/usr/bin/env bash
# Screenshots of the viewer on a virtual X server: the demo after a transfer, its viewer opened by a
# double click on the preview and driven with xdotool.
#   readout     picture 5 (2 bytes per pixel) at 12 times, the pointer on a pixel, the whole picture's figures
#   histogram   picture 4 (3 bytes per pixel) with a region dragged with Shift
#   difference  the current picture against the one before it, which moved 12 columns
# usage: viewer-screenshot.sh OUTPUT.png readout|histogram|difference [en|zh]
set -euo pipefail
if [ "${1:-}" = -h ] || [ "${1:-}" = --help ] || [ $# -lt 2 ]; then
  sed -n '2,7p' "$0"
  exit 0
fi
out=$(realpath -m "$1")
scene=$2
language=${3:-en}
build=$(realpath "$(dirname "$0")/../build")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ "$language" = zh ]; then
  printf '[General]\nlanguage=chinesesimplified\n' > "$work/kalocfg.ini"
fi

case "$scene" in
  readout)
    steps='xdotool key --window "$viewer" Prior
sleep 0.5
xdotool mousemove 295 262
for i in 1 2 3 4 5 6; do xdotool key --window "$viewer" plus; done
xdotool key --window "$viewer" a
xdotool mousemove 301 268' ;;
  histogram)
    steps='xdotool key --window "$viewer" Prior Prior
sleep 0.5
xdotool mousemove 260 230 keydown shift mousedown 1 mousemove 330 300 mousemove 420 380 mouseup 1 keyup shift
xdotool mousemove 380 340' ;;
  difference)
    steps='xdotool key --window "$viewer" F5
sleep 1
xdotool key --window "$viewer" F5
sleep 1
xdotool key --window "$viewer" d
xdotool mousemove 346 310
xdotool key --window "$viewer" plus' ;;
  *)
    echo "unknown scene $scene" >&2
    exit 2 ;;
esac

cat > "$work/session.sh" <<INNER
set -e
xsetroot -solid '#d9dde4'
xcompmgr &
sleep 1
cd "$work"
$build/bin/kaviewer-demo --connect &
demo=\$!
sleep 5
xdotool mousemove 564 334 click --repeat 2 --delay 80 1
sleep 1
viewer=\$(xdotool search --name " – KA Image Viewer| – KA 图像查看器" | tail -1)
xdotool windowfocus "\$viewer"
$steps
sleep 1
import -window root -crop 1020x640+0+0 "$out"
kill \$demo
INNER
xvfb-run -a -s "-screen 0 1280x800x24 -noreset" bash "$work/session.sh"
echo "wrote $out"
