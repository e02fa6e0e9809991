#!/usr/bin/env bash
# An M3U from the command line plays in turn, Previous and Next move through it, shuffle never
# draws the entry playing. Run under dbus-run-session and an X server.
# Usage: playlists.sh PLAYER MEDIA
set -euo pipefail
player=$1 media=$2
source "$(dirname "$0")/lib.sh"
title() { ctl metadata xesam:title; }

mkdir "$work/films"
cp "$media/movie.divx" "$work/films/one.divx"
cp "$media/movie.mpg" "$work/films/two.mpg"
cp "$media/movie.mp4" "$work/films/three.mp4"
printf '#EXTM3U\n#EXTINF:3,One\nfilms/one.divx\nfilms/two.mpg\nfilms/three.mp4\n' >"$work/list.m3u"

start "$work/list.m3u"

# Three movies of three seconds, one after another, then a stop.
wait_for one.divx metadata xesam:title
wait_for Playing status
wait_for two.mpg metadata xesam:title
wait_for three.mp4 metadata xesam:title
wait_for Stopped status
[[ $(ctl metadata xesam:url) == "file://$work/films/three.mp4" ]] || fail "xesam:url does not follow"

ctl previous
wait_for two.mpg metadata xesam:title
wait_for Playing status
ctl previous
wait_for one.divx metadata xesam:title
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
