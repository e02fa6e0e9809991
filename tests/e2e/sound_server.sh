#!/usr/bin/env bash
# The player on a private PulseAudio with two null sinks named "Speakers", heard at their
# monitors: the device chosen by id, the stream's properties, volume both ways and mute, an
# unloaded sink, a restarted server. Run under xvfb-run and dbus-run-session.
# Usage: sound_server.sh PLAYER MEDIA TONE_LEVEL
set -euo pipefail
player=$1 media=$2 tone=$3

if ! command -v pulseaudio >/dev/null || ! command -v parec >/dev/null; then
    echo "SKIP: pulseaudio and pulseaudio-utils are not installed (tools/setup.sh installs them)"
    exit 77
fi
source "$(dirname "$0")/lib.sh"
start_window_manager
server=""
trap 'kill $wm 2>/dev/null || true; [[ -z $server ]] || kill $server 2>/dev/null || true; cleanup' EXIT
# The private server only, and no client starting one of its own.
export PULSE_RUNTIME_PATH=$XDG_RUNTIME_DIR/pulse HOME=$work PULSE_CLIENTCONFIG=$work/client.conf
unset PULSE_SERVER
echo 'autospawn = no' >"$work/client.conf"
cat >"$work/server.pa" <<'PA'
load-module module-null-sink sink_name=vantor_a sink_properties=device.description=Speakers
load-module module-null-sink sink_name=vantor_b sink_properties=device.description=Speakers
load-module module-native-protocol-unix auth-anonymous=1
set-default-sink vantor_a
PA
start_server() {
    pulseaudio -n -F "$work/server.pa" --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        --log-target=file:"$work/pulse.log" 2>/dev/null &
    server=$!
    await 10 'the sound server did not start: $(tail -n 5 "$work/pulse.log")' eval 'pactl info >/dev/null 2>&1'
}
# "FREQUENCY LEVEL_DB", "silence LEVEL" or "other LEVEL": one second of a sink's monitor.
hear() {
    { timeout 3 parec -d "$1.monitor" --raw --format=s16le --rate=8000 --channels=1 2>/dev/null ||
        true; } | head -c 16000 | "$tone" 8000 440 880
}
# Waits (about 8 s) until a sink's monitor hears FREQUENCY or "silence"; prints the level.
heard() { # heard SINK EXPECTED
    local got=""
    for _ in $(seq 8); do
        got=$(hear "$1")
        [[ ${got%% *} == "$2" ]] && { echo "${got#* }"; return 0; }
    done
    fail "${step:+after $step: }$1 heard '$got', expected $2"
}
near() { # near VALUE EXPECTED TOLERANCE
    awk -v v="$1" -v e="$2" -v t="$3" 'BEGIN { d = v - e; exit !(d <= t && d >= -t) }'
}
unload() { pactl unload-module "$(pactl list short modules | awk -v s="sink_name=$1" '$0 ~ s { print $1 }')"; }
stream_property() { pactl list sink-inputs | sed -n "s/^[[:space:]]*$1 = \"\(.*\)\"$/\1/p" | head -n 1; }
stream_volume_db() { pactl list sink-inputs | sed -n 's/.*Volume: .* \([-0-9.inf]*\) dB.*/\1/p' | head -n 1; }
start_player() {
    VANTOR_TRACE_SOUND=1 "$player" "$@" >>"$work/player.log" 2>&1 &
    pid=$!
    wait_for Playing status
    ctl loop Track
}

start_server
settings DeviceId=vantor_b 'Device=Speakers (vantor_b)' DeviceIdx=3

step="the device chosen by its id"
start_player "$media/demo.avi"
bar=$(wait_window '^Vantor Meridian$')
full=$(heard vantor_b 440)
heard vantor_a silence >/dev/null
for pair in "application.name=Vantor Meridian" application.icon_name=vantorplay media.role=video; do
    [[ $(stream_property "${pair%%=*}") == "${pair#*=}" ]] || fail "stream $pair: '$(stream_property "${pair%%=*}")'"
done

press "$bar" KP_Subtract KP_Subtract # two volume steps down
await 3 'stream volume $(stream_volume_db) dB' eval 'near "$(stream_volume_db)" -9.08 0.1'
sleep 0.5
level=$(heard vantor_b 440)
near "$level" "$(awk -v f="$full" 'BEGIN { print f - 9.08 }')" 1.5 || fail "$step: $level dB after $full"
press "$bar" m
heard vantor_b silence >/dev/null
press "$bar" m
heard vantor_b 440 >/dev/null
step="the sound applet's slider"
pactl set-sink-input-volume "$(pactl list short sink-inputs | awk 'NR == 1 { print $1 }')" 50%
await 3 'player volume $(ctl volume)' eval 'near "$(ctl volume)" 0.125 0.01'

step="the chosen sink unloaded while playing"
before=$(position)
unload vantor_b
await 5 "no word of it" logged 'Speakers (vantor_b).* was unplugged: the sound plays on the default output'
outputs=$(grep 'audio outputs: ' "$work/player.log" | tail -n 1)
[[ $outputs == *Speakers* && $outputs != *vantor_b* ]] || fail "$step: listed as '$outputs'"
# Devices only: no bare sink type (alsasink, pulsesink, a2dpsink, ...).
! grep -Eq 'audio outputs: (.*, )?[a-z0-9]+sink(,|$)' "$work/player.log" ||
    fail "sink types are offered: $outputs"
wait_for Playing status
heard vantor_a 440 >/dev/null
(($(position) >= before)) || fail "$step: went back from $before s to $(position) s"

step="the sink loaded again"
pactl load-module module-null-sink sink_name=vantor_b sink_properties=device.description=Speakers >/dev/null
await 5 "not listed again" logged 'audio outputs: .*Speakers (vantor_a), Speakers (vantor_b)'
ctl open "file://$media/one-audio.avi"
wait_for one-audio.avi metadata xesam:title
heard vantor_b 440 >/dev/null
heard vantor_a silence >/dev/null

step="a restart of the sound server"
ctl open "file://$media/demo.avi"
wait_for demo.avi metadata xesam:title
heard vantor_b 440 >/dev/null
sleep 1
before=$(position)
kill "$server"
wait "$server" 2>/dev/null || true
start_server
await 10 "did not come back" logged 'The sound output was lost and is back'
wait_for Playing status
heard vantor_b 440 >/dev/null
(($(position) >= before)) || fail "$step: went back from $before s to $(position) s"
! grep -q 'cannot be read' "$work/player.log" || fail "$step: the file was blamed"
pactl load-module module-null-sink sink_name=vantor_c sink_properties=device.description=Other >/dev/null
await 5 "a sink loaded since is not listed" logged 'audio outputs: .*Other'

# The other twin, chosen by its id, with the second stream.
step="the second audio stream on the other Speakers"
kill "$pid"
wait "$pid" || true
sed -i 's/^DeviceId=.*/DeviceId=vantor_a/' "$ini"
start_player "$media/demo.avi /cli -stream 2"
heard vantor_a 880 >/dev/null
heard vantor_b silence >/dev/null
step="the other Speakers unplugged: the second stream plays on"
unload vantor_a
await 5 "no word of it" logged 'Speakers (vantor_a).* was unplugged'
heard "$(pactl get-default-sink)" 880 >/dev/null
echo "sound server: ok"
