#!/usr/bin/env bash
# Every way out while opening, seeking, in the open dialog and stuck: each under 2 s, status 0,
# the volume saved. Run under xvfb-run and dbus-run-session.
# Usage: exits.sh PLAYER MEDIA
set -euo pipefail
player=$1 media=$2
source "$(dirname "$0")/lib.sh"
start_window_manager
# The close button's centre on the bar, from the default skin (twips).
skin=$(dirname "$player")/data/Skins/WinDVD/VSkin.ini
read -r close_x close_y < <(awk -F= '/^ClosePlayer\./ { v[$1] = $2 }
    END { print int((v["ClosePlayer.left"] + v["ClosePlayer.Width"] / 2) / 15),
                int((v["ClosePlayer.top"] + v["ClosePlayer.Height"] / 2) / 15) }' "$skin")

quit() { # quit HOW
    case $1 in
    term | int) kill -"${1^^}" "$pid" ;; # SIGTERM, SIGINT
    close) xdotool windowactivate --sync "$(wait_window '^Vantor Meridian$')" key alt+F4 ;;
    button)
        read -r x y _ _ < <(client "$(wait_window '^Vantor Meridian$')")
        xdotool mousemove $((x + close_x)) $((y + close_y)) click 1
        ;;
    mpris) dbus-send --session --type=method_call --dest=org.mpris.MediaPlayer2.vantorplay \
        /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Quit ;;
    esac
}

for how in term int close button mpris; do
    step="$how while opening"
    rm -f "$ini"
    start "$media/two-audio.divx"
    wait_window '^Vantor Meridian VideoViewer$' >/dev/null
    [[ $how == mpris ]] && wait_for Playing status
    since=$(date +%s%3N)
    quit "$how"
    ended "$step" "$since"
    grep -q '^Volume=' "$ini" || fail "$step: the volume was not saved"
    [[ $how == int ]] && continue # SIGTERM's path from here on

    step="$how during a seek"
    start "$media/demo.avi"
    wait_for Playing status
    ctl volume 0.5
    sleep 0.6 # the interface's changes are taken twice a second
    ctl position 6
    since=$(date +%s%3N)
    quit "$how"
    ended "$step" "$since"
    level=$(sed -n 's/^Volume=//p' "$ini")
    [[ $level == -602 ]] || fail "$step: saved volume '$level', expected -602"
done
# The open dialog runs a loop of its own.
for how in term mpris; do
    step="$how with the open dialog up"
    start "$media/demo.avi"
    wait_for Playing status
    xdotool windowactivate --sync "$(wait_window '^Vantor Meridian$')" key o
    wait_window '^Open$' >/dev/null
    since=$(date +%s%3N)
    quit "$how"
    ended "$step" "$since"
done
# Stuck reading subtitles from a pipe no one writes to.
step="term while the player is stuck"
mkfifo "$work/stuck.srt"
start "$media/demo.avi /cli -sub $work/stuck.srt"
wait_window '^Vantor Meridian$' >/dev/null
sleep 1
since=$(date +%s%3N)
quit term
ended "$step" "$since"
echo "exits: ok"
