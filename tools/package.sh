#!/usr/bin/env bash
# Builds the Debian package: build-package/vantorplay_VERSION_ARCH.deb.
# The libraries the program links come from dpkg-shlibdeps; the plugin
# packages it loads at run time (GStreamer's decoders and sinks, Qt's
# platform plugin) are found by playing the test media under Xvfb and
# asking dpkg which packages hold the plugins the player mapped.
#   tools/package.sh            (as root, or as a user who may use sudo)
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-package

sudo=""
[[ $(id -u) == 0 ]] || sudo=sudo
for tool in dpkg-shlibdeps:dpkg-dev file:file; do
    command -v "${tool%%:*}" >/dev/null ||
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${tool#*:}"
done
tools/setup.sh "$build" -DCMAKE_BUILD_TYPE=Release -DVANTOR_TESTS=OFF
tools/make-media.sh "$build/media" >/dev/null

# The plugins the player maps while it plays each kind of movie.
maps=$(mktemp)
trap 'rm -f "$maps"' EXIT
for movie in demo.avi two-audio.divx movie.mp4 movie.mpg movie.asf; do
    XDG_CONFIG_HOME=$(mktemp -d) xvfb-run -a sh -c '
        "$1" "$2" >/dev/null 2>&1 & p=$!
        sleep 4
        cat /proc/$p/maps
        kill $p; wait $p' sh "$PWD/$build/vantorplay" "$PWD/$build/media/$movie" >>"$maps" || true
done
plugins=$(awk '{ print $6 }' "$maps" | grep -E '/(gstreamer-1\.0|qt6/plugins)/.*\.so' | sort -u)
[[ -n $plugins ]] || { echo "package: no plugins were seen loading" >&2; exit 1; }
packages=$(for plugin in $plugins; do dpkg -S "$plugin" 2>/dev/null | cut -d: -f1; done | sort -u)
depends=$(echo "$packages" | paste -sd, | sed 's/,/, /g')
echo "Run-time plugin packages: $depends"

cmake -S . -B "$build" -DVANTOR_RUNTIME_PACKAGES="$depends" >/dev/null
cmake --build "$build" -j "$(nproc)"
(cd "$build" && cpack >/dev/null)
deb=$(ls "$build"/vantorplay_*.deb)
echo "$deb: $(du -h "$deb" | cut -f1)"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"
