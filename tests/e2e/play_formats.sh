#!/usr/bin/env bash
# Each file type from the command line: the picture at the movie's size above the bar within
# 5 s, to its end; SIGTERM (a logout) saves the settings. Under dbus-run-session and X.
set -euo pipefail
player=$1 media=$2
source "$(dirname "$0")/lib.sh"
now_ms() { date +%s%3N; }
# Sanitizer builds start several times slower.
limit=${VANTOR_E2E_FIRST_FRAME_MS:-5000}

for file in two-audio.avi two-audio.divx movie.divx movie.mpg movie.asf movie.mp4; do
    settings volume=-2270
    start "$media/$file"
    start=$(now_ms)
    video=""
    while [[ -z $video ]]; do
        (($(now_ms) - start < limit)) || fail "$file: no video window within $limit ms"
        video=$(find_window '^Vantor Meridian VideoViewer$')
        sleep 0.05
    done
    main=$(find_window '^Vantor Meridian$')
    sleep 0.5
    read -r vx vy vw vh < <(client "$video")
    read -r _ my _ _ < <(client "$main")
    ((vy + vh < my)) || fail "$file: the video window is not above the main window"
    [[ $file == movie.mpg ]] && want=352x288 || want=320x240
    [[ ${vw}x$vh == "$want" ]] || fail "$file: video window ${vw}x$vh, expected $want"
    # The test pattern's top-left bar is light grey.
    import -window root "$work/shot.png"
    light=$(convert "$work/shot.png" -crop "8x8+$((vx + 4))+$((vy + 4))" -colorspace Gray \
        -format '%[fx:mean]' info:)
    awk -v b="$light" 'BEGIN { exit !(b > 0.5) }' || fail "$file: no picture (mean $light)"

    # The time runs to the end, where the movie stops (and goes back to its start).
    length=$(ctl metadata mpris:length)
    furthest=0
    for _ in $(seq 200); do
        [[ $(ctl status) == Stopped ]] && break
        position=$(ctl position)
        furthest=$(awk -v p="$position" -v f="$furthest" 'BEGIN { print (p > f ? p : f) }')
        sleep 0.1
    done
    [[ $(ctl status) == Stopped ]] || fail "$file: still '$(ctl status)' after its end"
    awk -v p="$furthest" -v l="$length" 'BEGIN { exit !(p * 1e6 >= l - 1000000) }' ||
        fail "$file: stopped at $furthest s of $((length / 1000000)) s"
    terminate "$file"
    [[ $(grep -ci '^volume=' "$ini") == 1 ]] && grep -qi '^volume=-2270$' "$ini" &&
        grep -q '^Path=' "$ini" || fail "$file: the settings were not saved: $(cat "$ini")"
    echo "$file: ok"
done
