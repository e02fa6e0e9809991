#!/usr/bin/env bash
# The desktop's media-player interface on a private session bus: playerctl drives a movie, then
# an M3U from the command line that plays in turn, Previous and Next moving through it, shuffle
# never drawing the entry playing. Run under dbus-run-session and an X server.
# Usage: playlists.sh PLAYER MEDIA
set -euo pipefail
player=$1 media=$2
source "$(dirname "$0")/lib.sh"
title() { ctl metadata xesam:title; }
in_range() { awk -v v="$(ctl "$1")" -v a="$2" -v b="$3" 'BEGIN { exit !(v > a && v < b) }'; }

start "$media/demo.avi"
playing demo.avi

# A second player takes the interface's instance name: both can be reached.
"$player" "$media/one-audio.avi" >"$work/second.log" 2>&1 &
second=$!
listed() { playerctl -l 2>/dev/null | grep -qx "vantorplay.instance$second"; }
within 9 listed || fail "the second player is not on the bus: $(playerctl -l 2>&1 | tr '\n' ' ')"
kill -TERM "$second"
wait "$second" || fail "second player: exit status $?"
sleep 1
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

mkdir "$work/films"
cp "$media/movie.divx" "$work/films/one.divx"
cp "$media/movie.mpg" "$work/films/two.mpg"
cp "$media/movie.mp4" "$work/films/three.mp4"
printf '#EXTM3U\n#EXTINF:3,One\nfilms/one.divx\nfilms/two.mpg\nfilms/three.mp4\n' >"$work/list.m3u"

start "$work/list.m3u"

# Three movies of three seconds, one after another, then a stop.
playing one.divx
wait_for two.mpg metadata xesam:title
wait_for three.mp4 metadata xesam:title
wait_for Stopped status
[[ $(ctl metadata xesam:url) == "file://$work/films/three.mp4" ]] || fail "xesam:url does not follow"

ctl previous
playing two.mpg
ctl previous
wait_for one.divx metadata xesam:title
# Paused, so that only Next can bring the second movie.
ctl pause
wait_for Paused status
ctl next
wait_for two.mpg metadata xesam:title

# Thirty draws, none of them the entry playing.
ctl shuffle On
wait_for On shuffle
for i in $(seq 30); do
    before=$(title)
    ctl next
    await 5 "draw $i repeated $before" eval '[[ -n $(title) && $(title) != "$before" && $(ctl status) == Playing ]]'
done
ctl loop Track
wait_for Track loop

terminate
echo "playlists: ok"
