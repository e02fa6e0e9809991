#!/usr/bin/env bash
# Runs one libFuzzer target for a while, on its seeds (fuzz/seeds/TARGET)
# and the corpus it grew before (build-fuzz/corpus/TARGET). A crash leaves
# its input as build-fuzz/crash-* and fails.
#   tools/fuzz.sh TARGET SECONDS
#   tools/fuzz.sh --list
set -euo pipefail
cd "$(dirname "$0")/.."
targets=(command_line subtitles skin_description skin_folder menu playlist dar registry chapters
    avi_header)
if [[ ${1:-} == --list ]]; then
    printf '%s\n' "${targets[@]}"
    exit 0
fi
if [[ $# -ne 2 || ! " ${targets[*]} " == *" $1 "* ]]; then
    echo "usage: tools/fuzz.sh TARGET SECONDS (tools/fuzz.sh --list names the targets)" >&2
    exit 2
fi
target=$1
seconds=$2
build=build-fuzz

tools/setup.sh --packages
if ! command -v clang++ >/dev/null; then
    sudo=""
    [[ $(id -u) == 0 ]] || sudo=sudo
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends clang
fi
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVANTOR_FUZZ=ON -DVANTOR_TESTS=OFF >/dev/null
cmake --build "$build" --target "fuzz_$target" -j "$(nproc)"

corpus=$build/corpus/$target
mkdir -p "$corpus"
# Leaks that belong to GLib and Qt are the suppressions' business, as in the
# sanitizer suite.
export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
cd "$build"
"./fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 "corpus/$target" "../fuzz/seeds/$target"
