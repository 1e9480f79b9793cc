#!/usr/bin/env bash
# install_test.sh CMAKE BUILD_DIR: installs the build into a fresh prefix and checks what a desktop
# needs is there: the two programs, the desktop entry and the AppStream record (valid), the icons
# in their sizes, the udev rule and the licences. The installed programs answer --version/--help.
set -euo pipefail
cmake=$1
build=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

for f in bin/lmr bin/lmr-sim; do
  [ -x "$prefix/$f" ] || fail "$f is not installed as a program"
done
for f in share/applications/lmr.desktop share/icons/hicolor/scalable/apps/lmr.svg \
         share/lmr/udev/70-lmr-serial.rules share/metainfo/ru.lmr.lmr.metainfo.xml \
         share/doc/lmr/copyright share/doc/lmr/DSEG-LICENSE.txt share/doc/lmr/osifont-LICENSE.txt; do
  [ -s "$prefix/$f" ] || fail "$f is missing or empty"
done
for size in 16 22 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/lmr.png
  [ -s "$png" ] || fail "the ${size}x${size} icon is missing"
  got=$(identify -format '%m %wx%h' "$png")
  [ "$got" = "PNG ${size}x${size}" ] || fail "the ${size}x${size} icon is $got"
done

desktop=$prefix/share/applications/lmr.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects lmr.desktop"
grep -qx 'Exec=lmr' "$desktop" || fail "lmr.desktop does not start lmr"
grep -qx 'Icon=lmr' "$desktop" || fail "lmr.desktop does not name the icon lmr"
grep -q '^Name\[ru\]=' "$desktop" || fail "lmr.desktop has no Russian name"

appstreamcli validate --no-net "$prefix/share/metainfo/ru.lmr.lmr.metainfo.xml" >/dev/null \
  || fail "appstreamcli rejects the metainfo"
# Answered without a display: no window, exit 0.
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$prefix/bin/lmr" --version | grep -qx 'lmr [0-9.]*' \
  || fail "the installed lmr --version"
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$prefix/bin/lmr" --help | grep -q '^usage: lmr' \
  || fail "the installed lmr --help"
"$prefix/bin/lmr-sim" --help | grep -q '^usage: lmr-sim' || fail "the installed lmr-sim --help"
echo "installed into a temporary prefix: all there"
