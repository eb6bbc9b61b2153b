#!/usr/bin/env bash
# Installs the Debian packages that building, testing and the demo need,
# when any of them is missing. Safe to run again: it installs nothing twice.
set -euo pipefail

packages=(
  build-essential cmake pkgconf            # the build
  qt6-base-dev libgl-dev                   # Qt 6 Widgets
  libx11-dev                               # the start-up benchmark watches the display itself
  libgtest-dev                             # core unit tests
  xvfb xauth xdotool x11-utils             # end-to-end tests and screenshots on a virtual display
  imagemagick                              # screenshots
  fonts-liberation2 fonts-dejavu-core      # the fonts the windows fall back to
  clang libclang-rt-14-dev                 # fuzzing
  mingw-w64 wine64                         # the core on Windows
  googletest                               # GoogleTest sources, built for Windows
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
