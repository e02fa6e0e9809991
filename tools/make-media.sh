#!/usr/bin/env bash
# Generates the media the test suite plays into OUTDIR: a few seconds of test
# pattern and sine tones in each container the player has to handle, plus some
# broken files. A stamp holding this script's checksum makes re-runs instant;
# editing the script regenerates everything.
#
# Pipelines are built from text fragments that are meant to split into words.
# shellcheck disable=SC2046,SC2086
set -euo pipefail

if [[ $# -ne 1 ]]; then
    echo "usage: $0 OUTDIR" >&2
    exit 2
fi
script=$(readlink -f "${BASH_SOURCE[0]}")
files=(two-audio.avi two-audio.divx one-audio.avi movie.divx movie.mpg movie.asf movie.mp4 rate-23976.avi
    demo.avi demo.srt demo.m3u menu.avi transition.avi second.bmp main.vmu second.vmu empty.avi not-media.avi truncated.avi
    tone.wav big.avi one-frame.avi clusters.mkv tracks.mkv square.avi)

mkdir -p "$1"
outdir=$(cd "$1" && pwd)
# Two build trees' test runs may start this at once; the second one waits and
# then finds the stamp.
exec 9>"$outdir/.make-media.lock"
flock 9

stamp=$outdir/.make-media.stamp
checksum=$(sha256sum "$script" | cut -d' ' -f1)
up_to_date() {
    [[ -f $stamp && $(<"$stamp") == "$checksum" ]] || return 1
    local f
    for f in "${files[@]}"; do
        [[ -e $outdir/$f ]] || return 1
    done
}
if up_to_date; then
    echo "make-media: $outdir is up to date"
    exit 0
fi
rm -f "$stamp"

# Build everything aside and move it in at the end, so a failed or interrupted
# run never leaves half-written files that look finished.
work=$(mktemp -d "$outdir/.work.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Pipelines name their files relative to here, so OUTDIR may contain spaces.
cd "$work"
started=$SECONDS

fail() {
    echo "make-media: $*" >&2
    exit 1
}

# A pipeline that stalls (seen once in a few hundred runs on a loaded
# machine) is stopped after a minute and run once more.
launch() {
    local attempt status
    for attempt in 1 2; do
        status=0
        timeout 60 gst-launch-1.0 -q -e "$@" >gst.log 2>&1 || status=$?
        ((status == 0)) && return
        ((status == 124)) && echo "make-media: pipeline stalled (attempt $attempt): $*" >&2 && continue
        break
    done
    cat gst.log >&2
    fail "pipeline failed: $*"
}

# Test pattern with the running time burnt in, so any frame shows where it is.
# Args: frames width height framerate [videotestsrc properties...]
video() {
    local frames=$1 width=$2 height=$3 rate=$4
    shift 4
    echo "videotestsrc num-buffers=$frames $* ! video/x-raw,width=$width,height=$height,framerate=$rate"
    echo "! timeoverlay ! videoconvert"
}

# Sine tone, stereo 44.1 kHz, in 10 ms buffers. Args: centiseconds frequency
tone() {
    echo "audiotestsrc num-buffers=$1 samplesperbuffer=441 freq=$2 ! audio/x-raw,rate=44100,channels=2"
    echo "! audioconvert"
}

mp3() {
    echo "$(tone "$1" "$2") ! lamemp3enc target=bitrate cbr=true bitrate=128"
}

# MPEG-4 + MP3 AVI with one audio stream per tone frequency.
# Args: file frames width height framerate video-bitrate pattern frequencies...
# The audio pads are named so the first frequency is always the first stream.
avi() {
    local file=$1 frames=$2 width=$3 height=$4 rate=$5 bitrate=$6 pattern=$7
    shift 7
    local centis=$((frames * 100 * ${rate#*/} / ${rate%/*}))
    local pipeline i=0 freq
    pipeline="avimux name=mux ! filesink location=$file
        $(video "$frames" "$width" "$height" "$rate" "$pattern")
        ! avenc_mpeg4 bitrate=$bitrate ! queue ! mux.video_0"
    for freq in "$@"; do
        pipeline+=" $(mp3 "$centis" "$freq") ! queue ! mux.audio_$i"
        i=$((i + 1))
    done
    launch $pipeline
}

# Frames a file decodes to; a decoder that stalls counts as none.
decoded_frames() {
    timeout 60 gst-launch-1.0 -v filesrc location="$1" ! decodebin ! video/x-raw \
        ! fakesink silent=false 2>&1 | grep -c 'last-message = chain' || true
}

# Checks a made file with the discoverer, then decodes it and counts the
# frames: a muxer that gets timestamps wrong can write a file the discoverer
# likes but that plays nothing. Prints the file's summary line.
# Args: file min-seconds max-seconds video-streams audio-streams framerate frames
check() {
    local file=$1 min=$2 max=$3 want_video=$4 want_audio=$5 want_rate=$6 want_frames=$7
    local info duration videos audios rates frames
    info=$(timeout 60 gst-discoverer-1.0 -v "$file" 2>&1) || fail "$file: discoverer failed"
    duration=$(awk '/^  Duration:/ { split($2, t, ":"); printf "%.3f", t[1] * 3600 + t[2] * 60 + t[3]; exit }' <<<"$info")
    videos=$(grep -cE '^ +video #[0-9]+:' <<<"$info" || true)
    audios=$(grep -cE '^ +audio #[0-9]+:' <<<"$info" || true)
    rates=$(awk '/^ +Frame rate:/ { print $3 }' <<<"$info" | sort -u | paste -sd,)
    [[ -n $duration ]] || fail "$file: no duration"$'\n'"$info"
    awk -v d="$duration" -v lo="$min" -v hi="$max" 'BEGIN { exit !(d >= lo && d <= hi) }' ||
        fail "$file: duration $duration s, expected $min..$max"
    [[ $videos == "$want_video" && $audios == "$want_audio" ]] ||
        fail "$file: $videos video + $audios audio streams, expected $want_video + $want_audio"
    [[ $rates == "$want_rate" ]] || fail "$file: frame rate $rates, expected $want_rate"
    frames=$(decoded_frames "$file")
    [[ $frames == "$want_frames" ]] || frames=$(decoded_frames "$file") # once more if it stalled
    [[ $frames == "$want_frames" ]] || fail "$file: $frames frames decoded, expected $want_frames"
    printf '%-15s %6.2f s  %3d frames  video %s @ %s fps  audio %s  %7d bytes\n' "$file" \
        "$duration" "$frames" "$videos" "$rates" "$audios" "$(stat -c %s "$file")"
}

avi two-audio.avi 100 320 240 25/1 400000 pattern=smpte 440 880
check two-audio.avi 3.9 4.2 1 2 25/1 100

avi one-audio.avi 100 320 240 25/1 400000 pattern=smpte 440
check one-audio.avi 3.9 4.2 1 1 25/1 100

# A picture larger than any test screen: the window must fit the screen.
avi big.avi 10 1920 1080 25/1 2000000 pattern=smpte

# One picture and nothing else: a movie over before it could be seen.
avi one-frame.avi 1 320 240 25/1 400000 pattern=smpte

# A white 180x180 square at (230, 90) on blue, 640x360, ten seconds: where
# its edges land shows how the picture was stretched, placed and cropped.
launch videotestsrc num-buffers=250 pattern=white ! video/x-raw,width=180,height=180,framerate=25/1 \
    ! videobox left=-230 right=-230 top=-90 bottom=-90 fill=blue ! videoconvert \
    ! avenc_mpeg4 bitrate=2000000 ! avimux ! filesink location=square.avi

# Eight seconds of H.264 and Vorbis in Matroska clusters of two seconds (a
# key frame every 50 frames): damage in one cluster leaves the next to play.
launch matroskamux name=mux ! filesink location=clusters.mkv \
    $(video 200 320 240 25/1 pattern=ball) ! x264enc key-int-max=50 speed-preset=ultrafast \
    ! h264parse ! queue ! mux. $(tone 800 440) ! vorbisenc ! queue ! mux.

# Sound alone: a movie with no picture to show.
launch audiotestsrc num-buffers=100 samplesperbuffer=441 freq=440 ! wavenc ! filesink location=tone.wav

# Same streams, only the extension differs: the player must not go by it.
cp one-audio.avi movie.divx
check movie.divx 3.9 4.2 1 1 25/1 100
# Two audio streams under a name that does not say AVI.
cp two-audio.avi two-audio.divx

avi rate-23976.avi 48 320 240 24000/1001 400000 pattern=smpte 440
check rate-23976.avi 1.9 2.2 1 1 24000/1001 48

# mpeg2enc is slow, so this one stays at CIF size. It is muxed with libav's
# VOB muxer rather than mpegpsmux: mpegpsmux writes one pack header per GOP,
# and mpegpsdemux, which looks for the first PTS right after a pack header,
# then finds it only in the second GOP and cuts the first (~0.5 s) off.
# MP2 at 48 kHz is what program streams normally carry.
launch avmux_vob name=mux ! filesink location=movie.mpg \
    $(video 75 352 288 25/1 pattern=smpte) ! video/x-raw,format=I420 ! mpeg2enc format=3 \
    ! mpegvideoparse ! queue ! mux. \
    audiotestsrc num-buffers=300 samplesperbuffer=480 freq=440 \
    ! audio/x-raw,rate=48000,channels=2 ! audioconvert ! avenc_mp2 ! queue ! mux.
check movie.mpg 2.8 3.2 1 1 25/1 75

# libav's video encoders start their timestamps at 1000 hours (room for
# negative DTS) and asfmux writes them as they are, which leaves asfdemux
# nothing to play; identity rebases them to running time first.
launch asfmux name=mux ! filesink location=movie.asf \
    $(video 75 320 240 25/1 pattern=smpte) ! avenc_wmv2 ! identity single-segment=true \
    ! queue ! mux. \
    $(tone 300 440) ! avenc_wmav2 ! queue ! mux.
check movie.asf 2.9 3.2 1 1 25/1 75

launch mp4mux name=mux ! filesink location=movie.mp4 \
    $(video 75 320 240 25/1 pattern=smpte) ! video/x-raw,format=I420 \
    ! x264enc speed-preset=veryfast bitrate=300 ! queue ! mux. \
    $(tone 300 440) ! avenc_aac ! queue ! mux.
check movie.mp4 2.9 3.2 1 1 25/1 75

# Matroska with what files from elsewhere carry: two audio tracks (440 and
# 1000 Hz) and two subtitle tracks, each with its language and title.
subtitles() { # file text: two entries, at 1-2 s and 3-4 s
    printf '1\n00:00:01,000 --> 00:00:02,000\n%s one\n\n2\n00:00:03,000 --> 00:00:04,000\n%s two\n' \
        "$2" "$2" >"$1"
}
subtitles english.srt 'English line'
subtitles french.srt 'French line'
tags() { echo "taginject tags=\"language-code=$1,title=$2\""; }
launch matroskamux name=mux ! filesink location=tracks.mkv \
    $(video 125 320 240 25/1 pattern=smpte) ! video/x-raw,format=I420 \
    ! x264enc speed-preset=veryfast bitrate=300 ! queue ! mux. \
    $(tone 500 440) ! $(tags eng Main) ! vorbisenc ! queue ! mux.audio_0 \
    $(tone 500 1000) ! $(tags fra Commentary) ! vorbisenc ! queue ! mux.audio_1 \
    filesrc location=english.srt ! subparse ! $(tags eng Dialogue) ! queue ! mux.subtitle_0 \
    filesrc location=french.srt ! subparse ! $(tags fra Dialogue) ! queue ! mux.subtitle_1
check tracks.mkv 4.9 5.1 1 2 25/1 125

# The demo: a bouncing ball on a dark blue ground, long enough to seek around in.
avi demo.avi 300 640 360 25/1 800000 \
    "pattern=ball motion=wavy background-color=0xff1c2a48 foreground-color=0xfff0c040" 440 880
check demo.avi 11.9 12.2 1 2 25/1 300
# Its subtitles, as SubRip.
cat >demo.srt <<'SRT'
1
00:00:01,000 --> 00:00:04,000
Vantor Meridian
<i>subtitles over the movie</i>

2
00:00:05,000 --> 00:00:08,000
Drag these lines up or down:
the height is kept

3
00:00:09,000 --> 00:00:11,000
Press Z for full screen
SRT
# Its playlist: the demo, then a test pattern.
printf '#EXTM3U\n#EXTINF:12,Bouncing ball\ndemo.avi\n#EXTINF:4,Test pattern\none-audio.avi\n' >demo.m3u

# The demo disc: a menu over a looping movie, whose hot spots play the demo
# (after a short transition), start it at its second chapter, choose its
# second audio stream, load its subtitles, and lead to a second menu over a
# still picture that leads back.
# gst-launch joins its arguments with spaces before parsing them, so texts
# with spaces carry their own quotes.
label() { # text x y: a label with a dark box behind it, at (x, y)
    overlays+=(! textoverlay "text=\"$1\"" "font-desc=\"Sans Bold 18\"" halignment=left
        valignment=top "xpad=$2" "ypad=$3" shaded-background=true shading-value=120)
}
title() {
    overlays+=(! textoverlay "text=\"$1\"" "font-desc=\"Sans Bold 26\"" halignment=center
        valignment=top ypad=24)
}
overlays=()
title 'Vantor Meridian demo disc'
label 'Play the movie' 60 100
label 'Start at chapter 2' 60 150
label 'Second audio stream' 60 200
label 'Load the subtitles' 60 250
label 'More...' 420 250
launch avimux name=mux ! filesink location=menu.avi \
    videotestsrc num-buffers=100 pattern=ball motion=sweep background-color=0xff15233c \
    foreground-color=0xff2f5fa0 ! video/x-raw,width=640,height=360,framerate=25/1 \
    "${overlays[@]}" ! videoconvert ! avenc_mpeg4 bitrate=600000 ! queue ! mux.video_0 \
    $(mp3 400 220) ! queue ! mux.audio_0
check menu.avi 3.9 4.2 1 1 25/1 100
avi transition.avi 25 640 360 25/1 400000 "pattern=smpte" 660
check transition.avi 0.9 1.2 1 1 25/1 25
overlays=()
title 'More of the demo'
label 'Play the movie' 60 120
label 'Back to the main menu' 60 200
launch videotestsrc num-buffers=1 pattern=gradient foreground-color=0xff204060 \
    background-color=0xff101820 ! video/x-raw,width=640,height=360 "${overlays[@]}" \
    ! videoconvert ! video/x-raw,format=BGR ! avenc_bmp ! filesink location=second.bmp
[[ $(head -c 2 second.bmp) == BM ]] || fail "second.bmp is not a bitmap"
# Hot spots hold their labels with a margin: "left,top,right,bottom".
printf '%s\r\n' 'Caption=Vantor Meridian demo disc' 'File=menu.avi' \
    'Button=050,093,275,141' '1stAction=Transition' '1stParam=transition.avi' \
    '2ndAction=Play' '2ndParam=demo.avi' \
    'Button=050,143,312,191' '1stAction=None' '1stParam=' \
    '2ndAction=GotoChapter' '2ndParam=00:00:05:demo.avi' \
    'Button=050,193,356,241' '1stAction=None' '1stParam=' \
    '2ndAction=Language' '2ndParam=Stream 02:demo.avi' \
    'Button=050,243,316,291' '1stAction=None' '1stParam=' '2ndAction=Sub' '2ndParam=demo.srt' \
    'Button=410,243,530,291' '1stAction=None' '1stParam=' '2ndAction=Goto' '2ndParam=second.vmu' \
    >main.vmu
printf '%s\r\n' 'Caption=More of the demo' 'File=second.bmp' \
    'Button=050,113,275,161' '1stAction=None' '1stParam=' '2ndAction=Play' '2ndParam=demo.avi' \
    'Button=050,193,384,241' '1stAction=None' '1stParam=' '2ndAction=Goto' '2ndParam=main.vmu' \
    >second.vmu

# Broken inputs the player must refuse without hanging or crashing.
: >empty.avi
printf 'This is not a movie.\nIt is plain text\nwearing an .avi name.\n' >not-media.avi
head -c 4096 two-audio.avi >truncated.avi
for f in empty.avi not-media.avi truncated.avi; do
    printf '%-15s %s bytes (broken on purpose)\n' "$f" "$(stat -c %s "$f")"
done
[[ $(stat -c %s truncated.avi) == 4096 ]] || fail "truncated.avi is not 4 KiB"

for f in "${files[@]}"; do
    mv -f "$f" "$outdir/$f"
done
echo "$checksum" >"$stamp"
echo "make-media: ${#files[@]} files in $outdir ($((SECONDS - started)) s)"
