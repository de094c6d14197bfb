#!/bin/bash
# Shows what a screen reader (an AT-SPI client such as Orca) is told by a Qt 5 program.
#
#   atspi-view.sh [-t SECONDS] PROGRAM [ARGS...]
#
# Starts a private session bus (dbus-run-session) and a private X server
# (xvfb-run, with -noreset), launches the AT-SPI bus, publishes its address
# on the X root window (AT_SPI_BUS property), then runs PROGRAM, records
# object:property-change:accessible-name events for SECONDS (default 12)
# and prints the accessible tree followed by the events.
# The program's own output goes to $ATSPI_VIEW_LOG (default
# ${TMPDIR:-/tmp}/atspi-view.log). Needs dbus-daemon, at-spi2-core, xvfb, x11-utils (xprop)
# and python3-pyatspi (packaging/setup-debian.sh installs them).
#
# Why the X property: Qt 5.15's AT-SPI bridge (Debian 5.15.8) only works if
# it finds the a11y bus address in the X root window property AT_SPI_BUS at
# startup; then it connects synchronously.  Without the property it asks
# org.a11y.Bus.GetAddress asynchronously, but initialises (RegisterApplication,
# GetRegisteredEvents) before that connection exists and never retries:
# "Error in contacting registry ... Not connected to D-Bus server".
# at-spi-bus-launcher does set AT_SPI_BUS, but it then closes its X
# connection; with no other X client left, Xvfb performs a server reset and
# wipes all root-window properties (also any set with xprop).  Running Xvfb
# with -noreset keeps the property; we also set it again explicitly.
set -u
case "${1:-}" in -h | --help) echo "usage: atspi-view.sh [-t SECONDS] PROGRAM [ARGS...]"; exit 0 ;; esac
HERE=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" != "--inner" ]; then
    SECS=12
    if [ "${1:-}" = "-t" ]; then SECS=$2; shift 2; fi
    [ $# -ge 1 ] || { echo "usage: $0 [-t SECONDS] PROGRAM [ARGS...]" >&2; exit 2; }
    LIMIT=$(( ${SECS%.*} + 60 ))
    exec timeout -k 5 "$LIMIT" dbus-run-session -- \
        xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
        bash "$HERE/atspi-view.sh" --inner "$SECS" "$@" 2> >(grep -v 'Failed to set fd limit' >&2)
fi

# ---- inner part: runs inside the private session bus and X server ----
shift
SECS=$1; shift
LOG=${ATSPI_VIEW_LOG:-${TMPDIR:-/tmp}/atspi-view.log}

timeout $(( ${SECS%.*} + 50 )) /usr/libexec/at-spi-bus-launcher --launch-immediately \
    > "$LOG.launcher" 2>&1 &
LPID=$!
sleep 0.5   # let it claim org.a11y.Bus before dbus-send could auto-activate a second one

addr=""
for _ in $(seq 50); do
    addr=$(timeout 2 dbus-send --session --print-reply --dest=org.a11y.Bus \
             /org/a11y/bus org.a11y.Bus.GetAddress 2>/dev/null |
           sed -n 's/^ *string "\(.*\)"/\1/p')
    [ -n "$addr" ] && break
    sleep 0.1
done
[ -n "$addr" ] || { echo "a11y bus did not come up" >&2; kill "$LPID"; exit 1; }

timeout 5 xprop -root -f AT_SPI_BUS 8s -set AT_SPI_BUS "$addr"
# Harmless extra for toolkits that look at it.
timeout 5 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
    org.freedesktop.DBus.Properties.Set string:org.a11y.Status \
    string:IsEnabled variant:boolean:true > /dev/null 2>&1

echo "a11y bus: $addr  (DISPLAY=$DISPLAY)"
timeout $(( ${SECS%.*} + 40 )) /usr/bin/python3 "$HERE/atspi_probe.py" "$SECS" "$LOG" "$@"
rc=$?
kill "$LPID" 2>/dev/null
exit $rc
