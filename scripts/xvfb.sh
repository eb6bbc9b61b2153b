# shellcheck shell=bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts and the end-to-end tests that need a display of
# their own: start_xvfb FOLDER starts a private Xvfb on a free display number,
# sets DISPLAY and the Qt environment for it and leaves its process id in
# xvfb_pid; stop_xvfb ends it.
xvfb_pid=''

start_xvfb() {
  local folder=$1 number
  rm -f "$folder/displayfd"
  mkfifo "$folder/displayfd"
  # -noreset: by default the server resets whenever its last client leaves,
  # and refuses connections meanwhile; a program starting while a waiting
  # xdotool disconnects would then fail to open the display.
  Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$folder/displayfd" \
    2>"$folder/xvfb.log" &
  xvfb_pid=$!
  # Xvfb writes the number once it takes connections.
  if ! read -r -t 15 number <"$folder/displayfd"; then
    echo "Xvfb does not start: $(cat "$folder/xvfb.log")" >&2
    stop_xvfb
    return 1
  fi
  [ -d "$folder/runtime" ] || mkdir -m 700 "$folder/runtime"
  export DISPLAY=:$number QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$folder/runtime
  unset WAYLAND_DISPLAY
}

stop_xvfb() {
  [ -n "$xvfb_pid" ] || return 0
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=''
}
