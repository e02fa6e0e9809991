#!/usr/bin/env bash
# The keys and the mouse under a window manager, seen through the media-player interface,
# the windows' geometry and the windows that open; then the demo disc's menu, clicked where the
# picture shows its hot spots, windowed and in full screen (MenuScreenTest follows every hot
# spot's action). Run under xvfb-run and dbus-run-session.
# Usage: keys.sh PLAYER MEDIA OUT_DIR
set -euo pipefail
player=$1 media=$2 out=$3
source "$(dirname "$0")/lib.sh"
start_window_manager

cd "$work" # chapters are read from the current folder
printf '00:00:00\n00:00:04\n00:00:08\n' >demo.vcx
printf '%s\n' "$media/demo.avi" "$media/movie.mp4" >list.m3u
start "$work/list.m3u /cli -sub $media/demo.srt"
step=start
playing demo.avi
video=$(wait_window '^Vantor Meridian VideoViewer$')
main=$(wait_window '^Vantor Meridian$')
wait_window '^Subtitles$' >/dev/null

# Each "KEY EXPECTED QUERY..." typed into the video window, and what the desktop then reports.
keys_answer() {
    for case in "$@"; do
        read -r key want what <<<"$case"
        press "$video" "$key"
        wait_for "$want" $what
    done
}
keys_answer "space Paused status" "space Playing status" "c Paused status" "x Playing status" \
    "f On shuffle" "F Off shuffle" "r Track loop" "R None loop"

# Page Up, pressed while paused, jumps to the next chapter (0, 4, 8 s) of the side file in the
# current folder and plays (Page Down and the movie's own chapters: Chapters.*).
keys_answer "c Paused status"
before=$(position) target=$((before < 4 ? 4 : 8))
press "$video" Page_Up
jumped() { (($(position) >= target && $(position) < target + 2)); }
await 2 'Page Up from $before s: at $(ctl position) s' jumped
wait_for Playing status

# A key in the main window acts and gives the keyboard to the video window.
press "$main" space
wait_for Paused status
within 3 eval '[[ $(xdotool getactivewindow) == "$video" ]]' || fail "the focus stayed on the main window"
keys_answer "space Playing status" "b movie.mp4 metadata xesam:title" \
    "w demo.avi metadata xesam:title"
wait_for Playing status

# The right button's player menu (pictured in OUT): Up twice from the bottom hides the subtitles.
wait_window '^Subtitles$' >/dev/null
sleep 1
read -r x y w h < <(client "$video")
step="right click"
xdotool windowactivate --sync "$video" mousemove $((x + w / 3)) $((y + h / 4)) click 3
sleep 0.8
import -window root "$out/context-menu.png"
xdotool key Up Up Return
wait_gone '^Subtitles$'

# The left button drags the windowed video window; hidden subtitles stay so.
read -r x y w h < <(client "$video")
step="drag"
xdotool mousemove $((x + w / 2)) $((y + h / 2)) mousedown 1
for d in 20 40; do
    sleep 0.2
    xdotool mousemove $((x + w / 2 + 2 * d)) $((y + h / 2 + d))
done
sleep 0.3
xdotool mouseup 1
sleep 0.3
read -r nx ny _ _ < <(client "$video")
((nx - x >= 70 && nx - x <= 90 && ny - y >= 30 && ny - y <= 50)) ||
    fail "the drag moved the video window from $x,$y to $nx,$ny"
sleep 0.3
[[ -z $(find_window '^Subtitles$') ]] || fail "hidden subtitles came back with the move"

# The keys that open windows: the open dialogs (a first one is slow to build), then the playlist.
for letter in o s d; do
    press "$video" "$letter"
    await 20 "$letter: no open dialog" shows '^Open'
    xdotool windowactivate --sync "$(find_window '^Open')" key Escape
    wait_gone '^Open'
done
keys_answer "v Stopped status"
press "$video" p
wait_window '^VantorPlaylist$' >/dev/null
grep -qi 'critical\|assert' "$work/player.log" && fail "warnings in the player's output"

terminate

cd / # the chapters written above stay out of the menu's movies
step="the menu"
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
echo "keys and menus: ok"
