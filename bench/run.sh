#!/usr/bin/env bash
# Measures the player against gst-play with a plain X11 output on this
# machine, side by side: first frame on screen, CPU per second of playback,
# peak memory (the shared black-box harness), then in process: frames
# rendered and shown per second at 1x (dropped frames), seek latency,
# what 200 opens in a row leave behind, the loading of big subtitle files
# and a playlist window on a folder of 10,000 files.
#   bench/run.sh [OUT]     (as root, from the project's root, after tools/setup.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/bench.txt}")
harness=../shared/measure
apt-get install -y -q --no-install-recommends libx11-dev x11-utils ffmpeg >/dev/null
EXTRA="$PWD/build/vantorplay %f" EXTRA_NAME=vantorplay ONLY='gst-play:x11|vantorplay' RUN_AS= \
    SKIP_PROBE=1 OUT="$out" "$harness/peers.sh"
for file in /tmp/measure-media/sd-xvid-mp3.avi /tmp/measure-media/hd-h264-aac.mp4; do
    QT_QPA_PLATFORM=offscreen build/bench/vantor_seek_bench "$file" 10 | tee -a "$out"
done
# Opening 200 movies in a row: memory, descriptors, threads and what is
# left alive of the graphs.
tools/make-media.sh build/test-media >/dev/null
build/bench/vantor_reopen_bench 200 2>/dev/null | tee -a "$out"
# Loading subtitle files of 100,000 entries.
build/bench/vantor_subtitle_bench 100000 | tee -a "$out"
# The playlist window on a folder of 10,000 files, and a list that long.
build/bench/vantor_playlist_bench 10000 | tee -a "$out"
