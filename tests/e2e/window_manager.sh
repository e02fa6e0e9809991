#!/usr/bin/env bash
# Runs a command on xvfb-run's X server under a window manager, which then frames and places.
# Usage: window_manager.sh COMMAND [ARGS...]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
start_window_manager
QT_QPA_PLATFORM=xcb "$@"
