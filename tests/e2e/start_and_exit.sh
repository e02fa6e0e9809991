#!/usr/bin/env bash
# Runs vantorplay on a real X server (the caller starts it: xvfb-run): the
# main window and the movie's video window appear, the video window shows
# the picture, and SIGTERM, as a logout sends it, runs the exit sequence,
# which saves the settings.
set -euo pipefail
player=$1
media=$2
shots=${3:-}

source "$(dirname "$0")/lib.sh"
mkdir -p "$XDG_CONFIG_HOME/OrvaneSoft"
ini=$XDG_CONFIG_HOME/OrvaneSoft/Vantor.ini
printf '[Vantor]\nvolume=-2270\n' >"$ini"

"$player" "$media/two-audio.avi" >"$work/player.log" 2>&1 &
pid=$!

main="" video=""
for _ in $(seq 300); do
    kill -0 "$pid" 2>/dev/null || fail "the player ended before its windows appeared"
    main=$(find_window '^Vantor Meridian$')
    video=$(find_window '^Vantor Meridian VideoViewer$')
    [[ -n $main && -n $video ]] && break
    sleep 0.1
done
[[ -n $main ]] || fail "the main window did not appear"
[[ -n $video ]] || fail "the video window did not appear"
sleep 1

# The test pattern's top-left bar is light grey: the picture is on screen.
eval "$(xdotool getwindowgeometry --shell "$video")"
import -window root "$work/shot.png"
[[ -n $shots ]] && cp "$work/shot.png" "$shots"
brightness=$(convert "$work/shot.png" -crop "20x20+$((X + 10))+$((Y + 10))" -colorspace Gray \
    -format '%[fx:mean]' info:)
awk -v b="$brightness" 'BEGIN { exit !(b > 0.5) }' ||
    fail "the video window is dark (mean $brightness) at $X,$Y"
[[ $WIDTH == 320 && $HEIGHT == 240 ]] || fail "video window is ${WIDTH}x$HEIGHT, not 320x240"

kill -TERM "$pid"
status=0
wait "$pid" || status=$?
[[ $status == 0 ]] || fail "exit status $status after SIGTERM"
grep -qi '^volume=-2270$' "$ini" || fail "the volume was not saved: $(cat "$ini")"
grep -q '^Path=' "$ini" || fail "the program folder was not saved"
[[ $(grep -ci '^volume=' "$ini") == 1 ]] || fail "the volume key is stored twice"
echo "start and exit: ok"
