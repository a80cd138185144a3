#!/bin/sh
# One entry point for users and CI:
#   ./build.sh run    install what is missing, build, start Tavrel
#   ./build.sh test   install what is missing, build, run every test pass:
#       normal    the test suite, built with g++ (folder build)
#       sanitize  the same suite built with clang, AddressSanitizer and
#                 UndefinedBehaviorSanitizer; any report fails (folder build-asan)
#       fuzz      each fuzz target for FUZZ_SECONDS (default 25) seconds with
#                 libFuzzer, from the same build-asan; a crash, leak or timeout fails
#   ./build.sh test PASS...   only the passes named, e.g. `./build.sh test fuzz`
#   ./build.sh deb    install what is missing, build, pack build/tavrel_<version>_<arch>.deb
set -eu

here=$(cd "$(dirname "$0")" && pwd)
build="$here/build"
sanitized="$here/build-asan"
jobs=$(nproc 2>/dev/null || echo 2)
# ccache (when installed) reuses objects across clones in other folders,
# such as CI's fresh one: paths are hashed relative to the clone.
export CCACHE_BASEDIR="$here" CCACHE_NOHASHDIR=true

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the Debian packages given that are not installed yet.
need_packages() {
    missing=""
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing="$missing $package"
    done
    [ -z "$missing" ] && return 0
    echo "Installing:$missing"
    as_root apt-get update -q
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -q --no-install-recommends $missing
}

qt_packages="cmake make qt6-base-dev qt6-serialport-dev libgl-dev zlib1g-dev fontconfig fonts-dejavu-core"
# The PIC receiver firmware is assembled with gpasm.
firmware_packages="gputils"
# Test fixtures come from independent tools (ImageMagick, Python's PIL); the
# installation test judges the installed files with the validators a
# distribution uses, packs the .deb and checks it with lintian; gpsim runs the PIC firmware.
fixture_packages="imagemagick python3 python3-pil xfonts-base gcc binutils desktop-file-utils appstream groff-base man-db mandoc librsvg2-bin dpkg-dev file lintian gpsim"

build_all() {
    # shellcheck disable=SC2086
    need_packages g++ $qt_packages $firmware_packages "$@"
    cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j "$jobs"
}

# One build for the sanitizer and fuzz passes: clang with AddressSanitizer,
# UndefinedBehaviorSanitizer and libFuzzer's coverage in every object.
build_sanitized() {
    # shellcheck disable=SC2086
    need_packages clang libclang-rt-14-dev llvm-14 $qt_packages $firmware_packages $fixture_packages
    cmake -S "$here" -B "$sanitized" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DTAVREL_SANITIZE=ON -DTAVREL_FUZZ=ON >/dev/null
    cmake --build "$sanitized" -j "$jobs"
}

test_runtime() {
    mkdir -p /tmp/tavrel-test-runtime && chmod 700 /tmp/tavrel-test-runtime
}

pass_normal() {
    echo "== Test pass: normal suite (build)"
    # shellcheck disable=SC2086
    build_all $fixture_packages
    test_runtime
    (cd "$build" && ctest --output-on-failure -j "$jobs" -LE benchmark)
}

pass_sanitize() {
    echo "== Test pass: suite under AddressSanitizer and UndefinedBehaviorSanitizer (build-asan)"
    build_sanitized
    test_runtime
    (cd "$sanitized" && ctest --output-on-failure -j "$jobs" -LE 'fuzz|benchmark')
}

pass_fuzz() {
    echo "== Test pass: fuzzing, ${FUZZ_SECONDS:-25} s a target (build-asan)"
    build_sanitized
    test_runtime
    rm -f "$sanitized/tests/fuzz/work/summary.txt"
    status=0
    (cd "$sanitized" && ctest --output-on-failure -j "$jobs" -L fuzz) || status=$?
    cat "$sanitized/tests/fuzz/work/summary.txt" 2>/dev/null || true
    return "$status"
}

case "${1:-}" in
run)
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        echo "No display found: starting Tavrel on a virtual X display (xvfb-run)."
        build_all xvfb xauth
        exec xvfb-run -a "$build/src/tavrel"
    fi
    build_all
    exec "$build/src/tavrel"
    ;;
test)
    shift
    passes=${*:-normal sanitize fuzz}
    for pass in $passes; do
        case "$pass" in
        normal | sanitize | fuzz) ;;
        *)
            echo "usage: $0 test [normal] [sanitize] [fuzz]" >&2
            exit 2
            ;;
        esac
    done
    for pass in $passes; do
        "pass_$pass"
    done
    ;;
deb)
    # dpkg-shlibdeps (dpkg-dev) computes the library dependencies; CPack finds the program with file.
    build_all dpkg-dev file
    cd "$build" && cpack -G DEB
    ;;
*)
    echo "usage: $0 run | test [normal] [sanitize] [fuzz] | deb" >&2
    exit 2
    ;;
esac
