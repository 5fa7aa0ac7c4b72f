#!/bin/sh
# Starts the viewer in a virtual X server, finds its window by title with
# its client size, closes it as the user would and expects a clean exit.
# Usage: logviewer-smoke.sh LOGVIEWER CLOSE_WINDOW_BY_TITLE
viewer=$1
closer=$2
# A settings file of its own, so that no remembered size changes the window.
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
xvfb-run -a -s "-noreset -screen 0 1024x768x24" sh -c '
  export QT_QPA_PLATFORM=xcb
  "$1" & pid=$!
  "$2" "Kestrila Log viewer by Lumo" 794 584; found=$?
  [ $found = 0 ] || kill $pid
  wait $pid; status=$?
  echo "logviewer exit status $status"
  [ $found = 0 ] && [ $status = 0 ]
' smoke "$viewer" "$closer"
