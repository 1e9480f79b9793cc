#!/usr/bin/env bash
# Builds the Debian package build/package/lmr_<version>_<arch>.deb: a Release build without
# tests and benchmarks, installed under /usr by CPack, with Depends found by dpkg-shlibdeps.
# Checks the AppStream record and the desktop entry of what it packed; exits non-zero when a
# step fails. Install the result with: sudo apt-get install ./build/package/lmr_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh

# What packing and checking need beyond the build.
tools=(dpkg-dev file)
missing=()
for p in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build=build/package-release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLMR_TESTS=OFF -DLMR_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)"
rm -f build/package/lmr_*.deb
(cd "$build" && cpack -G DEB -B "$PWD/../package" >/dev/null)
deb=$(ls build/package/lmr_*.deb)

# Look at what was packed, as a desktop will.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
dpkg-deb -x "$deb" "$stage"
appstreamcli validate --no-net "$stage"/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$stage/usr/share/applications/lmr.desktop"
for f in usr/bin/lmr usr/bin/lmr-sim usr/share/lmr/udev/70-lmr-serial.rules \
         usr/share/doc/lmr/copyright usr/share/icons/hicolor/scalable/apps/lmr.svg; do
  [ -s "$stage/$f" ] || { echo "package.sh: $f is not in the package" >&2; exit 1; }
done
dpkg-deb --field "$deb" Package Version Architecture Depends
echo "$deb"
