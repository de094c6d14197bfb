#!/usr/bin/env bash
# Films the demo's first picture arriving at the real line rate: one shot of the preview a second,
# joined left to right into one picture.
# usage: filmstrip.sh OUTPUT.png [SHOTS]
set -euo pipefail
if [ "${1:-}" = -h ] || [ "${1:-}" = --help ]; then
  echo "usage: bash packaging/filmstrip.sh OUTPUT.png [SHOTS]"
  echo "The demo's first picture arriving at the real line rate, one shot of the preview a second"
  echo "(6 unless SHOTS says otherwise), joined left to right."
  exit 0
fi
out=$(realpath -m "$1")
shots=${2:-6}
build=$(realpath "$(dirname "$0")/../build")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat > "$work/session.sh" <<INNER
set -e
xsetroot -solid '#d9dde4'
cd "$work"
"$build/bin/kaviewer-demo" --connect --paced &
demo=\$!
sleep 1
for i in \$(seq 1 $shots); do
  # The preview with its frame and caption, as an export has it.
  import -window root -crop 372x322+378+208 "$work/shot-\$i.png"
  sleep 1
done
kill \$demo
INNER
xvfb-run -a -s "-screen 0 1280x800x24" bash "$work/session.sh"
files=()
for i in $(seq 1 "$shots"); do files+=("$work/shot-$i.png"); done
convert "${files[@]}" -bordercolor white -border 4 +append -resize 50% "$out"
echo "wrote $out"
