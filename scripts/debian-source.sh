#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fetches a Debian source package into a folder, from the same Debian archives
# as the system's packages:
#   debian-source.sh <folder> <package>=<version> [apt-get source options]
# A private apt configuration adds their deb-src lines without touching the
# system's own sources. With --download-only the .dsc and its tarballs are
# left packed; without it they are unpacked too (which needs dpkg-dev).
set -euo pipefail
folder=$1 package=$2
shift 2
apt_dir=$(mktemp -d "${TMPDIR:-/tmp}/norvan-apt.XXXXXX")
trap 'rm -rf "$apt_dir"' EXIT
mkdir -p "$apt_dir/lists/partial" "$apt_dir/sources.list.d" "$folder"

for sources in /etc/apt/sources.list.d/*.sources; do
  [ -e "$sources" ] || continue
  sed 's/^Types:.*/Types: deb-src/' "$sources" >"$apt_dir/sources.list.d/$(basename "$sources")"
done
grep -hs '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list |
  sed 's/^deb /deb-src /' >"$apt_dir/sources.list" || true
apt=(apt-get -q -o "Dir::Etc::SourceList=$apt_dir/sources.list"
  -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d" -o "Dir::State::Lists=$apt_dir/lists")
"${apt[@]}" update >&2
(cd "$folder" && "${apt[@]}" source "$@" "$package") >&2
