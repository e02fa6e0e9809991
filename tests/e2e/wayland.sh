#!/usr/bin/env bash
# A Wayland session (headless weston, XWayland): full screen with "Change resolution" on (no
# switch, no box), Escape, SIGTERM within 2 s with a box up. Under dbus-run-session.
# Usage: wayland.sh PLAYER MEDIA
set -euo pipefail
player=$1 media=$2

for need in weston Xwayland xdotool; do
    if ! command -v "$need" >/dev/null; then
        echo "SKIP: $need is not installed (tools/setup.sh installs weston and xwayland)"
        exit 77
    fi
done
source "$(dirname "$0")/lib.sh"
unset DISPLAY WAYLAND_DISPLAY
# XWayland listens in the X socket folder, which only an X server that ran before has made.
mkdir -p -m 1777 /tmp/.X11-unix
weston --backend=headless-backend.so --xwayland --socket=vantor-wayland --idle-time=0 \
    --width=1280 --height=800 --log="$work/weston.log" >/dev/null 2>&1 &
compositor=$!
trap 'kill $compositor 2>/dev/null || true; cleanup' EXIT
xwayland_display() { sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log" 2>/dev/null | tail -n 1; }
within 10 eval '[[ -n $(xwayland_display) && -S $XDG_RUNTIME_DIR/vantor-wayland ]]' ||
    fail "weston with XWayland did not start: $(tail -n 5 "$work/weston.log")"
# As a desktop's Wayland session sets them (Qt goes by the session type).
export WAYLAND_DISPLAY=vantor-wayland DISPLAY=$(xwayland_display) XDG_SESSION_TYPE=wayland
within 10 eval 'xdpyinfo >/dev/null 2>&1' || true # XWayland starts with its first client

settings ChangeRes=1 ChangeResXY=1 ChangeResCols=4 ChangeResHz=0
start "$media/demo.avi /cli -fullscreen"
step="full screen on XWayland"
video=$(wait_window '^Vantor Meridian VideoViewer$') # an X window: the xcb platform
wait_for Playing status
sized() { [[ $(client "$video" | cut -d' ' -f3-) == "$1" ]]; }
await 5 'video at $(client "$video")' sized "1280 800"
(($(xdotool search --onlyvisible --name '^Vantor Meridian$' | wc -l) == 1)) ||
    fail "$step: a box showed"
! grep -q 'keeps the display' "$work/player.log" || fail "$step: a switch was tried"
[[ $(xrandr | sed -n 's/.*current \([0-9]*\) x \([0-9]*\),.*/\1x\2/p') == 1280x800 ]] ||
    fail "$step: the display mode changed"
sleep 1
[[ $(ctl status) == Playing ]] || fail "$step: $(ctl status)"

step="Escape"
xdotool key --window "$video" Escape
await 5 'video at $(client "$video")' sized "640 360"

terminate "$step" # exits.sh times SIGTERM while playing

# A file named with one that is gone: the message box names it at start-up.
step="SIGTERM with a message box open"
start "$media/demo.avi" "$work/gone.avi"
await 10 "no box" eval '(($(xdotool search --onlyvisible --name "^Vantor Meridian$" | wc -l) >= 2))'
since=$(date +%s%3N)
kill -TERM "$pid"
ended "$step" "$since"
echo "wayland: ok"
