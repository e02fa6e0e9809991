#!/usr/bin/env bash
# Sets everything up and starts the player on its demo movie, with subtitles.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh build -DVANTOR_TESTS=OFF
tools/make-media.sh build/demo >/dev/null
exec build/vantorplay "$PWD/build/demo/demo.avi /cli -sub $PWD/build/demo/demo.srt"
