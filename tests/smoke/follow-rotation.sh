#!/bin/sh
# A followed log rotated in the real program, as a log rotation does it: the
# log renamed, then made again under its name by its writer. The window must
# show the new log from its start, pixel for pixel the snapshot tool's
# picture of it.
# Usage: follow-rotation.sh LOGVIEWER LOGVIEW_SNAPSHOT
export SMOKE_DIR="$(cd "$(dirname "$0")" && pwd)"
exec xvfb-run -a -s "-noreset -screen 0 1024x768x24" sh -eu -c '
viewer=$1 snapshot=$2
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config"
title="Kestrila Log viewer by Lumo"
pid=
trap "[ -z \"\$pid\" ] || kill \$pid 2>/dev/null; rm -rf $work" EXIT
printf "t,Old\n0,1\n1,5\n2,2\n" > "$work/log.csv"
"$snapshot" --follow on --log 0 "$work/log.csv" --png "$work/old.png"
printf "t,New\n0,7\n1,3\n" > "$work/new.csv"
"$snapshot" --follow on --log 0 "$work/new.csv" --png "$work/new.png"

. "$SMOKE_DIR/window-capture.sh"

QT_QPA_PLATFORM=xcb "$viewer" --follow "$work/log.csv" & pid=$!
window=$(xdotool search --sync --onlyvisible --pid $pid --name "$title\$" | head -n 1)
same_as "$work/old.png"
mv "$work/log.csv" "$work/log.csv.1"
printf "t,New\n0,7\n1,3\n" > "$work/log.csv"
same_as "$work/new.png"
echo "the rotated log shows the new one from its start"
' follow-rotation "$@"
