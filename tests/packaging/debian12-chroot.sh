#!/bin/sh
# Installs a built .deb into a fresh, minimal Debian 12 root and checks what a
# user meets: the program answers, its manual page opens, the menu entry and
# the icon are in place. Needs root, debootstrap and the Debian mirror; not run
# by ctest (a few minutes, mostly downloads).
#   tests/packaging/debian12-chroot.sh build/tavrel_3.12_amd64.deb [ROOT]
set -eu
deb=$(realpath "$1")
root=${2:-/tmp/deb12}

[ -x "$root/usr/bin/apt-get" ] || debootstrap --variant=minbase bookworm "$root"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"
mount -t proc proc "$root/proc"
trap 'umount "$root/proc"' EXIT

chroot "$root" /bin/sh -eu <<INSIDE
export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8
apt-get update -q
apt-get install -y -q ./tmp/$(basename "$deb")
# man-db is not in a minimal root; a desktop installation has it.
apt-get install -y -q man-db
# The window's parser needs a display even for --help.
echo "--- tavrel --help"; QT_QPA_PLATFORM=offscreen tavrel --help
echo "--- tavrel --version"; QT_QPA_PLATFORM=offscreen tavrel --version || echo "(no --version in this build)"
echo "--- man tavrel"; MANPAGER=cat MANWIDTH=80 man tavrel | head -n 12
echo "--- menu entry"; cat /usr/share/applications/*.Tavrel.desktop
echo "--- icons"; ls /usr/share/icons/hicolor/*/apps/tavrel.*
echo "--- convert (the installed icon as a picture)"
tavrel convert /usr/share/icons/hicolor/16x16/apps/tavrel.png --size 128x32 --format 0x --delimiter , | head -c 160; echo
INSIDE
