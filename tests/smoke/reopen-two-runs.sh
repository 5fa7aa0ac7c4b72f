#!/bin/sh
# The last logs again, across two runs of the real program: the first run is
# started with two logs on its command line and closed as the user would;
# the second, started with --reopen, must show them in their panes, pixel for
# pixel the snapshot tool's picture of the same logs; a third, started
# without it, shows the four empty panes of the described start.
# Usage: reopen-two-runs.sh LOGVIEWER LOGVIEW_SNAPSHOT CLOSE_WINDOW_BY_TITLE SAMPLES_FOLDER
export SMOKE_DIR="$(cd "$(dirname "$0")" && pwd)"
exec xvfb-run -a -s "-noreset -screen 0 1024x768x24" sh -eu -c '
viewer=$1 snapshot=$2 closer=$3 samples=$4
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config"
title="Kestrila Log viewer by Lumo"
pid=
trap "[ -z \"\$pid\" ] || kill \$pid 2>/dev/null; rm -rf $work" EXIT
"$snapshot" --log 0 "$samples/lambda.csv" --log 1 "$samples/engine-speed.csv" --png "$work/reopened.png"
"$snapshot" --png "$work/empty.png"

# Starts the viewer with the arguments given and finds its window.
start_viewer() {
  QT_QPA_PLATFORM=xcb "$viewer" "$@" & pid=$!
  window=$(xdotool search --sync --onlyvisible --pid $pid --name "$title\$" | head -n 1)
}
. "$SMOKE_DIR/window-capture.sh"
# Closes the window, titled with the logs it shows, as the user would; the
# program must end cleanly.
close_viewer() {
  "$closer" "${1:-}$title" 794 584
  wait $pid
  pid=
}

# The title names the logs before an en dash.
two_logs=$(printf "lambda, engine-speed \342\200\223 ")
start_viewer "$samples/lambda.csv" "$samples/engine-speed.csv"
same_as "$work/reopened.png"
close_viewer "$two_logs"
echo "first run closed with two logs"
start_viewer --reopen
same_as "$work/reopened.png"
close_viewer "$two_logs"
echo "second run reopened them in their panes"
start_viewer
same_as "$work/empty.png"
close_viewer
echo "a run without --reopen starts with four empty panes"
' reopen-two-runs "$@"
