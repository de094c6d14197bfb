#!/usr/bin/env bash
# Sets up, builds and runs every test: the plain build with the package checks and the short soak,
# the same suite under AddressSanitizer/UndefinedBehaviorSanitizer (LeakSanitizer included), the
# program alone built with Unix Makefiles, a short fuzz run of the receive side, and the Windows
# build under Wine.
set -euo pipefail
if [ "${1:-}" = -h ] || [ "${1:-}" = --help ]; then
  echo "usage: bash packaging/test.sh"
  echo "As root on Debian 12: installs what packaging/setup-debian.sh lists, builds, and runs every test"
  echo "(suites, package checks, short soak, sanitizers, Unix Makefiles build, fuzzing, Windows under"
  echo "Wine when ../shared/windows/ is there); stops at the first failure."
  exit 0
fi
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
sanitised() {
  ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$PWD/packaging/lsan.supp \
    UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-asan --output-on-failure -j "$jobs" "$@"
}
# LeakSanitizer's exit-time tracer now and then dies of its own signal 11 on a busy machine ("Tracer
# caught signal 11"), failing a suite that passed. Only suites whose tracer died get a second run;
# any other failure fails at once.
if ! sanitised; then
  log=build-asan/Testing/Temporary
  failed=$(cut -d: -f2- "$log/LastTestsFailed.log" | sort -u)
  tracer_died=$(awk '/^[0-9]+\/[0-9]+ Test: / {name = $3} /Tracer caught signal/ {print name}' \
    "$log/LastTest.log" | sort -u)
  if [ -n "$(comm -23 <(echo "$failed") <(echo "$tracer_died"))" ]; then
    echo "sanitised run FAILED" >&2
    exit 1
  fi
  echo "sanitised run: LeakSanitizer's tracer died in ${failed//$'\n'/ }; once more for them"
  sanitised --rerun-failed
fi

# The program alone with CMake's default generator, tests and benchmarks off, as the README's
# "Building from source" has it; in a fresh checkout (as in CI) a clean build. With tests off the
# benchmarks must still configure.
cmake -S . -B build-plain -G "Unix Makefiles" -DKA_BUILD_TESTS=OFF -DKA_BUILD_BENCH=ON >/dev/null
cmake -S . -B build-plain -DKA_BUILD_BENCH=OFF
cmake --build build-plain -j "$jobs" --target kaviewer

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
