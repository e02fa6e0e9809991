#!/usr/bin/env bash
# `cmake --install` into a private prefix: the layout validates, and the
# installed program plays with the skin it finds under share/. Under xvfb-run.
# Usage: install.sh BUILD_DIR MEDIA
set -euo pipefail
build=$1 media=$2

source "$(dirname "$0")/lib.sh"
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"

for file in bin/vantorplay share/vantorplay/DAR.ini share/vantorplay/Decoder/Data.iwc \
    share/vantorplay/Skins/WinDVD/VSkin.ini share/vantorplay/Skins/WinDVD/base.bmp \
    share/vantorplay/Skins/Daylight/VSkin.ini share/applications/vantorplay.desktop \
    share/metainfo/vantorplay.metainfo.xml share/man/man1/vantorplay.1 \
    share/icons/hicolor/16x16/apps/vantorplay.png share/icons/hicolor/256x256/apps/vantorplay.png \
    share/doc/vantorplay/README.md share/doc/vantorplay/menus.md; do
    [[ -s $prefix/$file ]] || fail "not installed: $file"
done
[[ -z $(find "$prefix" -name '.copied' -o -name '.generated') ]] || fail "build stamps installed"
[[ $(identify -format '%wx%h' "$prefix/share/icons/hicolor/48x48/apps/vantorplay.png") == 48x48 ]] ||
    fail "the 48 px icon is not 48 px"

desktop-file-validate "$prefix/share/applications/vantorplay.desktop" || fail "desktop entry"
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --explain "$prefix/share/metainfo/vantorplay.metainfo.xml" ||
        fail "AppStream metadata"
fi
man -l "$prefix/share/man/man1/vantorplay.1" >/dev/null 2>&1 ||
    groff -man -Tutf8 "$prefix/share/man/man1/vantorplay.1" >/dev/null || fail "manual page"

player=$prefix/bin/vantorplay
"$player" --no-such-option 2>"$work/err" && fail "an unknown option was taken"
grep -q 'unknown option "--no-such-option"' "$work/err" || fail "unknown option: $(cat "$work/err")"

# The installed copy plays, with the built-in skin read from share/.
start "$media/demo.avi"
video=$(wait_window '^Vantor Meridian VideoViewer$')
bar=$(find_window '^Vantor Meridian$')
skin=$(identify -format '%wx%h' "$prefix/share/vantorplay/Skins/WinDVD/base.bmp")
read -r _ _ w h < <(client "$bar")
[[ ${w}x$h == "$skin" ]] || fail "the bar is ${w}x$h, the installed skin $skin"

terminate
echo "install: ok"
