#!/bin/bash
# Starts the player in full screen on one movie, then chooses the aspect
# preset 1.5/1 from its context menu, as a user would: on a 16:9 screen the
# picture is then taller than the screen and cropped at its top and bottom,
# the way a pan-and-scan zoom crops it. The preset lives in a settings
# folder of its own; PRESET=16/9 gives the same number of pixels on the
# screen without a crop, to compare with.
#   [PRESET=C/D] bench/fullscreen-zoomed.sh PLAYER MOVIE
set -eu
config=$(mktemp -d)
mkdir -p "$config/OrvaneSoft"
printf '%s\r\n' "${PRESET:-1.5/1}" >"$config/OrvaneSoft/DAR.ini"
XDG_CONFIG_HOME=$config "$1" "$2 /cli -fullscreen" &
player=$!
trap 'kill $player 2>/dev/null; wait $player; rm -rf "$config"' EXIT TERM INT
for _ in $(seq 200); do
    xdotool search --name '^Vantor Meridian VideoViewer$' >/dev/null 2>&1 && break
    sleep 0.05
done
sleep 0.3
read -r width height < <(xdpyinfo | awk '/dimensions:/ { sub("x", " ", $2); print $2 }')
# The menu: Aspect Ratio is its fifteenth item; in it, Original, then the
# first preset.
xdotool mousemove $((width / 2)) $((height / 2)) click 3 sleep 0.3 \
    key --delay 30 $(printf 'Down %.0s' $(seq 15)) Right Down Return \
    mousemove $((width - 1)) $((height - 1))
wait $player
