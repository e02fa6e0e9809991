# Shared by the end-to-end scripts (sourced): a private home for the player,
# clean-up of the player left running, and failures that show its output.
# The script starting the player sets `pid` and sends its output to
# "$work/player.log".
work=$(mktemp -d)
pid=""
cleanup() {
    if [[ -n $pid ]]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    cd /
    rm -rf "$work"
}
trap cleanup EXIT
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
unset QT_QPA_PLATFORM
mkdir -m 700 "$XDG_RUNTIME_DIR"

fail() {
    echo "FAIL: $*" >&2
    echo "--- player output:" >&2
    cat "$work/player.log" >&2 2>/dev/null
    exit 1
}
# The player through the desktop's media-player interface.
ctl() { playerctl -p vantorplay "$@" 2>/dev/null || true; }
# The id of the visible window whose title matches, empty when none.
find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true; }
# A window manager (openbox) for the rest of the script.
start_window_manager() {
    openbox >"$work/openbox.log" 2>&1 &
    wm=$!
    trap 'kill $wm 2>/dev/null || true; cleanup' EXIT
    sleep 0.5
}
# "x y width height" of a window's own area, mapped or not (xdotool's
# position of a window in a frame is off by the frame).
client() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'
}
