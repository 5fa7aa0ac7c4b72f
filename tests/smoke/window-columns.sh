#!/bin/sh
# A multi-column log in the real viewer under a virtual X server: named with
# --columns on the command line it fills the four panes pixel for pixel as
# the snapshot tool fills them, and C over a pane opens the column picker.
# Usage: window-columns.sh LOGVIEWER LOGVIEW_SNAPSHOT SAMPLES_FOLDER
export SMOKE_DIR="$(cd "$(dirname "$0")" && pwd)"
exec xvfb-run -a -s "-noreset -screen 0 1280x1024x24" sh -eu -c '
viewer=$1 snapshot=$2 log=$3/engine-columns.csv
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# Zooms passed on by pixel columns, as the snapshot tool runs without --lock.
mkdir -p "$XDG_CONFIG_HOME/logviewer"
echo lock=pixels >"$XDG_CONFIG_HOME/logviewer/settings"
title="Kestrila Log viewer by Lumo"
pid=
trap "[ -z \"\$pid\" ] || kill \$pid 2>/dev/null; rm -rf $work" EXIT
. "$SMOKE_DIR/window-capture.sh"

QT_QPA_PLATFORM=xcb "$viewer" --columns RPM,Lambda,Coolant,Battery "$log" & pid=$!
window=$(xdotool search --sync --onlyvisible --pid $pid --name "$title\$" | head -n 1)
xdotool windowfocus --sync "$window"
"$snapshot" --fill "$log" --png "$work/filled.png"
same_as "$work/filled.png"
echo "--columns filled the panes as --fill does"

# Over the second pane, C: the picker opens, and Escape leaves the panes.
xdotool mousemove --window "$window" 356 204 key c
for _ in $(seq 50); do
  [ "$(xdotool search --onlyvisible --pid $pid | grep -vxc "$window")" -gt 0 ] && break
  sleep 0.2
done
picker=$(xdotool search --onlyvisible --pid $pid | grep -vx "$window" | head -n 1)
[ -n "$picker" ] || { echo "C opened no column picker"; exit 1; }
xdotool windowfocus --sync "$picker" key Escape
xdotool mousemove 1000 1000
same_as "$work/filled.png"
echo "C opened the column picker; Escape changed nothing"
' sh "$@"
