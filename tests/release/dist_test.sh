#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What a user downloads, tested as a user gets it:
#   dist_test.sh <dist folder> <Linux build folder> <Windows build folder>
# The build folders lend the stand-in emulators and the Wine prefix. The zip
# holds exactly its four files, and its norvan.exe, unpacked into a fresh
# folder, passes the Wine end-to-end test. The .deb installs with apt and
# shows its window in a throwaway copy of a fresh Debian 12 root and of the
# Debian 13 root of scripts/test.sh (never on this system), its unpacked
# program passes the Linux end-to-end tests here, and lintian finds no error
# in it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
scripts=$here/../../scripts
dist=$(realpath "$1") linux=$(realpath "$2") windows=$(realpath "$3")
work=$(mktemp -d "${TMPDIR:-/tmp}/norvan-dist.XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=()

zip_test() {
  local zip=("$dist"/norvan-*-windows-x64.zip)
  local listing
  listing=$(unzip -Z1 "${zip[0]}" | tr '\n' ' ')
  if [ "$listing" != "LICENSE.txt README.txt THIRD-PARTY-NOTICES.txt norvan.exe " ]; then
    echo "FAIL: the zip holds: $listing"
    return 1
  fi
  unzip -q "${zip[0]}" -d "$work/zip"
  bash "$here/../e2e/wine_launch_test.sh" "$work/zip/norvan.exe" "$windows/tools/o2em_standin.exe" \
    "$windows/wineprefix" "$windows/tests/core/record_args.exe"
}

# The package $1 installed with apt, and norvan started, in a throwaway copy
# of the root that scripts/debian-root.sh makes with the arguments that follow.
deb_in_root() {
  local deb=$1 folder=$work/$2 debian
  debian=$("$scripts/debian-root.sh" "${@:2}") || return 1
  mkdir "$folder"
  cp "$deb" "$here/deb_window_test.sh" "$scripts/xvfb.sh" "$folder/"
  "$scripts/in-root.sh" "$debian" "$folder" bash deb_window_test.sh "$(basename "$deb")"
}

deb_test() {
  local deb=("$dist"/norvan_*_amd64.deb) status=0
  # A fresh Debian 12 with only what the test needs to see the window, and the
  # Debian 13 root of scripts/test.sh.
  deb_in_root "${deb[0]}" bookworm xvfb xauth xdotool || status=1
  deb_in_root "${deb[0]}" trixie || status=1
  dpkg-deb -x "${deb[0]}" "$work/deb"
  local name
  for name in launch_test keys_window_test; do
    bash "$here/../e2e/$name.sh" "$work/deb/usr/bin/norvan" "$linux/tools/o2em_standin" || status=1
  done
  echo "lintian:"
  lintian --fail-on error "${deb[0]}" 2>/dev/null || { echo "FAIL: lintian reports an error"; status=1; }
  return $status
}

echo "---- The checksums"
(cd "$dist" && sha256sum --check --quiet SHA256SUMS) || failed+=(SHA256SUMS)
echo "---- The Windows zip"
zip_test || failed+=(zip)
echo "---- The Debian package"
deb_test || failed+=(.deb)
[ ${#failed[@]} -eq 0 ] || { echo "FAILED: ${failed[*]}"; exit 1; }
echo PASS
