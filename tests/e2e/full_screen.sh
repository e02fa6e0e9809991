#!/usr/bin/env bash
# Full screen under a window manager: "-fullscreen", Escape and Z, the windowed layout above
# the bar, the video following the minimised bar. Pictures in OUT; under xvfb-run.
# Usage: full_screen.sh PLAYER MEDIA OUT_DIR
set -euo pipefail
player=$1 media=$2 out=$3
source "$(dirname "$0")/lib.sh"
start_window_manager
viewer='^Vantor Meridian VideoViewer$'
screen=$(screen_size)
full() { [[ $(client "$video") == "0 0 $screen" ]]; }
# The native size, the frame's bottom on the bar's top, centred on the bar.
windowed() {
    local x y w h b mx my mw
    read -r x y w h < <(client "$video")
    b=$(xprop -id "$video" _NET_FRAME_EXTENTS | tr -d ',' | awk '{ print $6 }')
    read -r mx my mw _ < <(client "$main")
    [[ "$w $h" == "640 360" ]] && ((y + h + ${b:-0} == my && (2 * x + w - 2 * mx - mw) ** 2 <= 4))
}

# The subtitles beside demo.avi stay out of this test of the video window.
settings FindSubs=0
start "$media/demo.avi /cli -fullscreen"
video=$(wait_window "$viewer")
main=$(find_window '^Vantor Meridian$')
step="-fullscreen" await 6 'video at $(client "$video")' full
sleep 0.5
import -window root "$out/full-screen.png"
xdotool key --window "$video" Escape
step="Escape" await 6 'video at $(client "$video"), bar at $(client "$main")' windowed
xdotool windowactivate --sync "$video" key z
step="z" await 6 "not full screen" full
xdotool key --window "$video" z
step="z twice" await 6 'video at $(client "$video"), bar at $(client "$main")' windowed
sleep 0.5
import -window root "$out/windowed.png"

# Minimising the bar takes the video window along; restoring brings it back.
xdotool windowminimize --sync "$main"
await 5 "the video window stayed" gone "$viewer"
xdotool windowactivate --sync "$main"
await 15 "the video window did not come back" shows "$viewer"
terminate
echo "full screen: ok"
