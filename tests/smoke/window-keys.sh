#!/bin/sh
# Every key of the README's key table pressed in the real viewer under a
# virtual X server, with the keyboard focus on a check box or a Log button
# (which take the arrow keys for themselves unless the window takes its keys
# first): after the keys the window must be pixel for pixel the snapshot
# tool's picture of the same keys (--key). The keys that open a dialog,
# close the window or fill the clipboard are checked by that: a dialog
# shows, the window closes, the clipboard holds the picture or the figures.
# F11 needs a window manager, and is checked where one is installed.
# Usage: window-keys.sh LOGVIEWER LOGVIEW_SNAPSHOT SAMPLES_FOLDER
command -v xclip >/dev/null || { echo "skipped: xclip is not installed (make deps installs it)"; exit 77; }
export SMOKE_DIR="$(cd "$(dirname "$0")" && pwd)"
exec xvfb-run -a -s "-noreset -screen 0 1280x1024x24" sh -eu -c '
viewer=$1 snapshot=$2 samples=$3
work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
title="Kestrila Log viewer by Lumo"
logs="$samples/lambda.csv $samples/engine-speed.csv $samples/coolant-temperature.csv $samples/battery-voltage.csv"
set -- $logs
opened="--log 0 $1 --log 1 $2 --log 2 $3 --log 3 $4"
pid=
trap "[ -z \"\$pid\" ] || kill \$pid 2>/dev/null; rm -rf $work" EXIT

start_viewer() {
  QT_QPA_PLATFORM=xcb "$viewer" "$@" & pid=$!
  window=$(xdotool search --sync --onlyvisible --pid $pid --name "$title\$" | head -n 1)
  xdotool windowfocus --sync "$window"
}
. "$SMOKE_DIR/window-capture.sh"
# The mouse moved to X Y of the window, then the xdotool actions given.
at() {
  x=$1 y=$2
  shift 2
  xdotool mousemove --window "$window" "$x" "$y" "$@"
}
# The snapshot tool after every action so far.
actions=$opened
expect() {
  actions="$actions $*"
}
# Keys pressed in the window (xdotool names), and the same keys as the
# snapshot tool names them: both pictures must agree.
step=0
keys() {
  step=$((step + 1))
  xdotool key --delay 20 $1
  shift
  for key in "$@"; do
    expect --key "$key"
  done
  "$snapshot" $actions --png "$work/step-$step.png"
  same_as "$work/step-$step.png"
  echo "keys $step ($*): window = snapshot"
}
# Another window of the viewer (a dialog) shows, and goes with Escape.
dialog_shows() {
  xdotool key "$1"
  for _ in $(seq 50); do
    [ "$(xdotool search --onlyvisible --pid $pid 2>/dev/null | grep -vxc "$window")" -gt 0 ] && break
    sleep 0.2
  done
  dialog=$(xdotool search --onlyvisible --pid $pid | grep -vx "$window" | head -n 1)
  [ -n "$dialog" ] || { echo "$1 opened no dialog"; exit 1; }
  xdotool windowfocus --sync "$dialog" key Escape
  for _ in $(seq 50); do
    [ "$(xdotool search --onlyvisible --pid $pid | grep -vxc "$window")" = 0 ] && break
    sleep 0.2
  done
  echo "$1 opened a dialog"
}
setting() {
  grep -x "$1" "$XDG_CONFIG_HOME/logviewer/settings" >/dev/null || {
    echo "the settings file lacks $1:"; cat "$XDG_CONFIG_HOME/logviewer/settings"; exit 1; }
}
# The focus goes to a Log button by a press on it that is released away
# from it, which clicks nothing.
focus_log_button() {
  at "$1" "$2" mousedown 1
  at 500 570 mouseup 1
}

# First run: the four logs, focus on the first check box by a click; the
# panes passed zooms by pixel columns, as the snapshot tool starts.
mkdir -p "$XDG_CONFIG_HOME/logviewer"
echo lock=pixels >"$XDG_CONFIG_HOME/logviewer/settings"
start_viewer $logs
"$snapshot" $actions --png "$work/opened.png"
same_as "$work/opened.png"
at 20 568 click 1
expect --click CheckBox1
# Chart2 stands at 56,144 in the window.
at 356 204
expect --hover 1 300 60
keys "Right" Right
keys "Right Right shift+Right" Right Right Shift+Right
keys "ctrl+Left" Ctrl+Left
keys "End" End
keys "Home" Home
keys "Right Right Right a" Right Right Right A
keys "ctrl+Right b" Ctrl+Right B
keys "s" S
keys "Delete" Delete

# The figures of the view copied: a header row, then one row a pane,
# twelve fields each.
figures_copied() {
  xclip -selection clipboard -o >"$work/figures.txt" 2>/dev/null &&
    [ "$(awk -F "\t" "NR == 1 && \$1 == \"Title\" && NF == 12" "$work/figures.txt" | wc -l)" = 1 ] &&
    [ "$(awk -F "\t" "NR > 1 && NF == 12 && \$3 > 0" "$work/figures.txt" | wc -l)" = 4 ] &&
    grep -q "lambda.csv" "$work/figures.txt"
}
xdotool key ctrl+shift+c
for _ in $(seq 50); do figures_copied && break; sleep 0.2; done
figures_copied || { echo "no figures copied:"; cat "$work/figures.txt"; exit 1; }
echo "ctrl+shift+c copied the figures"
keys "s" S

# The focus on a Log button; the readout back at the mouse.
focus_log_button 29 156
expect --leave
at 356 204
expect --hover 1 300 60
# The copied picture is the picture the snapshot tool saves (no readout, the
# logs named below); with P on, the picture of the window alone.
picture_copied() {
  xclip -selection clipboard -t image/png -o >"$work/copied.png" 2>/dev/null &&
    [ "$(differing "$work/copied.png" "$work/copy-expected.png")" = 0 ]
}
copies() {
  xdotool key ctrl+c
  for _ in $(seq 50); do picture_copied && break; sleep 0.2; done
  picture_copied || {
    echo "ctrl+c copied another picture: $(differing "$work/copied.png" "$work/copy-expected.png") pixels differ"
    cp "$work/copied.png" "$PWD/keys-copied.png" && cp "$work/copy-expected.png" "$PWD/keys-expected.png"
    exit 1; }
  echo "ctrl+c copied $1"
}
"$snapshot" $actions --picture "$work/copy-expected.png"
copies "the picture without the readout"
keys "p" P
setting plain-picture=on
"$snapshot" $actions --leave --png "$work/copy-expected.png"
copies "the plain picture"
keys "p" P
setting plain-picture=off
keys "Left Left" Left Left
keys "l" L
setting lock=time
keys "x" X
# Locked by time: an Alt+drag shifts the log of pane 1 in time, kept with
# its name.
at 356 204 keydown alt mousedown 1 mousemove --window "$window" 406 204 mouseup 1 keyup alt
expect --alt-drag 1 300 60 350 60
"$snapshot" $actions --png "$work/alt-drag.png"
same_as "$work/alt-drag.png"
grep -q "^log-offset-$samples/engine-speed.csv=" "$XDG_CONFIG_HOME/logviewer/settings" ||
  { echo "the shift is not kept:"; cat "$XDG_CONFIG_HOME/logviewer/settings"; exit 1; }
echo "alt+drag shifted the log in time: window = snapshot"
at 356 204
expect --hover 1 300 60
keys "l" L
setting lock=samples
keys "plus" +
keys "y" Y
keys "w" W
setting words-as-marks=on
keys "w" W
keys "plus" +
keys "minus" -
keys "BackSpace" Backspace
keys "plus Escape" + Escape
keys "plus F5" + F5
keys "f" F
setting follow=on
keys "f" F
setting follow=off
keys "k" K
setting skip-bad-lines=on
keys "k" K
setting skip-bad-lines=off
# The value table takes room from the panes at the right edge; the readout
# first back at the column of the mouse, which the narrower panes keep.
at 356 210
at 356 204
expect --hover 1 300 60
keys "v" V
setting legend=on
keys "d" D
setting distinct-colours=on
keys "Right a Right Right b" Right A Right Right B
keys "Delete d" Delete D
setting distinct-colours=off
keys "v" V
setting legend=off
keys "l x" L X
setting lock=pixels
# The value axis of the pane under the mouse, by keys and by a Shift+drag
# down its middle column.
keys "ctrl+Up ctrl+Up" Ctrl+Up Ctrl+Up
keys "ctrl+Down" Ctrl+Down
at 356 180 keydown shift mousedown 1 mousemove --window "$window" 356 240 mouseup 1 keyup shift
expect --shift-drag 1 300 36 300 96
"$snapshot" $actions --png "$work/shift-drag.png"
same_as "$work/shift-drag.png"
echo "shift+drag zoomed the value axis: window = snapshot"
# Ctrl+wheel over the middle of the plot of the pane, where the snapshot
# tool turns it: the value axis zooms about that row.
"$snapshot" $actions --json "$work/state.json"
center=$(python3 -c "import json, sys
p = json.load(open(sys.argv[1]))[\"Panes\"][1][\"PlotRect\"]
print((p[0] + p[2]) // 2, (p[1] + p[3]) // 2)" "$work/state.json")
cx=${center% *} cy=${center#* }
at $((56 + cx)) $((144 + cy)) keydown ctrl click 4 keyup ctrl
expect --hover 1 "$cx" "$cy" --ctrl-wheel 1 up
"$snapshot" $actions --png "$work/ctrl-wheel.png"
same_as "$work/ctrl-wheel.png"
echo "ctrl+wheel zoomed the value axis: window = snapshot"
at 356 204
expect --hover 1 300 60
dialog_shows r
dialog_shows ctrl+s
dialog_shows ctrl+e
dialog_shows ctrl+o
# A dialog over the pane takes the readout with the mouse; the rest stays.
at 500 570
"$snapshot" $actions --leave --png "$work/dialogs-closed.png"
same_as "$work/dialogs-closed.png"

# F11 where a window manager can make the window fill the screen: then it is
# the snapshot tool picture at the screen size, and again at its own size.
if command -v evilwm >/dev/null; then
  evilwm -fn cursor >/dev/null 2>&1 & wm=$!
  sleep 1
  xdotool windowfocus --sync "$window" key F11
  # Beside the Log buttons, out of the panes.
  xdotool mousemove 3 300
  "$snapshot" $actions --leave --size 1280 1024 --png "$work/full-screen.png"
  same_as "$work/full-screen.png"
  xdotool key F11
  same_as "$work/dialogs-closed.png"
  kill $wm
  wait $wm 2>/dev/null || true
  xdotool windowfocus --sync "$window"
  echo "F11 switched full screen on and off"
else
  echo "F11 not checked: no window manager (evilwm) to make a window full screen"
fi

xdotool key ctrl+q
wait $pid
pid=
echo "ctrl+q closed the window"

# Second run: empty, the focus on a Log button; the last logs come back.
start_viewer
"$snapshot" --png "$work/empty.png"
same_as "$work/empty.png"
focus_log_button 29 20
xdotool key ctrl+shift+o
# The shift by Alt+drag came back with its log.
offset=$(sed -n "s|^log-offset-$samples/engine-speed.csv=||p" "$XDG_CONFIG_HOME/logviewer/settings")
"$snapshot" $opened --shift 1 "$offset" --png "$work/reopened.png"
same_as "$work/reopened.png"
echo "ctrl+shift+o reopened the last logs"
xdotool key ctrl+w
wait $pid
pid=
echo "ctrl+w closed the window"
' window-keys "$@"
