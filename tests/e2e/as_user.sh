#!/usr/bin/env bash
# Runs a command as an ordinary user when the suite runs as root, for the
# tests that permissions must bind (root reads every folder).
# Usage: as_user.sh MEDIA COMMAND [ARGS...]
# Exits 77 (skipped) when that user cannot reach the program or the media.
set -euo pipefail
media=$1
shift
if [[ $(id -u) == 0 ]]; then
    if ! setpriv --reuid=nobody --regid=nogroup --clear-groups -- \
        sh -c 'test -x "$1" && test -r "$2/demo.avi"' sh "$1" "$media"; then
        echo "as_user: nobody cannot reach $1 or $media: skipped" >&2
        exit 77
    fi
    # The sanitizers' settings (and their suppressions) go along.
    exec setpriv --reuid=nobody --regid=nogroup --clear-groups --reset-env -- \
        env QT_QPA_PLATFORM=offscreen HOME=/tmp ASAN_OPTIONS="${ASAN_OPTIONS:-}" \
        LSAN_OPTIONS="${LSAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" "$@"
fi
exec env QT_QPA_PLATFORM=offscreen "$@"
