# shellcheck shell=bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by what runs the Windows programs under Wine. wine_begin PREFIX sets
# the environment for Wine in the prefix PREFIX, creates that prefix on first
# use and holds it until wine_end, so that runs sharing a prefix take turns:
# they would otherwise share one wineserver, and with it one display.
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
wine_lock=''

wine_begin() {
  local prefix
  prefix=$(realpath -m "$1")
  # No Mono or Gecko to offer, no menu entries on the host; Wine takes its
  # locale and code page from LANG, so it is set rather than inherited.
  export WINEPREFIX=$prefix WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export LANG=C.UTF-8 LC_ALL=C.UTF-8
  mkdir -p "$(dirname "$prefix")"
  exec {wine_lock}>"$prefix.lock"
  flock "$wine_lock"
  [ -e "$prefix/.complete" ] && return 0
  rm -rf "$prefix"
  # Its notes on the missing 32-bit side are noise; the log is there on failure.
  if ! (unset DISPLAY && "$wine" wineboot --init && "$wineserver" -w) >"$prefix.log" 2>&1; then
    cat "$prefix.log" >&2
    echo "cannot create the Wine prefix $prefix" >&2
    return 1
  fi
  touch "$prefix/.complete"
}

# Ends whatever still runs in the prefix and lets the next run have it.
wine_end() {
  [ -n "$wine_lock" ] || return 0
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
  exec {wine_lock}>&-
  wine_lock=''
}

# The Windows name of the Unix path $1: drive Z: is the Unix root in a prefix.
windows_path() {
  local path
  path=$(realpath -m "$1")
  printf 'Z:%s' "${path//\//\\}"
}
