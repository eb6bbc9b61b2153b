#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, testing and the demo need,
# when any of them is missing. Safe to run again: it installs nothing twice.
#   scripts/setup.sh           the Linux build, its tests and the demo
#   scripts/setup.sh windows   also the Windows cross-build and Wine to test it
#   scripts/setup.sh release   also what scripts/release.sh packs and checks with
#   scripts/setup.sh roots     also what makes the Debian roots the tests run in
set -euo pipefail

packages=(
  build-essential cmake pkgconf            # the build
  qt6-base-dev libgl-dev                   # Qt 6 Widgets
  libx11-dev                               # the start-up benchmark watches the display itself
  libgtest-dev                             # core unit tests
  xvfb xauth xdotool x11-utils             # end-to-end tests and screenshots on a virtual display
  x11-xkb-utils xkb-data                   # ... with other keyboard layouts
  imagemagick                              # screenshots
  fonts-liberation2 fonts-dejavu-core      # the fonts the windows fall back to
  fonts-dejavu-extra                       # ... and DejaVu's condensed faces for wider captions
  clang libclang-rt-dev                    # fuzzing
)

windows_packages=(
  mingw-w64 ninja-build                    # the cross-build, Qt's included
  dpkg-dev                                 # apt-get source unpacks Qt's source package with it
  googletest                               # GoogleTest sources, built for Windows
  wine64 fonts-wine                        # running the programs, with Wine's own Windows fonts
  libfreetype6 libfontconfig1              # Wine's text on X
  libxrender1 libxrandr2 libxcursor1 libxi6 libxinerama1 libxcomposite1 # Wine's X driver
)

release_packages=(
  dpkg-dev zip                             # the Debian package and the Windows zip
  lintian unzip                            # checking them
)

roots_packages=(
  mmdebstrap                               # a Debian root from Debian's own packages
)

for group in "$@"; do
  case $group in
    windows) packages+=("${windows_packages[@]}") ;;
    release) packages+=("${release_packages[@]}") ;;
    roots) packages+=("${roots_packages[@]}") ;;
    *) echo "setup.sh: unknown group \"$group\" (known: windows, release, roots)" >&2; exit 2 ;;
  esac
done

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
