#!/bin/sh
# The real window on screens too small for its start size and on one where
# it fits: on a 1920 x 1080 screen at two device pixels per pixel (960 x 540
# pixels) and on an 800 x 500 screen it starts at the screen's room, on the
# screen, and may be made that small; on a 1920 x 1080 screen at one device
# pixel per pixel it keeps its start size, centred; a remembered size
# beyond the screen is held to it. Every size is in device pixels, as the
# X server sees the window.
# Usage: small-screens.sh LOGVIEWER
command -v xprop >/dev/null || { echo "skipped: the smallest size is read with xprop (x11-utils)"; exit 77; }
exec xvfb-run -a -s "-noreset -screen 0 1920x1080x24 -screen 1 800x500x24" sh -eu -c '
viewer=$1
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config"
pid=
trap "[ -z \"\$pid\" ] || kill \$pid 2>/dev/null; rm -rf $work" EXIT
display=${DISPLAY%.*}
# SCREEN SCALE: where the window is and how large, and its smallest size,
# as "X,Y WxH min MWxMH".
window_on() {
  env DISPLAY="$display.$1" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$2 "$viewer" & pid=$!
  window=$(DISPLAY="$display.$1" xdotool search --sync --onlyvisible --pid $pid --name "Kestrila Log viewer by Lumo\$" |
    head -n 1)
  eval "$(DISPLAY="$display.$1" xdotool getwindowgeometry --shell "$window")"
  minimum=$(DISPLAY="$display.$1" xprop -id "$window" WM_NORMAL_HINTS |
    sed -n "s/.*program specified minimum size: \([0-9]*\) by \([0-9]*\).*/\1x\2/p")
  kill $pid; wait $pid 2>/dev/null || true; pid=
  echo "$X,$Y ${WIDTH}x$HEIGHT min $minimum"
}
expect() {
  shown=$(window_on "$1" "$2")
  [ "$shown" = "$3" ] || { echo "screen $1 at scale $2: the window is $shown, not $3"; exit 1; }
  echo "screen $1 at scale $2: $shown"
}
# 960 x 540 pixels of room: 794 x 540, centred across.
expect 0 2 "166,0 1588x1080 min 1588x1080"
expect 1 1 "3,0 794x500 min 794x500"
expect 0 1 "563,248 794x584 min 794x584"
# A remembered size beyond the screen (a stale or hostile settings file)
# is held to the room the screen has.
mkdir -p "$XDG_CONFIG_HOME/logviewer"
for size in 32767 100000 2147483647; do
  printf "window-width=%s\nwindow-height=%s\n" $size $size >"$XDG_CONFIG_HOME/logviewer/settings"
  expect 0 1 "0,0 1920x1080 min 794x584"
  expect 1 1 "0,0 800x500 min 794x500"
done
' small-screens "$@"
