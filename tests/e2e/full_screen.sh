#!/usr/bin/env bash
# Full screen under a window manager: "-fullscreen", Escape and Z, the windowed layout above
# the bar, the video following the minimised bar; then a Windows-1251 "-sub" file in the Russian
# character set over the video, which a drag moves up only and full screen takes along.
# Pictures in OUT; under xvfb-run.
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
press "$video" z
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

step=""
# Russian is the fifth row of the character-set list.
settings Charset=5
printf '1\n00:00:00,000 --> 00:00:09,000\nПривет, мир!\nСубтитры поверх фильма\n\n2\n00:00:10,000 --> 00:00:12,000\nSecond\n' |
    iconv -f UTF-8 -t WINDOWS-1251 >"$work/russian.srt"

# A pixel of the text colour (white) inside the window, as "x y" on the screen.
text_pixel() {
    local x y w h at
    read -r x y w h < <(client "$1")
    at=$(import -window root -crop "${w}x${h}+${x}+${y}" +repage txt:- |
        grep -m1 -i '#FFFFFF' | cut -d: -f1) || true
    [[ -n $at ]] && echo "$((x + ${at%,*})) $((y + ${at#*,}))"
}

start "$media/demo.avi /cli -sub $work/russian.srt"
sub=$(wait_window '^Subtitles$')
video=$(find_window '^Vantor Meridian VideoViewer$')
sleep 0.3
read -r vx vy vw vh < <(client "$video")
read -r sx sy sw sh < <(client "$sub")
# 90% of the video's width, centred, its centre at 70% of the video's height.
((sw == vw * 9 / 10 || sw == (vw * 9 + 9) / 10)) || fail "subtitles ${sw} wide over ${vw}"
((sx + sw / 2 - (vx + vw / 2) <= 1 && vx + vw / 2 - (sx + sw / 2) <= 1)) || fail "not centred"
centre=$((sy + sh / 2 - vy))
((centre * 100 >= vh * 68 && centre * 100 <= vh * 72)) || fail "centre at $centre of $vh"
read -r px py < <(text_pixel "$sub") || fail "no text drawn in the subtitle window"
import -window root "$out/subtitles-cyrillic.png"

# Up 60 and right 50: only the height moves.
xdotool mousemove "$px" "$py" mousedown 1
sleep 0.2
xdotool mousemove $((px + 25)) $((py - 30))
sleep 0.1
xdotool mousemove $((px + 50)) $((py - 60))
sleep 0.2
xdotool mouseup 1
sleep 0.3
read -r dx dy _ _ < <(client "$sub")
((dx == sx)) || fail "the drag moved the window sideways: $sx -> $dx"
((dy <= sy - 55 && dy >= sy - 65)) || fail "the drag moved the window from $sy to $dy"
kept=$(sed -n 's/^SubYpos=//p' "$ini")
[[ -n $kept ]] || fail "the new height was not kept"

# Full screen: the subtitles follow, at the kept height.
press "$video" z
read -r _ screen_h < <(screen_size)
expected=$(awk -v k="$kept" 'BEGIN { printf "%d", k * 10 }')
followed() {
    read -r vx vy vw vh < <(client "$video")
    read -r sx sy sw sh < <(client "$sub")
    # Over the picture: the movie's 16:9 across the screen, centred.
    ph=$((vw * 360 / 640)) top=$(((vh - vw * 360 / 640) / 2))
    centre=$(((sy + sh / 2 - vy - top) * 1000 / ph))
    ((vh == screen_h && sw == (vw * 9 + 5) / 10 && (centre - expected) ** 2 <= 9))
}
await 6 'subtitles at $sx $sy ${sw}x$sh over $vx $vy ${vw}x$vh: centre at $centre/1000, kept $kept' followed
sleep 0.5
import -window root "$out/subtitles-full-screen.png"

terminate
echo "full screen and subtitles: ok"
