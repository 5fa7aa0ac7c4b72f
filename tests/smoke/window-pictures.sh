#!/bin/sh
# The real viewer in a virtual X server, started with the four sample logs on
# its command line: its window must be pixel for pixel the snapshot tool's
# picture of the same logs, and again after the mouse hovers over the second
# pane, when the cursor line runs through the same column of all four panes;
# then resized to fill a 1920 x 1080 screen (as a window manager maximises
# it), and started at two and at 1.5 device pixels per pixel, each again
# equal to the snapshot tool's picture of that size and scale; and under
# other and dark styles and a dark desktop theme.
# Usage: window-pictures.sh LOGVIEWER LOGVIEW_SNAPSHOT SAMPLES_FOLDER
export SMOKE_DIR="$(cd "$(dirname "$0")" && pwd)"
exec xvfb-run -a -s "-noreset -screen 0 1920x1200x24" sh -eu -c '
viewer=$1 snapshot=$2 samples=$3
work=$(mktemp -d)
# A settings file of its own: a size or mode remembered from another run
# would change the pictures.
export XDG_CONFIG_HOME="$work/config"
logs="$samples/lambda.csv $samples/engine-speed.csv $samples/coolant-temperature.csv $samples/battery-voltage.csv"
set -- $logs
actions="--log 0 $1 --log 1 $2 --log 2 $3 --log 3 $4"
"$snapshot" $actions --png "$work/expected.png" --hover 1 300 60 --png "$work/expected-hover.png"
"$snapshot" $actions --size 1920 1080 --png "$work/expected-1920x1080.png"
"$snapshot" --scale 2 $actions --png "$work/expected-scale-2.png"
"$snapshot" --scale 1.5 $actions --png "$work/expected-scale-1.5.png"

pid=
trap "[ -z \"\$pid\" ] || kill \$pid 2>/dev/null; rm -rf $work" EXIT
# Starts the viewer with the logs, in the environment given, and finds its
# window (by its process, so that a closing earlier window is not taken).
start_viewer() {
  [ -z "$pid" ] || { kill $pid; wait $pid 2>/dev/null || true; }
  env QT_QPA_PLATFORM=xcb "$@" "$viewer" $logs & pid=$!
  window=$(xdotool search --sync --onlyvisible --pid $pid --name "Kestrila Log viewer by Lumo\$" | head -n 1)
}
. "$SMOKE_DIR/window-capture.sh"

start_viewer
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
xdotool mousemove 1910 1190
same_as "$work/expected.png"
echo "window as before once the mouse left"

xdotool windowmove --sync "$window" 0 0 windowsize --sync "$window" 1920 1080
same_as "$work/expected-1920x1080.png"
echo "window = snapshot at 1920 x 1080"

for scale in 2 1.5; do
  start_viewer QT_SCALE_FACTOR=$scale
  same_as "$work/expected-scale-$scale.png"
  echo "window = snapshot at scale $scale"
done

# Another style, a dark style and a dark desktop theme leave the window as
# it is described (the dialogs may follow them). What the system lacks is
# said and left out.
plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
under() {
  plugin=$1 package=$2
  shift 2
  if [ -n "$plugin" ] && [ ! -e "$plugins/$plugin" ]; then
    echo "not tried under $*: needs $plugins/$plugin (apt-get install $package)"
    return 0
  fi
  start_viewer "$@"
  same_as "$work/expected.png"
  echo "window = snapshot under $*"
}
under "" "" QT_STYLE_OVERRIDE=Windows
under styles/adwaita.so adwaita-qt6 QT_STYLE_OVERRIDE=Adwaita-Dark
under platformthemes/libqgtk3.so qt6-gtk-platformtheme QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
' window-pictures "$@"
