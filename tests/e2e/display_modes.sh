#!/usr/bin/env bash
# Display mode switches on real X servers: Xvfb from the caller (1280x800,
# one mode), then, where installed, Xorg's dummy driver with several modes.
# Usage: display_modes.sh TEST_BINARY
set -euo pipefail
tests=$1
filter='XRandRBackendTest.*:FullScreenDisplayMode.*'

source "$(dirname "$0")/lib.sh" # its clean-up ends the Xorg started below

xrandr_size() {
    DISPLAY=$1 xrandr 2>/dev/null | sed -n 's/.*current \([0-9]*\) x \([0-9]*\),.*/\1x\2/p'
}

echo "== Xvfb on $DISPLAY"
VANTOR_TEST_SCREEN=1280x800 VANTOR_TEST_XRANDR_SWITCH=1 "$tests" --gtest_filter="$filter"
if command -v xrandr >/dev/null; then
    size=$(xrandr_size "$DISPLAY")
    [ "$size" = 1280x800 ] || { echo "FAIL: Xvfb screen is $size afterwards" >&2; exit 1; }
fi

dummy=/usr/lib/xorg/modules/drivers/dummy_drv.so
if ! command -v Xorg >/dev/null || [ ! -e "$dummy" ]; then
    echo "== no Xorg with the dummy driver: real switches not checked"
    exit 0
fi

mkdir "$work/conf.d"
cat >"$work/xorg.conf" <<'EOF'
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoAddGPU" "false"
  Option "DontVTSwitch" "true"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 64000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-100.0
  VertRefresh 5.0-200.0
  Modeline "1280x800_60" 83.50 1280 1352 1480 1680 800 803 809 831 -hsync +vsync
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "1280x800_60"
  EndSubSection
EndSection
EOF
mkfifo "$work/displayfd"
Xorg -displayfd 3 -noreset -nolisten tcp -config "$work/xorg.conf" -configdir "$work/conf.d" \
    -logfile "$work/xorg.log" 3>"$work/displayfd" >"$work/xorg.out" 2>&1 &
pid=$!
number=
if read -r -t 15 number <"$work/displayfd" && [ -n "$number" ]; then
    echo "== Xorg dummy on :$number"
else
    echo "== Xorg with the dummy driver did not start here: real switches not checked"
    sed -n '/(EE)/p' "$work/xorg.out" | head -n 5
    exit 0
fi
before=$(xrandr_size ":$number")
# 640x480, 800x600 and 1024x768 at 60 Hz are among the dummy driver's modes.
DISPLAY=:$number VANTOR_TEST_SCREEN=1280x800 VANTOR_TEST_XRANDR_SWITCH=1 \
    VANTOR_TEST_EXPECT_SWITCHES=3 "$tests" --gtest_filter="$filter"
after=$(xrandr_size ":$number")
[ "$before" = "$after" ] || { echo "FAIL: screen $before became $after" >&2; exit 1; }
echo "== PASS"
