#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Packages already installed are skipped, so a second run costs nothing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev libqt6svg6
  libpugixml-dev libzip-dev zlib1g-dev libgsf-1-dev libssl-dev libfontconfig-dev libxml2-dev libgmime-3.0-dev libicu-dev
  libbenchmark-dev
  openssl e2fsprogs
  qt6-translations-l10n
  desktop-file-utils shared-mime-info libxml2-utils dbus-daemon
  fonts-noto-cjk fonts-liberation2
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} > 0)); then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
