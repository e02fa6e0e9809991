#!/usr/bin/env bash
# Installs what the player needs on Debian 12 and builds it.
#   tools/setup.sh [BUILD_DIR] [extra cmake arguments...]
#   tools/setup.sh --packages     installs the packages only
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
shift || true

packages=(
    # building
    g++ cmake ninja-build pkg-config qt6-base-dev
    libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev libgtest-dev libgmock-dev
    libxrandr-dev libx11-dev libswscale-dev
    # playing
    gstreamer1.0-tools gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    gstreamer1.0-plugins-bad gstreamer1.0-plugins-ugly gstreamer1.0-libav gstreamer1.0-x
    gstreamer1.0-alsa gstreamer1.0-pulseaudio gstreamer1.0-plugins-base-apps
    libqt6gui6 qt6-qpa-plugins
    # testing on a real X server
    xvfb xauth xdotool x11-apps imagemagick dbus-daemon playerctl
    xdg-utils desktop-file-utils x11-xserver-utils x11-utils openbox
    # checking the installed layout
    appstream groff-base
    # a display server with several modes, for real display-mode switches
    xserver-xorg-core xserver-xorg-video-dummy
    # a real sound server (private, with null sinks) and a Wayland session
    # (weston's headless backend with XWayland; Qt's Wayland platform, which
    # a Wayland session would otherwise pick)
    pulseaudio pulseaudio-utils weston xwayland qt6-wayland
)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' || missing+=("$package")
done
if ((${#missing[@]})); then
    sudo=""
    [[ $(id -u) == 0 ]] || sudo=sudo
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

[[ $build == --packages ]] && exit 0
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
