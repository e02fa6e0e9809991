#!/usr/bin/env bash
# Seek latency as the viewer sees it, for the player and mpv measured the
# same way: each plays a 1080p H.264 file whose magenta box appears only
# from 12 s on (a keyframe every second), is asked from outside to seek to
# 12 s after two seconds of playback, and the harness's screen probe times
# the command until the box is on screen. The player is asked over MPRIS
# (dbus-send), mpv over its IPC socket (socat); both ask with a program
# started for the purpose, so both pay the same kind of start-up.
#   bench/seek_compare.sh [RUNS] [OUT]   (as root, from the project's root)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}
out=$(realpath -m "${2:-build/bench-seek.txt}")
harness=$(realpath ../shared/measure)
apt-get install -y -q --no-install-recommends libx11-dev x11-utils ffmpeg mpv socat xvfb \
    openbox dbus >/dev/null
media=/tmp/measure-media
work=$(mktemp -d)
"$harness/make-media.sh" "$media" >/dev/null
file=$media/seek-fhd-h264.mp4
if [ ! -s "$file" ]; then
    # The box is painted over with the background's grey until 12 s.
    ffmpeg -v error -y -i "$media/fhd-h264-aac.mp4" \
        -vf "drawbox=x=iw/4:y=ih/4:w=iw/2:h=ih/2:color=gray:t=fill:enable='lt(t,12)'" \
        -c:v libx264 -preset veryfast -g 25 -keyint_min 25 -sc_threshold 0 -b:v 8M \
        -c:a copy "$work/seek.mp4"
    mv "$work/seek.mp4" "$file"
fi
probe=$work/firstframe
gcc -O2 -Wall -o "$probe" "$harness/firstframe.c" -lX11

export DISPLAY=:7
Xvfb $DISPLAY -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
# The player answers on a session bus of the script's own.
DBUS_SESSION_BUS_ADDRESS=$(dbus-daemon --session --fork --print-address=1 --print-pid=3 3>"$work/dbus.pid")
export DBUS_SESSION_BUS_ADDRESS
trap 'kill $xvfb $(cat "$work/dbus.pid") 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
sleep 1

# seek_once LABEL PLAYER-COMMAND SEEK-COMMAND: prints the ms, or nothing.
seek_once() {
    setsid sh -c "exec $2" >"$work/player.log" 2>&1 &
    local player=$!
    sleep 2.5
    local ms
    ms=$("$probe" -k -T 5000 -- sh -c "$3; exec sleep 10" 2>/dev/null | cut -d' ' -f1) || ms=
    kill -- -$player 2>/dev/null || kill $player 2>/dev/null || true
    wait $player 2>/dev/null || true
    sleep 0.5
    echo "$ms"
}

ours="$PWD/build/vantorplay $file"
ours_seek="dbus-send --session --type=method_call --dest=org.mpris.MediaPlayer2.vantorplay \
/org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Player.SetPosition \
objpath:/org/mpris/MediaPlayer2/Track/1 int64:12000000"
mpv_cmd="mpv --no-config --ao=null --vo=x11 --input-ipc-server=$work/mpv.sock $file"
mpv_seek="echo 'seek 12 absolute+keyframes' | socat - $work/mpv.sock"

declare -A results
for run in $(seq 0 "$runs"); do # run 0 warms the caches and is not kept
    for label in vantorplay mpv:x11; do
        if [ $label = vantorplay ]; then
            ms=$(seek_once $label "$ours" "$ours_seek")
        else
            ms=$(seek_once $label "$mpv_cmd" "$mpv_seek")
        fi
        echo "[$(date +%T)] seek run $run $label: ${ms:-FAILED} ms" >&2
        [ "$run" -gt 0 ] && [ -n "$ms" ] && results[$label]+="$ms "
    done
done

median() { tr ' ' '\n' | grep . | sort -g | awk '{ v[NR] = $1 } END {
    if (!NR) { print "-"; exit }
    printf "%.0f [%.0f-%.0f] over %d\n", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2,
        v[1], v[NR], NR }'; }
{
    echo "Seek from about 2.5 s to the keyframe at 12 s of 1080p H.264, command to picture on screen, ms (median [min-max])"
    for label in vantorplay mpv:x11; do
        printf '%-12s %s\n' "$label" "$(echo "${results[$label]:-}" | median)"
    done
} | tee "$out"
