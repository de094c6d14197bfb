#!/usr/bin/env bash
# Builds the benchmarks and the soak as Release in build-release/ and runs one of them:
#   bash bench/run.sh window    end-to-end benchmark of the window against the simulator (~3 min)
#   bash bench/run.sh soak      2,000 mixed pictures, 50 MB of hostile input, 30 reconnects (~2 min)
#   bash bench/run.sh receive   the receive side alone and through a pseudo-terminal
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
  plot)
    gnuplot -e "data='$build/bench-window-2000.dat'; out='docs/performance-per-picture.png'" bench/plot.gp ;;
  *)
    sed -n '2,7p' "$0" >&2
    exit 2 ;;
esac
