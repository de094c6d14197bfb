#!/usr/bin/env bash
# Runs a test where a screen reader would listen: on a session D-Bus with the accessibility bus and
# on a virtual X server. There Qt's accessibility is on, and every change it reports reaches the
# test; on the offscreen platform it would stay off.
set -u
if [ -z "${KA_A11Y_SESSION:-}" ]; then
  exec dbus-run-session -- xvfb-run -a env KA_A11Y_SESSION=1 bash "$0" "$@" 2> >(grep -v "fd limit" >&2)
fi
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
launcher=$!
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@"
status=$?
kill "$launcher" 2>/dev/null
wait "$launcher" 2>/dev/null
exit "$status"
