#!/usr/bin/env bash
# The demo disc's menu in the real program under a window manager, clicked where
# the picture shows its hot spots, windowed and in full screen (MenuScreenTest
# follows every hot spot's action). Run under xvfb-run and dbus-run-session.
# Usage: menus.sh PLAYER MEDIA OUT_DIR
set -euo pipefail
player=$1 media=$2 out=$3

source "$(dirname "$0")/lib.sh"
start_window_manager

# Clicks the centre of a hot spot given in the menu picture's 640x360
# pixels, where the video window shows the picture (centred, in its shape).
click_spot() { # click_spot LEFT TOP RIGHT BOTTOM
    local x y w h pw ph
    read -r x y w h < <(client "$video")
    pw=$w ph=$((w * 360 / 640))
    ((ph <= h)) || { ph=$h pw=$((h * 640 / 360)); }
    xdotool mousemove $((x + (w - pw) / 2 + ($1 + $3) / 2 * pw / 640)) \
        $((y + (h - ph) / 2 + ($2 + $4) / 2 * ph / 360))
    sleep 0.3 # the pointer is followed, so the highlight moves first
    xdotool click 1
}
# The movie opens, then jumps: the position may lag the title a moment.
between() { (($(position) >= $1 && $(position) < $2)); } # FROM TO, in whole seconds
wait_position() { await 5 "$3 started at \$(ctl position) s" between "$1" "$2"; } # FROM TO WHAT

start "$media/main.vmu"
playing menu.avi
video=$(wait_window '^Vantor Meridian VideoViewer$')

# The background is four seconds long and loops under the menu.
sleep 5
[[ $(ctl metadata xesam:title) == menu.avi && $(ctl status) == Playing ]] ||
    fail "the menu's background did not loop"
read -r x y w h < <(client "$video")
xdotool mousemove $((x + 180 * w / 640)) $((y + 167 * h / 360))
sleep 0.5
import -window root "$out/menu-e2e.png"

# The second chapter: the demo from 00:00:05.
click_spot 50 143 312 191
wait_for demo.avi metadata xesam:title
wait_position 5 9 "the chapter"

# A still menu shows its picture and reports no track, not the movie before.
ctl open "file://$media/second.vmu"
wait_for Stopped status
wait_for "" metadata xesam:title

# In full screen the hot spots scale with the picture: the second audio
# stream plays the demo from its start.
ctl open "file://$media/main.vmu"
playing menu.avi
press "$video" z
full() { [[ $(client "$video") == "0 0 $(screen_size)" ]]; }
await 5 'the menu in full screen at $(client "$video")' full
sleep 0.3
click_spot 50 193 356 241
playing demo.avi
wait_position 0 4 "the second audio stream"
grep -qi 'critical\|assert' "$work/player.log" && fail "warnings in the player's output"

terminate
echo "menus: ok"
