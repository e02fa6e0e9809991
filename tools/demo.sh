#!/usr/bin/env bash
# Sets everything up and starts the player on its demo playlist (the demo
# movie, then a test pattern), with subtitles.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh build -DVANTOR_TESTS=OFF
tools/make-media.sh build/demo >/dev/null
exec build/vantorplay "$PWD/build/demo/demo.m3u /cli -sub $PWD/build/demo/demo.srt"
