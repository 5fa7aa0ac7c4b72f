#!/bin/sh
# Times filling four panes from a 10-column, 10M-line log (one read) beside
# loading its four shown columns as four one-parameter logs and beside
# pandas.read_csv(usecols=...) on the same file, in one run, and prints the
# ratios and the fill's peak memory. Debian's python3-pandas is installed
# where it is missing (as root). Whole processes, medians of RUNS runs, net
# of each program's start-up.
#   tools/bench-columns.sh            (after make build)
set -eu

BUILD=${BUILD_DIR:-build}
RUNS=${RUNS:-3}
# Debian's own Python, where its python3-pandas goes.
PYTHON=${PYTHON:-/usr/bin/python3}
LINES=${LINES:-10000000}
LOGS=${TMPDIR:-/tmp}
SNAPSHOT="$BUILD/tools/logview-snapshot"
export QT_QPA_PLATFORM=offscreen

milliseconds() {
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

median() {
  i=0
  while [ $i -lt "$RUNS" ]; do
    milliseconds "$@"
    i=$((i + 1))
  done | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

"$PYTHON" -c "import pandas" >/dev/null 2>&1 ||
  make --no-print-directory -C "$(dirname "$0")/.." install-packages PKGS=python3-pandas

# A time column and nine values of the widths recorders write.
wide="$LOGS/logviewer-columns-$LINES.csv"
[ -f "$wide" ] || awk -v n="$LINES" 'BEGIN {
  print "Time,RPM,Lambda,Coolant,Battery,Throttle,Load,Advance,Intake,Speed"
  for (i = 0; i < n; i++) {
    printf "%.2f,%d,%.3f,%.1f,%.2f,%.1f,%.1f,%.1f,%.1f,%d\n", i / 100, 800 + i % 3000, 0.9 + (i % 200) / 1000,
      80 + (i % 50) / 10, 12 + (i % 30) / 10, i % 100, (i * 7) % 100, 10 + i % 20, 20 + i % 15, i % 180
  }
}' >"$wide"
for column in 2 3 4 5; do
  [ -f "$wide.$column" ] || cut -d, -f1,"$column" "$wide" >"$wide.$column"
done

snapshot_start=$(median "$SNAPSHOT" --json /dev/null)
pandas_start=$(median "$PYTHON" -c "import pandas")
fill=$(($(median "$SNAPSHOT" --fill "$wide" --json /dev/null) - snapshot_start))
four=$(($(median "$SNAPSHOT" --log 0 "$wide.2" --log 1 "$wide.3" --log 2 "$wide.4" --log 3 "$wide.5" \
  --json /dev/null) - snapshot_start))
pandas=$(($(median "$PYTHON" -c "import pandas; pandas.read_csv('$wide', usecols=[1, 2, 3, 4])") - pandas_start))
peak=$(/usr/bin/time -f %M "$SNAPSHOT" --fill "$wide" --json /dev/null 2>&1 >/dev/null | tail -n 1)

printf '%s lines, 10 columns, %s MB\n' "$LINES" $(($(stat -c %s "$wide") / 1048576))
printf 'four panes filled from it:       %6s ms\n' "$fill"
printf 'four one-parameter logs:         %6s ms   / fill = %s (goal: at least 1)\n' "$four" \
  "$(awk -v a="$four" -v b="$fill" 'BEGIN { printf "%.2f", a / b }')"
printf 'pandas.read_csv(usecols=4 cols): %6s ms   / fill = %s\n' "$pandas" \
  "$(awk -v a="$pandas" -v b="$fill" 'BEGIN { printf "%.2f", a / b }')"
printf 'fill peak: %s MB resident; 9 bytes a shown point: %s MB\n' $((peak / 1024)) $((LINES * 4 * 9 / 1048576))
