#!/usr/bin/env bash
# The player in a Wayland session: weston's headless backend with XWayland.
# Started as a Wayland session starts it (WAYLAND_DISPLAY, XDG_SESSION_TYPE,
# no platform named), it runs through
# XWayland, so its windows are X windows there; it plays, goes full screen
# from the command line with "Change resolution" on (XWayland cannot switch
# modes: no box, no pause) and back with Escape, and ends on SIGTERM within
# 2 seconds while a message box is open. Run under dbus-run-session.
# Usage: wayland.sh PLAYER MEDIA
set -euo pipefail
player=$1
media=$2

for need in weston Xwayland xdotool; do
    if ! command -v "$need" >/dev/null; then
        echo "SKIP: $need is not installed (tools/setup.sh installs weston and xwayland)"
        exit 77
    fi
done
source "$(dirname "$0")/lib.sh"
unset DISPLAY WAYLAND_DISPLAY
weston --backend=headless-backend.so --xwayland --socket=vantor-wayland --idle-time=0 \
    --width=1280 --height=800 --log="$work/weston.log" >/dev/null 2>&1 &
compositor=$!
trap 'kill $compositor 2>/dev/null || true; cleanup' EXIT
display=""
for _ in $(seq 100); do
    display=$({ sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log" ||
        true; } 2>/dev/null | tail -n 1)
    [[ -n $display && -S $XDG_RUNTIME_DIR/vantor-wayland ]] && break
    sleep 0.1
done
[[ -n $display ]] || fail "weston with XWayland did not start: $(tail -n 5 "$work/weston.log")"
# As a desktop's Wayland session sets them (Qt goes by the session type).
export WAYLAND_DISPLAY=vantor-wayland DISPLAY=$display XDG_SESSION_TYPE=wayland
for _ in $(seq 100); do # XWayland starts with its first client
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done

mkdir -p "$XDG_CONFIG_HOME/OrvaneSoft"
printf '[Vantor]\nChangeRes=1\nChangeResXY=1\nChangeResCols=4\nChangeResHz=0\n' \
    >"$XDG_CONFIG_HOME/OrvaneSoft/Vantor.ini"
"$player" "$media/demo.avi /cli -fullscreen" >"$work/player.log" 2>&1 &
pid=$!
step="full screen on XWayland"
video=$(wait_window '^Vantor Meridian VideoViewer$') # an X window: the xcb platform
wait_for Playing status
for _ in $(seq 50); do
    [[ $(client "$video" | cut -d' ' -f3-) == "1280 800" ]] && break
    sleep 0.1
done
[[ $(client "$video" | cut -d' ' -f3-) == "1280 800" ]] || fail "$step: video at $(client "$video")"
(($(xdotool search --onlyvisible --name '^Vantor Meridian$' | wc -l) == 1)) ||
    fail "$step: a box showed"
! grep -q 'keeps the display' "$work/player.log" || fail "$step: a switch was tried"
[[ $(xrandr | sed -n 's/.*current \([0-9]*\) x \([0-9]*\),.*/\1x\2/p') == 1280x800 ]] ||
    fail "$step: the display mode changed"
sleep 1
[[ $(ctl status) == Playing ]] || fail "$step: $(ctl status)"

step="Escape"
xdotool key --window "$video" Escape
for _ in $(seq 50); do
    [[ $(client "$video" | cut -d' ' -f3-) == "640 360" ]] && break
    sleep 0.1
done
[[ $(client "$video" | cut -d' ' -f3-) == "640 360" ]] || fail "$step: video at $(client "$video")"

step="SIGTERM while playing"
since=$(date +%s%3N)
kill -TERM "$pid"
ended "$step" "$since"

# A file named with one that is gone: the message box names it at start-up.
step="SIGTERM with a message box open"
"$player" "$media/demo.avi" "$work/gone.avi" >"$work/player.log" 2>&1 &
pid=$!
for _ in $(seq 100); do
    (($(xdotool search --onlyvisible --name '^Vantor Meridian$' | wc -l) >= 2)) && break
    sleep 0.1
done
(($(xdotool search --onlyvisible --name '^Vantor Meridian$' | wc -l) >= 2)) || fail "$step: no box"
since=$(date +%s%3N)
kill -TERM "$pid"
ended "$step" "$since"
echo "wayland: ok"
