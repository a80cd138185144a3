#!/bin/sh
# One entry point for users and CI:
#   ./build.sh run    install what is missing, build, start Tavrel
#   ./build.sh test   install what is missing, build, run every test
#   ./build.sh deb    install what is missing, build, pack build/tavrel_<version>_<arch>.deb
set -eu

here=$(cd "$(dirname "$0")" && pwd)
build="$here/build"
jobs=$(nproc 2>/dev/null || echo 2)

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

build_all() {
    need_packages g++ cmake make qt6-base-dev qt6-serialport-dev libgl-dev fontconfig fonts-dejavu-core "$@"
    cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j "$jobs"
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
    # Test fixtures come from independent tools: ImageMagick and Python's PIL.
    # Exported arrays are judged by the tools that read them: ImageMagick, gcc
    # and objcopy (binutils). The installation test judges the installed files
    # with the validators a distribution uses, and packs the .deb.
    build_all imagemagick python3 python3-pil gcc binutils desktop-file-utils appstream groff-base man-db mandoc \
        librsvg2-bin dpkg-dev file
    mkdir -p /tmp/tavrel-test-runtime && chmod 700 /tmp/tavrel-test-runtime
    cd "$build" && ctest --output-on-failure -j "$jobs"
    ;;
deb)
    # dpkg-shlibdeps (dpkg-dev) computes the library dependencies; CPack finds the program with file.
    build_all dpkg-dev file
    cd "$build" && cpack -G DEB
    ;;
*)
    echo "usage: $0 run|test|deb" >&2
    exit 2
    ;;
esac
