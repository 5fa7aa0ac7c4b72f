#!/usr/bin/env bash
# Screenshots of the real viewer window under a virtual X server, driven like a
# user would: the four sample logs opened through the Log buttons and the file
# dialog, then a zoom dragged on the second pane; then, started with the logs on
# its command line, the cursor readout of a hover; the value table with
# distinct colours; the window filling a 1920 x 1080 screen as maximised;
# last, four logs of different rates locked by time. Writes
# docs/window-*.png. The viewer runs with a settings file of its own that
# passes zooms by pixel columns, as first built.
# Needs xvfb-run, xdotool and ImageMagick; run from the repository root after
# `make build`.
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-noreset -screen 0 1920x1080x24" "$0" "$@"
fi
root=$(pwd)
viewer="$root/build/app/logviewer"
config=$(mktemp -d)
mkdir -p "$config/logviewer"
echo lock=pixels >"$config/logviewer/settings"
export XDG_CONFIG_HOME="$config"
samples=(lambda.csv engine-speed.csv coolant-temperature.csv battery-voltage.csv)
log_button_tops=(8 144 280 416)

# Starts the viewer with the given arguments and finds its window.
start_viewer() {
  "$viewer" "$@" &
  viewer_pid=$!
  window=$(xdotool search --sync --onlyvisible --name "Kestrila Log viewer by Lumo" | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$window")"   # X, Y of the client area
}
trap 'kill $viewer_pid 2>/dev/null || true' EXIT
start_viewer

click() { xdotool mousemove "$1" "$2" click 1; sleep 0.5; }
for pane in 0 1 2 3; do
  click $((X + 29)) $((Y + log_button_tops[pane] + 12))
  xdotool type --delay 5 "$root/samples/${samples[pane]}"
  xdotool key Return
  sleep 1
done
import -window root -crop 794x584+"$X"+"$Y" +repage "$root/docs/window-logs.png"

# A zoom: a left drag to the right across the second pane.
xdotool mousemove $((X + 356)) $((Y + 210)) mousedown 1
for x in 380 420 460 476; do xdotool mousemove $((X + x)) $((Y + 210)); sleep 0.1; done
xdotool mouseup 1
sleep 1.5
import -window root -crop 794x584+"$X"+"$Y" +repage "$root/docs/window-zoomed.png"
kill $viewer_pid; wait $viewer_pid || true

# The cursor readout: the mouse over the second pane, no button held.
start_viewer "${samples[@]/#/$root/samples/}"
sleep 1
xdotool mousemove $((X + 356)) $((Y + 204))
sleep 1
import -window root -crop 794x584+"$X"+"$Y" +repage "$root/docs/window-readout.png"
kill $viewer_pid; wait $viewer_pid || true

# The value table and distinct colours, in settings of their own: the
# mouse over the second pane.
legend_config=$(mktemp -d)
XDG_CONFIG_HOME=$legend_config start_viewer "${samples[@]/#/$root/samples/}"
sleep 1
xdotool mousemove $((X + 356)) $((Y + 204)) key v key d
sleep 1
import -window root -crop 794x584+"$X"+"$Y" +repage "$root/docs/window-legend.png"
kill $viewer_pid; wait $viewer_pid || true
rm -rf "$legend_config"

# Maximised on a 1920 x 1080 screen: without a window manager, the size and
# place a window manager gives a maximised window.
start_viewer "${samples[@]/#/$root/samples/}"
xdotool windowmove --sync "$window" 0 0 windowsize --sync "$window" 1920 1080
sleep 1
import -window "$window" "$root/docs/window-maximised.png"
kill $viewer_pid; wait $viewer_pid || true

# Four panes filled from one multi-column log named on the command line.
start_viewer --columns RPM,Lambda,Coolant,Battery "$root/samples/engine-columns.csv"
sleep 1
import -window root -crop 794x584+"$X"+"$Y" +repage "$root/docs/window-columns.png"
kill $viewer_pid; wait $viewer_pid || true

# Four logs of one drive at 10, 25, 50 and 100 Hz, started at different
# times, locked by time with the time axis, the value table, a zoom and a
# readout: drawn by the snapshot tool, which paints exactly as the window
# does.
logs=$(mktemp -d)
python3 - "$logs" <<'PY'
import math, sys
drive = [(10, 3.0, "Lambda", lambda t: 1 + 0.05 * math.sin(t / 3)),
         (25, 0.0, "Engine speed (rpm)", lambda t: 2500 + 800 * math.sin(t / 7)),
         (50, 7.5, "Coolant temperature (C)", lambda t: 80 + 5 * math.sin(t / 20)),
         (100, 1.2, "Battery voltage (V)", lambda t: 13.8 + 0.3 * math.sin(t / 5))]
for pane, (hz, start, title, value) in enumerate(drive):
    with open(f"{sys.argv[1]}/{pane}-{hz}hz.csv", "w") as log:
        log.write(f"Time,{title}\n")
        for k in range(100 * hz):
            t = start + k / hz
            log.write(f"{t:.3f},{value(t):.3f}\n")
PY
"$root/build/tools/logview-snapshot" --log 0 "$logs/0-10hz.csv" --log 1 "$logs/1-25hz.csv" \
  --log 2 "$logs/2-50hz.csv" --log 3 "$logs/3-100hz.csv" --lock time --key X --key V \
  --drag 1 left 100 60 500 60 --hover 2 300 60 --png "$root/docs/window-time-locked.png"
rm -rf "$logs"
echo "Wrote docs/window-logs.png, docs/window-zoomed.png, docs/window-readout.png, docs/window-legend.png," \
  "docs/window-maximised.png, docs/window-columns.png and docs/window-time-locked.png"
