#!/usr/bin/env bash
# The player in full screen at 1920x1080 beside mpv and VLC with their plain
# X11 outputs in full screen: first frame, CPU per second of playback and
# peak memory, on the upscaled SD file and the native 1080p one; the player
# once more with its picture zoomed past the screen's top and bottom (an
# aspect preset of 1.5/1, chosen from its menu). Each
# player gets its own run of the shared harness (it measures one extra
# command per run), so compare the rows of one invocation of this script.
#   bench/fullscreen.sh [OUT]   (as root, from the project's root, after tools/setup.sh)
#   ONLY=vantorplay bench/fullscreen.sh    the rows whose label matches only
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/bench-fullscreen.txt}")
harness=../shared/measure
apt-get install -y -q --no-install-recommends libx11-dev x11-utils ffmpeg mpv vlc-bin \
    vlc-plugin-base vlc-plugin-video-output >/dev/null
players=(
    "vantorplay:fs|$PWD/bench/fullscreen-player.sh $PWD/build/vantorplay %f"
    "vantorplay:fs:zoomed|$PWD/bench/fullscreen-zoomed.sh $PWD/build/vantorplay %f"
    "mpv:x11:fs|mpv --no-config --ao=null --vo=x11 --fs %f"
    "vlc:x11:fs|cvlc --play-and-exit --aout=adummy --vout=xcb_x11 --fullscreen %f"
)
selected=()
for entry in "${players[@]}"; do
    [[ ${entry%%|*} =~ ${ONLY:-.} ]] && selected+=("$entry")
done
players=("${selected[@]}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for entry in "${players[@]}"; do
    label=${entry%%|*}
    # Three seconds before counting: the zoomed row's menu is chosen by then.
    EXTRA=${entry#*|} EXTRA_NAME=$label ONLY="^$label\$" FILES=${FILES:-sd fhd} SKIP_FLOOR=1 \
        SETTLE=${SETTLE:-3} \
        SKIP_PROBE=1 EXTRA_NOTE="full screen" OUT="$work/$label.txt" "$harness/peers.sh"
done
{
    echo "Full screen at 1920x1080, $(date '+%Y-%m-%d %H:%M %Z'), one harness run per player"
    grep -m1 '^player' "$work/vantorplay:fs.txt"
    for entry in "${players[@]}"; do
        grep "^${entry%%|*} " "$work/${entry%%|*}.txt"
    done
} | tee "$out"
