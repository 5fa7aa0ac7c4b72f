#!/bin/sh
# The real viewer in a virtual X server, started with the four sample logs on
# its command line: its window must be pixel for pixel the snapshot tool's
# picture of the same logs, and again after the mouse hovers over the second
# pane, when the cursor line runs through the same column of all four panes.
# Usage: window-pictures.sh LOGVIEWER LOGVIEW_SNAPSHOT SAMPLES_FOLDER
exec xvfb-run -a -s "-screen 0 1024x768x24" sh -eu -c '
viewer=$1 snapshot=$2 samples=$3
work=$(mktemp -d)
logs="$samples/lambda.csv $samples/engine-speed.csv $samples/coolant-temperature.csv $samples/battery-voltage.csv"
set -- $logs
"$snapshot" --log 0 "$1" --log 1 "$2" --log 2 "$3" --log 3 "$4" --png "$work/expected.png" \
  --hover 1 300 60 --png "$work/expected-hover.png"

QT_QPA_PLATFORM=xcb "$viewer" $logs & pid=$!
trap "kill $pid 2>/dev/null; rm -rf $work" EXIT
window=$(xdotool search --sync --onlyvisible --name "^Kestrila Log viewer by Lumo\$" | head -n 1)

# Differing pixels of two pictures, within an optional area WxH+X+Y.
differing() {
  compare -metric AE ${3:+-extract "$3"} "$1" "$2" null: 2>&1 || true
}
# The window is painted once the event loop runs; it is captured until it
# shows the expected picture, a bounded number of times.
same_as() {
  for _ in $(seq 50); do
    import -window "$window" "$work/shown.png" 2>/dev/null &&
      [ "$(differing "$work/shown.png" "$1")" = 0 ] && return 0
    sleep 0.2
  done
  echo "the window differs from $1 in $(differing "$work/shown.png" "$1") pixels"
  cp "$work/shown.png" "$PWD/window-$(basename "$1")" && echo "the window as shown: $PWD/window-$(basename "$1")"
  return 1
}

same_as "$work/expected.png"
echo "window = snapshot with the four logs"
# Chart2 stands at 56,144 in the window.
xdotool mousemove --window "$window" 356 204
same_as "$work/expected-hover.png"
echo "window = snapshot with the readout"
# The line covers 60 pixels of every pane plot at its column (Chart1 stands at 58, the others at 56).
for area in 1x60+358+68 1x60+356+204 1x60+356+339 1x60+356+476; do
  count=$(differing "$work/expected.png" "$work/shown.png" "$area")
  [ "$count" = 60 ] || { echo "no cursor line at $area ($count pixels differ)"; exit 1; }
done
echo "cursor line in all four panes"
xdotool mousemove 1000 700
same_as "$work/expected.png"
echo "window as before once the mouse left"
' window-pictures "$@"
