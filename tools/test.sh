#!/usr/bin/env bash
# Sets everything up, builds and runs the whole test suite.
#   tools/test.sh             the suite
#   tools/test.sh --sanitize  the suite built with AddressSanitizer and UBSan
set -euo pipefail
cd "$(dirname "$0")/.."
build=build
extra=()
if [[ ${1:-} == --sanitize ]]; then
    build=build-sanitize
    extra=(-DVANTOR_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
    # Leaks that belong to GLib, GStreamer and Qt are listed, with the reason,
    # in the suppressions file; everything else fails the run.
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:detect_odr_violation=0
    export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizer/lsan.supp:print_suppressions=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export VANTOR_E2E_FIRST_FRAME_MS=10000
fi
tools/setup.sh "$build" -DVANTOR_TESTS=ON "${extra[@]}"
cd "$build"
ctest -j "$(nproc)" --output-on-failure --timeout 300
