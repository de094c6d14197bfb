#!/usr/bin/env bash
# Takes a screenshot on a virtual X server with a compositor, so the window's soft shadow shows
# as a user sees it: "start" is the program as it starts, "connect" the demo (the same window
# against the simulated device) after a transfer.
# usage: screenshot.sh OUTPUT.png [en|zh] [start|connect]
set -euo pipefail
out=$(realpath -m "$1")
language=${2:-en}
mode=${3:-connect}
build=$(realpath "$(dirname "$0")/../build")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ "$language" = zh ]; then
  printf '[General]\nlanguage=chinesesimplified\n' > "$work/kalocfg.ini"
fi
program="$build/bin/kaviewer"
[ "$mode" = connect ] && program="$build/bin/kaviewer-demo --connect"

cat > "$work/session.sh" <<INNER
set -e
xsetroot -solid '#d9dde4'
xcompmgr &
sleep 1
cd "$work"
$program &
demo=\$!
sleep 6
import -window root -crop 945x614+0+0 "$out"
kill \$demo
INNER
xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/session.sh"
echo "wrote $out"
