#!/usr/bin/env bash
# Sets up, builds and runs every test: the plain build with the package checks and the short soak,
# the same suite under AddressSanitizer/UndefinedBehaviorSanitizer (LeakSanitizer included), a
# short fuzz run of the receive side, and the Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
bash packaging/setup-debian.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
bash packaging/check-package.sh
# The soak's short form: the whole program through mixed pictures, hostile input and reconnects.
build/bin/kasoak --short

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKA_SANITIZE=ON -DKA_BUILD_BENCH=OFF
cmake --build build-asan -j "$jobs"
# LeakSanitizer's exit-time tracer now and then dies of its own signal 11 on a busy machine ("Tracer
# caught signal 11"), failing a suite that passed; a suite gets one more run, and a real report
# fails both.
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$PWD/packaging/lsan.supp \
  UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-asan --output-on-failure -j "$jobs" \
  --repeat until-pass:2

if [ -d fuzz ]; then
  CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKA_BUILD_FUZZ=ON \
    -DKA_BUILD_BENCH=OFF
  cmake --build build-fuzz -j "$jobs" --target fuzz_receive
  ctest --test-dir build-fuzz --output-on-failure -R fuzz_
fi

bash packaging/check-windows.sh

# One closing line for the three ctest runs; any failure has stopped the script before it.
count() { ctest --test-dir "$@" -N | awk '/Total Tests:/ {print $3}'; }
total=$(( $(count build) + $(count build-asan) ))
[ -d build-fuzz ] && total=$(( total + $(count build-fuzz -R fuzz_) ))
echo "tests: ${total} passed, 0 failed"
