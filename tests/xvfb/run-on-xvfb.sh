#!/usr/bin/env bash
# Runs one program on a private Xvfb server and stops the server afterwards.
# -displayfd lets the server pick a free display itself, so parallel test
# runs never race for one; the number arrives through a pipe, without polling.
#   run-on-xvfb.sh <program> [arguments...]
set -euo pipefail

if ! command -v Xvfb >/dev/null; then
    echo "run-on-xvfb.sh: Xvfb is not installed (scripts/install-deps.sh installs it)" >&2
    exit 1
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/plaza-xvfb.XXXXXX")
server=""
cleanup() {
    if [ -n "$server" ]; then
        kill "$server" 2>/dev/null || true
        wait "$server" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

mkfifo "$work/display"
# -terminate: the server also goes when its last client does, should this script be killed.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -terminate \
    3>"$work/display" 2>"$work/server.log" &
server=$!

display=""
read -r display <"$work/display" || true
if [ -z "$display" ]; then
    echo "run-on-xvfb.sh: Xvfb did not start:" >&2
    cat "$work/server.log" >&2
    exit 1
fi

export DISPLAY=":$display"
export QT_QPA_PLATFORM=xcb
# The pixel checks expect one device pixel per logical pixel.
export QT_SCALE_FACTOR=1 QT_AUTO_SCREEN_SCALE_FACTOR=0
# A bare server, no desktop session: no session bus for the platform plug-in to
# look for (or to start through X11 autolaunch) and no OpenGL to load.
export DBUS_SESSION_BUS_ADDRESS=disabled: QT_XCB_GL_INTEGRATION=none
"$@"
