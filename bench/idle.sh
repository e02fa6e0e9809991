#!/usr/bin/env bash
# How often a player that shows nothing new wakes: context switches of all
# its threads per second while paused and while stopped, on the demo movie
# under Xvfb with openbox. Run from the project's root after tools/setup.sh.
#   bench/idle.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
# A private session bus for the player's media-player interface.
[[ -n ${IDLE_BUS:-} ]] || exec env IDLE_BUS=1 dbus-run-session -- "$0" "$@"
seconds=${1:-20}
player=build/vantorplay
movie=build/test-media/demo.avi
[[ -x $player && -f $movie ]] || { echo "build the player and its test media first" >&2; exit 1; }

work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data HOME=$work
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
sleep 0.5
openbox >/dev/null 2>&1 &
wm=$!
"$player" "$movie" >/dev/null 2>&1 &
pid=$!
trap 'kill $pid $wm $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT

snapshot() { # one line a thread: id, context switches (voluntary and not)
    for task in /proc/"$pid"/task/*; do
        awk -v id="${task##*/}" '/ctxt_switches/ { n += $2 } END { print id, n + 0 }' \
            "$task/status" 2>/dev/null || true
    done | sort
}
measure() { # measure LABEL: the UI thread, and every thread alive throughout
    sleep 2 # what the change itself set going settles
    snapshot >"$work/before"
    sleep "$seconds"
    snapshot >"$work/after"
    join "$work/before" "$work/after" | awk -v label="$1" -v s="$seconds" -v ui="$pid" '
        { d = $3 - $2; all += d; if ($1 == ui) main = d }
        END { printf "%-8s %6.2f wake-ups a second on the UI thread, %6.2f in all\n",
                     label, main / s, all / s }'
}

for _ in $(seq 50); do
    [[ $(playerctl -p vantorplay status 2>/dev/null) == Playing ]] && break
    sleep 0.1
done
measure playing
playerctl -p vantorplay pause
measure paused
playerctl -p vantorplay stop
measure stopped
