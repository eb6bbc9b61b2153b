#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes a fresh Debian system in a folder (a root) with mmdebstrap, from
# Debian's own packages, once, into a cache folder outside the work tree, and
# prints that folder:
#   scripts/debian-root.sh RELEASE             with what scripts/setup.sh installs,
#                                              installed by scripts/setup.sh itself
#   scripts/debian-root.sh RELEASE PACKAGE...  with only these packages besides apt
# The folder's name carries a hash of the release, its archives and setup.sh
# or the packages, so a changed package list makes a root afresh, which proves
# the install step again. A root is made under a temporary name and renamed
# only when it is complete; a root of the same release made by an older
# setup.sh is removed then, unless in use. scripts/in-root.sh runs commands in a
# throwaway copy of a root. Needs root: runs itself through sudo otherwise.
# NORVAN_ROOT_CACHE chooses the cache folder (default ~/.cache/norvan/roots).
set -euo pipefail
cd "$(dirname "$0")/.."
release=${1:?usage: scripts/debian-root.sh RELEASE [PACKAGE...]}
shift
packages=("$@")

home=${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}
cache=${NORVAN_ROOT_CACHE:-${XDG_CACHE_HOME:-$home/.cache}/norvan/roots}
# Made as the caller, so that a first run through sudo leaves the caller's
# cache folders theirs.
mkdir -p "$cache"
if [ "$(id -u)" -ne 0 ]; then
  exec sudo env NORVAN_ROOT_CACHE="$cache" bash scripts/debian-root.sh "$release" "$@"
fi
scripts/setup.sh roots

mirror=http://deb.debian.org
sources=(
  "deb $mirror/debian $release main"
  "deb $mirror/debian $release-updates main"
  "deb $mirror/debian-security $release-security main"
)
# The apt variant: only the packages every Debian system has, and apt, so
# that the root holds no more than what is installed into it.
options=(--mode=root --variant=apt --format=directory)
if [ ${#packages[@]} -eq 0 ]; then
  kind=setup recipe=$(cat scripts/setup.sh)
  options+=(
    --customize-hook='cp "$NORVAN_SETUP" "$1/tmp/setup.sh"'
    --customize-hook='chroot "$1" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root bash /tmp/setup.sh'
    --customize-hook='rm "$1/tmp/setup.sh"'
  )
  export NORVAN_SETUP=$PWD/scripts/setup.sh
else
  kind=packages recipe=$(printf '%s\n' "${packages[@]}")
  options+=(--include="$(IFS=,; echo "${packages[*]}")")
fi
key=$(printf '%s\n' "$release" "${sources[@]}" "${options[@]}" "$recipe" | sha256sum | cut -c1-12)
root=$cache/debian-$release-$kind-$key

# One root made at a time: a second run waits here, then finds the first's.
mkdir -p "$cache"
exec {lock}>"$cache/.lock"
flock "$lock"
if [ -d "$root" ]; then
  echo "$root"
  exit 0
fi

echo "Making a Debian $release root in $root; this takes a few minutes" >&2
rm -rf "$root.partial"
# In a mount and process namespace of its own: whatever mmdebstrap mounts in
# the root goes, with every process it started, when it ends, however it ends.
unshare --mount --pid --fork --kill-child --mount-proc \
  mmdebstrap "${options[@]}" "$release" "$root.partial" "${sources[@]}" >"$cache/debian-$release.log" 2>&1 ||
  {
    tail -n 60 "$cache/debian-$release.log" >&2
    rm -rf "$root.partial"
    echo "debian-root.sh: cannot make the $release root" >&2
    exit 1
  }
mv "$root.partial" "$root"

# Roots made by an older setup.sh go, unless in use: scripts/in-root.sh holds
# a shared lock on a root's .lock while it uses it.
if [ $kind = setup ]; then
  for old in "$cache/debian-$release-setup"-*; do
    case $old in "$root" | *.lock | *.partial) continue ;; esac
    if flock -n -x "$old.lock" rm -rf "$old"; then rm -f "$old.lock"; fi
  done
fi
echo "$root"
