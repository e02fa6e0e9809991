#!/usr/bin/env bash
# The keys and the mouse in the real program on a real X server with a
# window manager, checked through what the user sees: the state and the
# position over the desktop's media-player interface, the volume, the
# window geometry, the windows that open, the subtitles. The right button
# on the video pops up the player menu (a screenshot goes to OUT), and the
# left button drags the windowed video window. Run under xvfb-run and
# dbus-run-session.
# Usage: keys.sh PLAYER MEDIA OUT_DIR
set -euo pipefail
player=$1
media=$2
out=$3

source "$(dirname "$0")/lib.sh"
start_window_manager

press() { # press WINDOW KEY...: keys typed into a window with the focus
    step="$*"
    xdotool windowactivate --sync "$1"
    shift
    xdotool key "$@"
}
volume() { ctl volume; }
less_than() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }
position() { # whole seconds, 0 while there is no answer
    local p
    p=$(ctl position)
    echo "${p%%.*}" | sed "s/^$/0/"
}
width() { client "$video" | cut -d' ' -f3; }

cd "$work" # chapters are read from the current folder
printf '00:00:00\n00:00:04\n00:00:08\n' >demo.vcx
printf '%s\n' "$media/demo.avi" "$media/movie.mp4" >list.m3u
"$player" "$work/list.m3u /cli -sub $media/demo.srt" >"$work/player.log" 2>&1 &
pid=$!
step=start
wait_for demo.avi metadata xesam:title
wait_for Playing status
video=$(wait_window '^Vantor Meridian VideoViewer$')
main=$(wait_window '^Vantor Meridian$')
wait_window '^Subtitles$' >/dev/null
screen_w=$(screen_width)

# Play, pause, stop.
press "$video" space
wait_for Paused status
press "$video" space
wait_for Playing status
press "$video" c
wait_for Paused status
press "$video" x
wait_for Playing status

# Chapters at 0, 4 and 8 s: Page Up jumps ahead to one, Page Down back.
# The chapter followed is set on the position's ticks once it passes 1 s.
# Page Up is pressed while paused, after the shown time has caught up, so
# the jump is the only way forward and its target is known: near a
# boundary a time shown a tick late would rightly aim at that boundary.
for _ in $(seq 40); do (($(position) >= 2)) && break; sleep 0.1; done
press "$video" c
wait_for Paused status
sleep 0.5
before=$(position)
target=$((before < 4 ? 4 : 8))
press "$video" Page_Up
for _ in $(seq 20); do (($(position) >= target)) && break; sleep 0.1; done
at=$(position)
((at >= target && at < target + 2)) || fail "Page Up from $before s: at $(ctl position) s"
wait_for Playing status
sleep 1 # chapter tracking catches up with the jump on its ticks
now=$(position)
press "$video" Page_Down
for _ in $(seq 10); do (($(position) < now)) && break; sleep 0.1; done
back=$(position)
((back < now && (back == 0 || back == 4))) || fail "Page Down from $now s: at $(ctl position) s"

# The volume: the keypad and the multimedia keys, each from where the last
# one left it.
below() { less_than "$(volume)" "$1"; }
above() { less_than "$1" "$(volume)"; }
for case in "KP_Subtract below" "KP_Add above" "XF86AudioLowerVolume below" \
    "XF86AudioRaiseVolume above"; do
    level=$(volume)
    press "$video" "${case% *}"
    eventually "${case#* }" "$level" || fail "${case% *}: volume $(volume) from $level"
done
press "$video" m
eventually below 0.001 || fail "M did not mute: volume $(volume)"
press "$video" XF86AudioMute
eventually above 0 || fail "the mute key did not unmute"

# Full screen: Z and Escape, Alt+Enter twice; Enter alone does nothing.
windowed=$(width)
for case in "z $screen_w" "Escape $windowed" "alt+Return $screen_w" "alt+Return $windowed"; do
    press "$video" "${case% *}"
    wait_width "$video" "${case#* }" "${case% *}"
done
press "$video" Return
sleep 0.5
(($(width) == windowed)) || fail "Enter alone changed the window"

# A key in the main window acts and gives the keyboard to the video window.
press "$main" space
wait_for Paused status
for _ in $(seq 30); do [[ $(xdotool getactivewindow) == "$video" ]] && break; sleep 0.1; done
[[ $(xdotool getactivewindow) == "$video" ]] || fail "the focus stayed on the main window"
press "$video" space
wait_for Playing status

# Shuffle and repeat, next and previous file.
press "$video" f
wait_for On shuffle
press "$video" F
wait_for Off shuffle
press "$video" r
wait_for Track loop
press "$video" R
wait_for None loop
press "$video" b
wait_for movie.mp4 metadata xesam:title
press "$video" w
wait_for demo.avi metadata xesam:title
wait_for Playing status

# The right button: the player menu with its titled separators, marks and
# pictures. From the bottom, Up twice reaches "Show Subtitles": the
# subtitles go.
# The reopened movie takes its subtitles again (and checks the item).
wait_window '^Subtitles$' >/dev/null
sleep 1
read -r x y w h < <(client "$video")
step="right click"
xdotool windowactivate --sync "$video" mousemove $((x + w / 3)) $((y + h / 4)) click 3
sleep 0.8
import -window root "$out/context-menu.png"
xdotool key Up Up Return
wait_gone '^Subtitles$'

# The left button drags the windowed video window.
read -r x y w h < <(client "$video")
step="drag"
xdotool mousemove $((x + w / 2)) $((y + h / 2)) mousedown 1
sleep 0.2
xdotool mousemove $((x + w / 2 + 40)) $((y + h / 2 + 20))
sleep 0.1
xdotool mousemove $((x + w / 2 + 80)) $((y + h / 2 + 40))
sleep 0.3
xdotool mouseup 1
sleep 0.3
read -r nx ny _ _ < <(client "$video")
((nx - x >= 70 && nx - x <= 90 && ny - y >= 30 && ny - y <= 50)) ||
    fail "the drag moved the video window from $x,$y to $nx,$ny"
sleep 0.3
[[ -z $(find_window '^Subtitles$') ]] || fail "hidden subtitles came back with the move"

# The keys that open windows: the open dialogs, closed with Escape, then
# the playlist.
for letter in o s d; do
    press "$video" "$letter"
    dialog=$(find_window '^Open')
    for _ in $(seq 200); do # a first file dialog is slow to build
        [[ -n $dialog ]] && break
        sleep 0.1
        dialog=$(find_window '^Open')
    done
    [[ -n $dialog ]] || fail "$letter: no open dialog"
    xdotool windowactivate --sync "$dialog" key Escape
    wait_gone '^Open'
done

press "$video" v
wait_for Stopped status
press "$video" p
wait_window '^VantorPlaylist$' >/dev/null
grep -qi 'critical\|assert' "$work/player.log" && fail "warnings in the player's output"

kill -TERM "$pid"
wait "$pid" || fail "exit status $?"
pid=""
echo "keys: ok"
