#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command in a throwaway copy of a Debian root made by
# scripts/debian-root.sh, with the folder FOLDER of this system as /work:
#   scripts/in-root.sh ROOT FOLDER COMMAND...
# The copy is an overlay whose changes live in memory; it has its own /proc
# (and process numbers), this system's /dev (/dev/pts, /dev/shm), its own /tmp
# and this system's network. Everything it mounts and every process it
# starts end with the command, however it ends. The command starts in /work
# with an empty environment but PATH and HOME. Needs root: runs itself
# through sudo otherwise.
set -euo pipefail
root=$(realpath "${1:?usage: scripts/in-root.sh ROOT FOLDER COMMAND...}")
folder=$(realpath "${2:?usage: scripts/in-root.sh ROOT FOLDER COMMAND...}")
shift 2
if [ "$(id -u)" -ne 0 ]; then
  exec sudo bash "$(realpath "$0")" "$root" "$folder" "$@"
fi

# The mounts, made in a mount namespace of this command's own: the kernel
# takes them down when its last process ends.
inside() {
  local root=$1 folder=$2 top=$3 copy=$3/root
  shift 3
  mount -t tmpfs -o mode=0755 norvan-root "$top"
  mkdir "$top/changes" "$top/scratch" "$copy"
  mount -t overlay overlay -o "lowerdir=$root,upperdir=$top/changes,workdir=$top/scratch" "$copy"
  mount -t proc proc "$copy/proc"
  mount --rbind /dev "$copy/dev"
  mount -t tmpfs -o mode=1777 tmpfs "$copy/tmp"
  mkdir -p "$copy/work"
  mount --bind "$folder" "$copy/work"
  rm -f "$copy/etc/resolv.conf"
  cp /etc/resolv.conf "$copy/etc/resolv.conf"
  local status=0
  chroot "$copy" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    bash -c 'cd /work && exec "$@"' bash "$@" || status=$?
  # What the command wrote in the folder goes back to whoever ran us through sudo.
  [ -z "${SUDO_UID:-}" ] || chown -R "$SUDO_UID:$SUDO_GID" "$folder"
  return $status
}

# Every copy mounts its memory over this one empty folder, each in its own
# mount namespace, where no other sees it.
top=$(dirname "$root")/.mnt
mkdir -p "$top"
# A root in use is not removed for a newer one (see debian-root.sh).
exec {lock}>"$root.lock"
flock -s "$lock"
# A process namespace too: when the command ends, the kernel ends every
# process it left, and when this script is killed, the command with them.
exec unshare --mount --propagation private --pid --fork --kill-child \
  bash -c "$(declare -f inside); set -euo pipefail; inside \"\$@\"" bash "$root" "$folder" "$top" "$@"
