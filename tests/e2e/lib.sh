# Sourced by the end-to-end scripts: a private home, the player (`pid`, its output in
# "$work/player.log") ended at exit, and failures that show its output.
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
# The player's settings file; `settings KEY=VALUE...` writes it with these lines.
ini=$XDG_CONFIG_HOME/OrvaneSoft/Vantor.ini
settings() { mkdir -p "${ini%/*}" && { echo '[Vantor]' && printf '%s\n' "$@"; } >"$ini"; }

fail() {
    echo "FAIL: $*" >&2
    echo "--- player output:" >&2
    cat "$work/player.log" >&2 2>/dev/null
    exit 1
}
# Starts the player (`player`) with these arguments; its id in `pid`.
start() {
    "$player" "$@" >"$work/player.log" 2>&1 &
    pid=$!
}
# SIGTERM, and the player's status 0.
terminate() {
    kill -TERM "$pid"
    wait "$pid" || fail "${1:+$1: }exit status $? after SIGTERM"
    pid=""
}
# The player through the desktop's media-player interface.
ctl() { playerctl -p vantorplay "$@" 2>/dev/null || true; }
# The position in whole seconds, 0 while there is no answer.
position() { local p; p=$(ctl position); echo "${p%%.*}" | sed 's/^$/0/'; }
# The id of the visible window whose title matches, empty when none.
find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true; }
# A window manager (openbox) for the rest of the script.
start_window_manager() {
    openbox >"$work/openbox.log" 2>&1 &
    wm=$!
    trap 'kill $wm 2>/dev/null || true; cleanup' EXIT
    # Until it manages (its check window is set), activation and Alt+F4 go nowhere.
    within 10 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q WINDOW' ||
        fail "the window manager did not start"
}
# "x y width height" of a window's own area, mapped or not (xdotool's is off by the frame).
client() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'
}
# Runs a check until it holds, SECONDS at the most; its status is the last one.
within() { # within SECONDS CHECK...
    local tries=$(($1 * 10))
    shift
    for _ in $(seq "$tries"); do
        "$@" && return 0
        sleep 0.1
    done
    "$@"
}
# As `within`, failing with WHAT (expanded then) when the check never holds.
await() { # await SECONDS 'WHAT' CHECK...
    local seconds=$1 what=$2
    shift 2
    within "$seconds" "$@" || fail "${step:+after $step: }$(eval "echo \"$what\"")"
}
answers() { [[ $(ctl "${@:2}") == "$1" ]]; }
# Waits until the movie of that title plays.
playing() { wait_for "$1" metadata xesam:title && wait_for Playing status; }
# Waits until a playerctl answer is the one expected (15 s at the most).
wait_for() { # wait_for EXPECTED COMMAND...
    within 15 answers "$@" || fail "${step:+after $step: }playerctl ${*:2}: '$(ctl "${@:2}")', expected '$1'"
}
# Keys typed into a window given the focus; they name the step.
press() { step="${*:2}" && xdotool windowactivate --sync "$1" key "${@:2}"; } # WINDOW KEY...
# The id of a window once it shows (10 s at the most).
wait_window() { # wait_window TITLE
    await 10 "no window '$1'" shows "$1"
    find_window "$1"
}
shows() { [[ -n $(find_window "$1") ]]; }
gone() { [[ -z $(find_window "$1") ]]; }
# Waits until no window of that title shows (10 s at the most).
wait_gone() { await 10 "the window '$1' is still shown" gone "$1"; }
# "WIDTH HEIGHT" of the screen.
screen_size() { xdpyinfo | awk '/dimensions:/ { sub("x", " ", $2); print $2 }'; }
logged() { grep -q "$1" "$work/player.log"; }
# Waits for the player (`pid`) to end within 2 s of `since` (ms) and checks how.
ended() { # ended WHAT SINCE
    local status=0
    within 2 eval '! kill -0 "$pid" 2>/dev/null' || fail "$1: still running"
    wait "$pid" || status=$?
    local took=$(($(date +%s%3N) - $2))
    pid=""
    ((status == 0)) || fail "$1: exit status $status"
    ((took < 2000)) || fail "$1: took $took ms"
}
