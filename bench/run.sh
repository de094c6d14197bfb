#!/usr/bin/env bash
# Builds the benchmarks and the soak as Release in build-release/ and runs one of them:
#   bash bench/run.sh window    end-to-end benchmark of the window against the simulator (~10 min;
#                               --autosave: each picture saved as it arrives, into a temporary folder)
#   bash bench/run.sh soak      2,000 mixed pictures, 50 MB of hostile input, 30 reconnects (a few seconds once built)
#   bash bench/run.sh receive   the receive side alone and through a pseudo-terminal
#   bash bench/run.sh growth    instructions per picture, first and last 1,000 of 10,000 (callgrind, ~5 min)
#   bash bench/run.sh thumbnails  10,000 pictures and thumbnails with no window: the machine's part
#   bash bench/run.sh viewer    the viewer following the live view and panning at 32 times (~1 min)
#   bash bench/run.sh kapull    kapull's download at full speed: throughput and memory (~1 min)
#   bash bench/run.sh plot      docs/performance-per-picture.png from the window benchmark's figures
# Further arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."

what=${1:-}
shift || true
build=build-release
configure_and_build() {
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" -j "$(nproc)" --target "$@"
}

case "$what" in
  window)
    configure_and_build bench_window
    "$build/bin/bench_window" --data "$build" "$@" ;;
  soak)
    configure_and_build kasoak
    "$build/bin/kasoak" "$@" ;;
  receive)
    configure_and_build bench_receive
    "$build/bin/bench_receive" "$@" ;;
  growth)
    configure_and_build bench_growth
    # One picture per turn, then eight: the thousand counted are the first and the last.
    for batch in 1 8; do
      out="$build/growth-batch$batch.callgrind"
      rm -f "$out"*
      valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$out" \
        "$build/bin/bench_growth" --batch "$batch" "$@" >/dev/null 2>&1
      first=$(callgrind_annotate "$out.1" | awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1 }')
      last=$(callgrind_annotate "$out.2" | awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1 }')
      awk -v b="$batch" -v f="$first" -v l="$last" 'BEGIN {
        printf "%d per turn: instructions per picture, first 1,000 %.0f, last 1,000 %.0f, last over first %.4f\n",
          b, f / 1000, l / 1000, l / f }'
    done ;;
  thumbnails)
    configure_and_build bench_thumbnails
    "$build/bin/bench_thumbnails" "$@" ;;
  viewer)
    configure_and_build bench_viewer
    "$build/bin/bench_viewer" "$@" ;;
  kapull)
    configure_and_build bench_kapull
    "$build/bin/bench_kapull" "$@" ;;
  plot)
    gnuplot -e "single='$build/bench-window-10000-single.dat'; batched='$build/bench-window-10000.dat'; out='docs/performance-per-picture.png'" bench/plot.gp ;;
  -h|--help)
    sed -n '2,9p' "$0" ;;
  *)
    sed -n '2,9p' "$0" >&2
    exit 2 ;;
esac
