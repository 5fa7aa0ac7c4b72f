#!/bin/sh
# The real viewer and the snapshot tool under a Polish locale, with a log
# whose header is in code page 1250: the snapshot tool's picture must be the
# window's, its JSON must show the title as the window does, and both must
# differ from the picture in the C locale (decimal commas in the labels).
# Usage: locale-pictures.sh LOGVIEWER LOGVIEW_SNAPSHOT
# Exits 77 (skipped) when the locale is not installed (make deps makes it).
locale -a 2>/dev/null | grep -qix 'pl_PL.utf-\?8' ||
  { echo "skipped: the pl_PL.UTF-8 locale is not installed"; exit 77; }
exec xvfb-run -a -s "-noreset -screen 0 1024x768x24" sh -eu -c '
viewer=$1 snapshot=$2
work=$(mktemp -d)
log="$work/boost.csv"
# "Time,Ciśnienie doładowania" in code page 1250, then samples with decimals.
printf "Time,Ci\234nienie do\263adowania\n" > "$log"
for i in $(seq 0 99); do printf "%d.0,%d.%02d\n" "$i" $((1 + i % 2)) $((i % 100)) >> "$log"; done

LANG=C LC_ALL= "$snapshot" --log 0 "$log" --png "$work/c.png"
export LANG=pl_PL.UTF-8 LC_ALL=
# The title of the first pane from the JSON, which must parse.
title() { python3 -c "import json, sys; print(\"|\".join(json.load(sys.stdin)[\"Panes\"][0][\"Title\"]))"; }
"$snapshot" --log 0 "$log" --png "$work/expected.png" --json "$work/state.json"
shown=$(title < "$work/state.json")
[ "$shown" = "Ciśnienie doładowania" ] ||
  { echo "the snapshot tool shows the title otherwise: $shown"; exit 1; }
echo "JSON title in code page 1250 as the window shows it"
shown=$("$snapshot" --codepage 1252 --log 0 "$log" --json - | title)
[ "$shown" = "Ciœnienie do³adowania" ] ||
  { echo "--codepage 1252 does not read the title in code page 1252: $shown"; exit 1; }
if "$snapshot" --codepage 437 --json - >/dev/null 2>&1; then echo "code page 437 accepted"; exit 1; fi
echo "--codepage chooses the code page"

QT_QPA_PLATFORM=xcb "$viewer" "$log" & pid=$!
trap "kill $pid 2>/dev/null; rm -rf $work" EXIT
window=$(xdotool search --sync --onlyvisible --name "Kestrila Log viewer by Lumo\$" | head -n 1)
differing() { compare -metric AE "$1" "$2" null: 2>&1 || true; }
for _ in $(seq 50); do
  import -window "$window" "$work/shown.png" 2>/dev/null &&
    [ "$(differing "$work/shown.png" "$work/expected.png")" = 0 ] && break
  sleep 0.2
done
count=$(differing "$work/shown.png" "$work/expected.png")
[ "$count" = 0 ] || { echo "the window differs from the snapshot in $count pixels"; exit 1; }
echo "window = snapshot under pl_PL.UTF-8"
[ "$(differing "$work/c.png" "$work/expected.png")" != 0 ] || { echo "the locale changed nothing"; exit 1; }
echo "the C locale gives another picture"
' locale-pictures "$@"
