#!/usr/bin/env bash
# Runs a command on the X server xvfb-run started, under a window manager
# (openbox): full screen, frames and placement are then the manager's.
# Usage: window_manager.sh COMMAND [ARGS...]
set -euo pipefail
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null || true' EXIT
# The manager owns the screen once it has set its check window.
for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
QT_QPA_PLATFORM=xcb "$@"
