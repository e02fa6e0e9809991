#!/usr/bin/env bash
# The desktop's media-player interface: playerctl drives the player on a private session bus.
# Run under dbus-run-session and an X server.
set -euo pipefail
player=$1 media=$2
source "$(dirname "$0")/lib.sh"

start "$media/demo.avi"

wait_for Playing status
wait_for demo.avi metadata xesam:title

# A second player takes the interface's instance name: both can be reached.
"$player" "$media/one-audio.avi" >"$work/second.log" 2>&1 &
second=$!
listed() { playerctl -l 2>/dev/null | grep -qx "vantorplay.instance$second"; }
within 9 listed || fail "the second player is not on the bus: $(playerctl -l 2>&1 | tr '\n' ' ')"
kill -TERM "$second"
wait "$second" || fail "second player: exit status $?"
sleep 1
in_range() { awk -v v="$(ctl "$1")" -v a="$2" -v b="$3" 'BEGIN { exit !(v > a && v < b) }'; }
in_range position 0.3 1e9 || fail "position $(ctl position) did not advance"

ctl play-pause
wait_for Paused status
ctl play-pause
wait_for Playing status

ctl position 6
sleep 0.3
in_range position 5.9 8 || fail "position $(ctl position) after seeking to 6"

# Nothing is queued: Next leaves the movie playing where it is.
ctl next
sleep 0.5
in_range position 0 11 || fail "next with an empty queue went to $(ctl position)"
wait_for Playing status

ctl stop
wait_for Stopped status
terminate
echo "media-player interface: ok"
