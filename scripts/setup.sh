#!/usr/bin/env bash
# Installs the Debian packages that building, running, testing and packaging
# need, when any is missing: cpack's Debian generator computes dependencies
# with dpkg-shlibdeps (dpkg-dev, file); the package test validates the menu
# entry and the metainfo (desktop-file-utils, appstream), renders the
# manual pages (man-db, groff-base) and runs lintian on the package. Qt Charts
# needs the OpenGL module's development files, which Debian's qt6-charts-dev
# does not bring along.
# Installing needs root (or sudo).
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-multimedia-dev libqt6multimedia6 qt6-qpa-plugins
  qt6-charts-dev libqt6opengl6-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  libx11-dev libgl-dev
  fonts-liberation
  xvfb xauth poppler-utils
  dpkg-dev file desktop-file-utils appstream man-db groff-base lintian
  clang-14 libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
