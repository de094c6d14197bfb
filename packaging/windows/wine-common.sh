# Shell helpers of the checks under Wine, sourced by wine-session.sh, wine-kapull.sh and
# wine-installer.sh; each defines its own fail().

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

# The program's 945x614 top-level window, found by its class (its title follows the language):
# its origin on the screen in wx and wy.
window_at() {
  local line
  line=$(xwininfo -root -tree | grep '("kaviewer.exe" "kaviewer.exe")  945x614+' | head -n 1)
  [ -n "$line" ] || return 1
  read -r wx wy < <(sed -E 's/.*945x614\+(-?[0-9]+)\+(-?[0-9]+).*/\1 \2/' <<<"$line")
}

# build_serial_shim DIR: the test-only launcher and library, never part of the zip or the installer,
# built into DIR.
build_serial_shim() {
  local shim=$1 here
  here=$(dirname "${BASH_SOURCE[0]}")/serial-wait
  mkdir -p "$shim"
  x86_64-w64-mingw32-gcc-posix -std=c11 -O2 -Wall -Wextra -shared -static-libgcc -o "$shim/serialwait.dll" \
    "$here/serialwait.c" || fail "serialwait.dll did not build"
  x86_64-w64-mingw32-gcc-posix -std=c11 -O2 -Wall -Wextra -municode -static-libgcc -o "$shim/launch.exe" \
    "$here/launch.c" || fail "launch.exe did not build"
}
