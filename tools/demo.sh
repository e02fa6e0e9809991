#!/usr/bin/env bash
# Sets everything up and starts the player on its demo disc: a menu over a
# looping movie whose hot spots play the demo movie, start it at a chapter,
# choose its audio stream, load its subtitles, and lead to a second menu.
# The demo's playlist (build/demo/demo.m3u) is made beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh build -DVANTOR_TESTS=OFF
tools/make-media.sh build/demo >/dev/null
exec build/vantorplay "$PWD/build/demo/main.vmu"
