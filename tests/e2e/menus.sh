#!/usr/bin/env bash
# The demo disc's menus in the real program, clicked with the pointer and
# driven with the keys on a real X server with a window manager: the menu's
# background loops, "Start at chapter 2" starts the demo at 5 s, "Load the
# subtitles" then "Play the movie" plays the transition and then the demo
# with its subtitles, "More..." leads to a still menu and back, and the
# arrow keys and Enter act too. Run under xvfb-run and dbus-run-session.
# Usage: menus.sh PLAYER MEDIA OUT_DIR
set -euo pipefail
player=$1
media=$2
out=$3

source "$(dirname "$0")/lib.sh"
start_window_manager
# The demo's subtitles lie beside it: here they show only when a hot spot
# loads them.
mkdir -p "$XDG_CONFIG_HOME/OrvaneSoft"
printf '[Vantor]\nFindSubs=0\n' >"$XDG_CONFIG_HOME/OrvaneSoft/Vantor.ini"

# Clicks the centre of a hot spot given in the menu picture's 640x360
# pixels, where the video window shows the picture now (centred, keeping
# its shape).
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
wait_position_from() { # wait_position_from SECONDS WHAT
    local position=0
    for _ in $(seq 50); do
        position=$(ctl position)
        position=${position:-0}
        ((${position%.*} >= $1)) && return 0
        sleep 0.1
    done
    fail "$2 started at $position s"
}
open_menu() {
    ctl open "file://$media/main.vmu"
    wait_for menu.avi metadata xesam:title
    wait_for Playing status
}

"$player" "$media/main.vmu" >"$work/player.log" 2>&1 &
pid=$!
wait_for menu.avi metadata xesam:title
wait_for Playing status
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
wait_position_from 5 "the chapter"
[[ -z $(find_window '^Subtitles$') ]] || fail "subtitles before any were chosen"

# Subtitles, then the movie through its transition.
open_menu
click_spot 50 243 316 291
sleep 0.5
click_spot 50 93 275 141
wait_for transition.avi metadata xesam:title
wait_for demo.avi metadata xesam:title
wait_window '^Subtitles$' >/dev/null

# A still menu and back to the first one.
open_menu
click_spot 410 243 530 291
wait_for Stopped status # a picture, no movie
wait_for "" metadata xesam:title # and no track, not the stopped background
sleep 0.3
click_spot 50 193 384 241
wait_for menu.avi metadata xesam:title
wait_for Playing status

# The keys: up to the top hot spot whatever the pointer chose, the next
# one down, Enter.
xdotool mousemove 0 0
xdotool windowactivate --sync "$video" key Up key Up key Up key Up key Down key Return
wait_for demo.avi metadata xesam:title
wait_position_from 5 "Enter on the second hot spot"

# In full screen the hot spots scale with the picture: the second audio
# stream.
open_menu
xdotool windowactivate --sync "$video" key z
wait_width "$video" "$(screen_width)" "the menu in full screen"
sleep 0.3
click_spot 50 193 356 241
wait_for demo.avi metadata xesam:title
wait_for Playing status
grep -qi 'critical\|assert' "$work/player.log" && fail "warnings in the player's output"

kill -TERM "$pid"
wait "$pid" || fail "exit status $?"
pid=""
echo "menus: ok"
