#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need.
# Does nothing when all of them are there already.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-private-dev libqt6opengl6-dev libqt6sql6-sqlite qt6-charts-dev qt6-image-formats-plugins qt6-translations-l10n
  libserialport-dev libxlsxwriter-dev libminizip-dev libasound2-dev
  fonts-dseg fonts-osifont python3-fonttools
  libgtest-dev libgmock-dev
  xvfb xauth imagemagick locales openbox
  at-spi2-core dbus python3-pyatspi xdotool
  librsvg2-bin desktop-file-utils appstream
  libreoffice-calc-nogui unzip poppler-utils fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The decimal-comma tests run under the Russian locale.
if ! locale -a 2>/dev/null | grep -qiE '^ru_RU\.utf-?8$'; then
  as_root sed -i 's/^# *ru_RU.UTF-8 UTF-8/ru_RU.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi
