#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Velmora needs.
# Safe to run again: packages already present are left alone.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev qt6-svg-dev libqt6svg6
  libsqlite3-dev
  libpq-dev postgresql
  libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-liberation2
  xvfb xauth
  sqlite3
  cups printer-driver-cups-pdf poppler-utils
  xdotool desktop-file-utils appstream
  dpkg-dev file groff-base
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
