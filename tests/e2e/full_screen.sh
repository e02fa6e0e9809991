#!/usr/bin/env bash
# Full screen on a real X server with a window manager: "-fullscreen" on
# the command line, Escape and Z, the windowed layout directly above the
# bar, and the video window following the bar when it is minimised and
# restored. Screenshots of both layouts go to OUT. Run under xvfb-run.
# Usage: full_screen.sh PLAYER MEDIA OUT_DIR
set -euo pipefail
player=$1
media=$2
out=$3

source "$(dirname "$0")/lib.sh"
start_window_manager

geometry() { # prints "x y width height" of a window
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X $Y $WIDTH $HEIGHT"
}
wait_geometry() { # wait_geometry WINDOW "x y w h" WHAT
    for _ in $(seq 60); do
        [[ $(geometry "$1") == "$2" ]] && return 0
        sleep 0.1
    done
    fail "$3: the video window is at $(geometry "$1"), expected $2"
}
screen=$(xdpyinfo | awk '/dimensions:/ { sub("x", " ", $2); print $2 }')

# The subtitles beside demo.avi stay out of this test of the video window.
mkdir -p "$XDG_CONFIG_HOME/OrvaneSoft"
printf '[Vantor]\nFindSubs=0\n' >"$XDG_CONFIG_HOME/OrvaneSoft/Vantor.ini"
"$player" "$media/demo.avi /cli -fullscreen" >"$work/player.log" 2>&1 &
pid=$!
video=$(wait_window '^Vantor Meridian VideoViewer$')
main=$(find_window '^Vantor Meridian$')
wait_geometry "$video" "0 0 $screen" "-fullscreen"
sleep 0.5
import -window root "$out/full-screen.png"

# Back, in, and back again: each time the native size, directly above the
# bar and centred on it.
# A window's frame extents, "left right top bottom".
extents() {
    xprop -id "$1" _NET_FRAME_EXTENTS | tr -d ',' | awk '{ print $3, $4, $5, $6 }'
}
windowed() {
    local x y w h l r t b mx my mw mh placed=""
    for _ in $(seq 60); do
        read -r x y w h < <(client "$video")
        read -r l r t b < <(extents "$video")
        read -r mx my mw mh < <(client "$main")
        # The frame's bottom meets the bar's top, centred on the bar.
        if [[ "$w $h" == "640 360" ]] && ((y + h + ${b:-0} == my)) &&
            ((x + w / 2 - (mx + mw / 2) <= 1 && mx + mw / 2 - (x + w / 2) <= 1)); then
            placed=1
            break
        fi
        sleep 0.1
    done
    [[ -n $placed ]] || fail "$1: video at $x $y ${w}x$h (frame $l $r $t $b), bar at $mx $my ${mw}x$mh"
}
xdotool key --window "$video" Escape
windowed "Escape"
xdotool windowactivate --sync "$video" key z
wait_geometry "$video" "0 0 $screen" "z"
xdotool key --window "$video" z
windowed "z twice"
sleep 0.5
import -window root "$out/windowed.png"

# Minimising the bar takes the video window along; restoring brings it back.
xdotool windowminimize --sync "$main"
for _ in $(seq 50); do
    [[ -z $(find_window '^Vantor Meridian VideoViewer$') ]] && break
    sleep 0.1
done
[[ -z $(find_window '^Vantor Meridian VideoViewer$') ]] || fail "the video window stayed"
xdotool windowactivate --sync "$main"
for _ in $(seq 150); do
    [[ -n $(find_window '^Vantor Meridian VideoViewer$') ]] && break
    sleep 0.1
done
[[ -n $(find_window '^Vantor Meridian VideoViewer$') ]] || fail "the video window did not come back"

kill -TERM "$pid"
wait "$pid" || fail "exit status $?"
pid=""
echo "full screen: ok"
