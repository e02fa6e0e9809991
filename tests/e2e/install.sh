#!/usr/bin/env bash
# `cmake --install` into a private prefix: the layout validates, and the installed program plays
# with its built-in skins on a real X server: the window has base.bmp's size and look less its
# magenta, and a held button shows its pressed picture. Under xvfb-run.
# Usage: install.sh BUILD_DIR MEDIA [SCREENSHOT_DIR]
set -euo pipefail
build=$1 media=$2 shots=${3:-}

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

player=$prefix/bin/vantorplay skins=$prefix/share/vantorplay/Skins
"$player" --no-such-option 2>"$work/err" && fail "an unknown option was taken"
grep -q 'unknown option "--no-such-option"' "$work/err" || fail "unknown option: $(cat "$work/err")"

# Pixels of two pictures of one size that differ by more than a little.
differing() { compare -metric AE -fuzz 6% "$1" "$2" null: 2>&1 || true; }
# A skin key's value in pixels.
key() { awk -F= -v k="$2" 'tolower($1 "=") == tolower(k) { print int($2 / 15) }' "$1/VSkin.ini"; }
# The screen's pixels at WxH+X+Y, into the file OUT.
grab() { # grab GEOMETRY OUT
    import -window root "$work/root.png"
    convert "$work/root.png" -crop "$1" +repage "$2"
}

check_skin() { # check_skin SKIN NAME [SETTING...]
    local skin=$1 name=$2 main size
    settings "${@:3}"
    start "$media/demo.avi"
    await 30 "$name: the main window did not appear" shows '^Vantor Meridian$'
    wait_window '^Vantor Meridian VideoViewer$' >/dev/null
    main=$(find_window '^Vantor Meridian$')
    sleep 1.5
    size=$(identify -format '%wx%h' "$skin/base.bmp")
    eval "$(xdotool getwindowgeometry --shell "$main")"
    [[ "${WIDTH}x$HEIGHT" == "$size" ]] || fail "$name: window is ${WIDTH}x$HEIGHT, base is $size"
    # The window carries a shape (the X server's SHAPE extension).
    xwininfo -id "$main" -shape | grep -q "Window shape extents" ||
        fail "$name: the window has no shape: $(xwininfo -id "$main" -shape | tail -3)"

    # base.bmp shows except where magenta is cut out and labels are written.
    grab "${size}+$X+$Y" "$work/window.png"
    if [[ -n $shots ]]; then
        convert "$work/root.png" -crop "700x$((HEIGHT + 420))+$((X + WIDTH / 2 - 350))+$((Y - 410))" \
            +repage "$shots/skin-$name.png"
    fi
    local magenta differ
    magenta=$(convert "$skin/base.bmp" -fill white -opaque '#ff00ff' -fill black +opaque white \
        -format '%[fx:int(mean*w*h+0.5)]' info:)
    differ=$(differing "$skin/base.bmp" "$work/window.png")
    ((magenta > 0)) || fail "$name: base.bmp has no magenta to cut out"
    # The cut-out corner shows what lies behind, not magenta.
    convert "$work/window.png" -crop 1x1+0+0 -format '%[hex:p{0,0}]' info: | grep -qiv '^FF00FF' ||
        fail "$name: the magenta corner is drawn"
    ((differ >= magenta * 9 / 10)) || fail "$name: only $differ pixels differ, $magenta should be cut out"
    ((differ - magenta < WIDTH * HEIGHT / 12)) || fail "$name: $((differ - magenta)) pixels differ from base.bmp"

    # Held, the play button shows bplay.bmp; released, the background.
    local top left w h
    top=$(key "$skin" Play.top=) left=$(key "$skin" Play.left=)
    w=$(identify -format '%w' "$skin/bplay.bmp") h=$(identify -format '%h' "$skin/bplay.bmp")
    xdotool mousemove $((X + left + w / 2)) $((Y + top + h / 2)) mousedown 1
    sleep 0.5
    grab "${w}x$h+$((X + left))+$((Y + top))" "$work/button.png"
    (($(differing "$skin/bplay.bmp" "$work/button.png") < w * h / 10)) ||
        fail "$name: the held play button does not show bplay.bmp"
    xdotool mouseup 1
    sleep 0.5
    grab "${w}x$h+$((X + left))+$((Y + top))" "$work/button.png"
    convert "$skin/base.bmp" -crop "${w}x$h+$left+$top" +repage "$work/under.png"
    (($(differing "$work/under.png" "$work/button.png") < w * h / 10)) ||
        fail "$name: the released play button still shows its pressed picture"
    terminate "$name"
    echo "skin $name: ok"
}

check_skin "$skins/WinDVD" windvd # the default, found by itself under share/
check_skin "$skins/Daylight" daylight "Skin=$skins/Daylight"
