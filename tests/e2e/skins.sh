#!/usr/bin/env bash
# The built-in skins on a real X server: the window has base.bmp's size and
# look less its magenta, and a held button shows its pressed picture.
# Usage: skins.sh PLAYER SKINS MEDIA [SCREENSHOT_DIR]
set -euo pipefail
player=$1 skins=$2 media=$3 shots=${4:-}

source "$(dirname "$0")/lib.sh"

# Pixels of two pictures of one size that differ by more than a little.
differing() { compare -metric AE -fuzz 6% "$1" "$2" null: 2>&1 || true; }
# A skin key's value in pixels.
key() { awk -F= -v k="$2" 'tolower($1 "=") == tolower(k) { print int($2 / 15) }' "$1/VSkin.ini"; }
# The screen's pixels at WxH+X+Y, into the file OUT.
grab() { # grab GEOMETRY OUT
    import -window root "$work/root.png"
    convert "$work/root.png" -crop "$1" +repage "$2"
}

check_skin() {
    local skin=$1 name=$2 main size
    settings "Skin=$skin"
    start "$media/demo.avi"
    await 30 "$name: the main window did not appear" shows '^Vantor Meridian$'
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

check_skin "$skins/WinDVD" windvd
check_skin "$skins/Daylight" daylight
