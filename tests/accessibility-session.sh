#!/usr/bin/env bash
# Runs a test where a screen reader would listen: on a session D-Bus with the accessibility bus and
# on a virtual X server. There Qt's accessibility is on, and every change it reports reaches the
# test; on the offscreen platform it would stay off.
set -u
case "${1:-}" in -h | --help) echo "usage: accessibility-session.sh PROGRAM [ARGS...]"; exit 0 ;; esac
if [ -z "${KA_A11Y_SESSION:-}" ]; then
  # -noreset: the accessibility bus's address, kept on the root window, survives its launcher.
  exec dbus-run-session -- xvfb-run -a -s "-noreset" env KA_A11Y_SESSION=1 bash "$0" "$@" 2> >(grep -v "fd limit" >&2)
fi
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
launcher=$!
# No OpenGL: the window draws none, and its driver's libraries are only more to load and leak.
QT_QPA_PLATFORM=xcb QT_XCB_GL_INTEGRATION=none QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@"
status=$?
kill "$launcher" 2>/dev/null
wait "$launcher" 2>/dev/null
exit "$status"
