#!/bin/sh
# Prints the performance goals beside the medians measured by `make bench`.
# Reads the benchmarks' console output (run with repetitions, so that each
# case has a "_median" line) from the file given or standard input.
# Goals that are ratios compare two benchmarks of the same run. Then, as
# whole processes, loading beside the hand-written parser (bench/HandParser.c),
# a hundred million samples, and the system calls of a hover.
#   tools/bench-goals.sh build/bench.txt
#   RUNS=7 tools/bench-goals.sh build/bench.txt   (runs of each program)
set -eu

awk '
  # benchmark line, goal in ms, what it is; printed in this order
  function add(name, limit, text) { order[++count] = name; goal[name] = limit; what[name] = text }
  BEGIN {
    add("DrawSeries/points:1000000/percent:100_median", 0.5, "one pane, full range, 1M points (ms)")
    add("DrawSeries/points:10000000/percent:100_median", 1, "one pane, full range, 10M points (ms)")
    add("ZoomAndUndoTenMillion_median", 200, "zoom and undo, four 10M-point panes (ms)")
    add("FullRepaint/3840/2100_median", 16, "repaint, 4K window, four 10M panes (ms)")
    add("ZoomAndUndo/3840/2100_median", 250, "zoom and undo, 4K window, four 10M panes (ms)")
    add("ResizeStep/3840/2100_median", 20, "resize step, 4K window, four 10M panes (ms)")
    add("BM_LoadLog/1000000/min_time:2.000/real_time_median", 30, "load 1M lines (ms)")
    add("BM_LoadLog/10000000/min_time:2.000/real_time_median", 300, "load 10M lines (ms)")
    add("BM_LoadLog/100000000/iterations:2/real_time_median", 2500, "load 100M lines (ms)")
    addCounter("BM_LoadLog/100000000/iterations:2/real_time_median", "resident_B_per_point", 8.5,
               "resident after loading 100M lines (B/point)")
    add("FitValuesFourPanes_median", 8, "fit four 10M-point panes to a 4K view (ms, 2 a pane)")
    add("FourPaneStatistics/1_median", 20, "statistics of four 10M-sample panes, stretch moved (ms)")
    add("BM_FollowLatency/real_time_median", 100, "a written line in its pane, notified (ms)")
    add("BM_FollowFourGrowingLogs/1000000/iterations:10/manual_time_median", 50, "follow four logs, 1M loaded (ms CPU a second)")
    add("BM_FollowFourGrowingLogs/10000000/iterations:10/manual_time_median", 50, "follow four logs, 10M loaded (ms CPU a second)")
    # goals that are ratios of two benchmarks of one run
    addRatio("BM_LoadFourLogs/10000000/min_time:2.000/real_time_median",
             "BM_LoadLog/10000000/min_time:2.000/real_time_median", 4.0, "four 10M-line logs / one (x)")
    addRatio("BM_CommandLineToPicture/10000000/min_time:2.000/real_time_median",
             "BM_LoadFourLogs/10000000/min_time:2.000/real_time_median", 1.5, "command line to picture / four loads (x)")
  }
  # A counter of a benchmark line ("name=value"), its goal, what it is.
  function addCounter(name, counter, limit, text) {
    counters[++counterCount] = name SUBSEP counter; goal[name SUBSEP counter] = limit; what[name SUBSEP counter] = text
  }
  function addRatio(name, base, limit, text) {
    ratios[++ratioCount] = name; ratioBase[name] = base; goal[name] = limit; what[name] = text
  }
  # Times are shown in the unit the benchmark chose; goals are in ms.
  ($1 in goal) {
    value = $2
    if ($3 == "us") value /= 1000
    else if ($3 == "ns") value /= 1e6
    else if ($3 == "s") value *= 1000
    measured[$1] = value
    for (f = 4; f <= NF; ++f) {
      if (split($f, pair, "=") == 2) {
        v = pair[2]
        # Counters come as 8.4 or 8.4k
        if (v ~ /k$/) v = v * 1000
        measured[$1 SUBSEP pair[1]] = v + 0
      }
    }
  }
  # A goal of a benchmark line or of one of its counters, and its measure.
  function report(name) {
    if (name in measured) {
      printf "%-44s %10.3g %10.3g  %s\n", what[name], measured[name], goal[name], measured[name] <= goal[name] ? "yes" : "NO"
    } else {
      printf "%-44s %10s %10.3g  %s\n", what[name], "-", goal[name], "not run"
    }
  }
  END {
    printf "\n%-44s %10s %10s  %s\n", "goal (medians)", "measured", "goal", "met"
    for (i = 1; i <= count; ++i) {
      report(order[i])
    }
    for (i = 1; i <= counterCount; ++i) {
      report(counters[i])
    }
    for (i = 1; i <= ratioCount; ++i) {
      name = ratios[i]
      base = ratioBase[name]
      if ((name in measured) && (base in measured) && measured[base] > 0) {
        ratio = measured[name] / measured[base]
        printf "%-44s %10.3g %10.3g  %s\n", what[name], ratio, goal[name], ratio <= goal[name] ? "yes" : "NO"
      } else {
        printf "%-44s %10s %10.3g  %s\n", what[name], "-", goal[name], "not run"
      }
    }
  }
' "${1:-/dev/stdin}"

BUILD=${BUILD_DIR:-build}
RUNS=${RUNS:-5}
LOGS=${TMPDIR:-/tmp}
SNAPSHOT="$BUILD/tools/logview-snapshot"
HAND="$BUILD/bench/hand-parser"
export QT_QPA_PLATFORM=offscreen
if [ ! -x "$SNAPSHOT" ] || [ ! -x "$HAND" ] || [ ! -x /usr/bin/time ]; then
  echo "whole-process goals: not run (needs $SNAPSHOT, $HAND and /usr/bin/time)"
  exit 0
fi

load_average() { cut -d' ' -f1-3 /proc/loadavg; }

# The log of $1 lines, as the benchmarks write it (1 % sensor words).
log_of() {
  file="$LOGS/logviewer-goals-$1.csv"
  [ -f "$file" ] || "$BUILD/tools/GenerateLog" "$1" lambda 1 >"$file"
  echo "$file"
}

# "wall cpu" seconds of one run of the command.
timed() {
  /usr/bin/time -f '%e %U %S' "$@" 2>&1 >/dev/null | tail -n 1 | awk '{ print $1, $2 + $3 }'
}

# The median of the numbers on standard input.
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

file=$(log_of 10000000)
"$HAND" "$file" >/dev/null  # the page cache warm for both
echo
echo "Whole processes, $RUNS runs each in turn, load average before: $(load_average)"
times=$(mktemp)
i=0
while [ $i -lt "$RUNS" ]; do
  echo "viewer $(timed "$SNAPSHOT" --log 0 "$file")" >>"$times"
  echo "hand $(timed "$HAND" "$file")" >>"$times"
  echo "four $(timed "$SNAPSHOT" --log 0 "$file" --log 1 "$file" --log 2 "$file" --log 3 "$file")" >>"$times"
  i=$((i + 1))
done
for who in viewer hand four; do
  eval "${who}_wall=$(awk -v w=$who '$1 == w { print $2 }' "$times" | median)"
  eval "${who}_cpu=$(awk -v w=$who '$1 == w { print $3 }' "$times" | median)"
done
rm -f "$times"
echo "load average after: $(load_average)"
awk -v vw="$viewer_wall" -v vc="$viewer_cpu" -v hw="$hand_wall" -v hc="$hand_cpu" -v fw="$four_wall" 'BEGIN {
  printf "load 10M lines: viewer %.3f s wall %.3f s CPU, hand parser %.3f s wall %.3f s CPU\n", vw, vc, hw, hc
  printf "%-44s %10.3g %10.3g  %s\n", "load 10M lines / hand parser, wall (x)", vw / hw, 1.0, vw / hw <= 1.0 ? "yes" : "NO"
  printf "%-44s %10.3g %10.3g  %s\n", "load 10M lines / hand parser, CPU (x)", vc / hc, 2.0, vc / hc <= 2.0 ? "yes" : "NO"
  printf "%-44s %10.3g %10.3g  %s\n", "four 10M-line logs / one, processes (x)", fw / vw, 4.0, fw / vw <= 4.0 ? "yes" : "NO"
}'

# The hover: the system calls on files that each move makes on the GUI
# thread (the process's first), each move's readouts written as JSON, net of
# the same JSON written without the moves.
if command -v strace >/dev/null; then
  moves=20
  hovers=""
  states=""
  x=10
  while [ $x -lt $((10 + 30 * moves)) ]; do
    hovers="$hovers --hover 1 $x 100 --json /dev/null"
    states="$states --json /dev/null"
    x=$((x + 30))
  done
  file_calls() {
    trace=$(mktemp)
    # shellcheck disable=SC2086
    strace -f -qq -o "$trace" -e trace=openat,read,pread64,close,fstat,newfstatat,lseek "$SNAPSHOT" \
      --log 0 "$file" --log 1 "$file" --log 2 "$file" --log 3 "$file" "$@" >/dev/null 2>&1
    main=$(head -n 1 "$trace" | cut -d' ' -f1)
    awk -v m="$main" '$1 == m' "$trace" | wc -l
    rm -f "$trace"
  }
  # shellcheck disable=SC2086
  with=$(file_calls $hovers)
  # shellcheck disable=SC2086
  without=$(file_calls $states)
  awk -v w="$with" -v o="$without" -v n=$moves 'BEGIN {
    printf "%-44s %10.3g %10.3g  %s\n", "hover, file calls a move on the GUI thread", (w - o) / n, 1, (w - o) / n <= 1 ? "yes" : "NO"
  }'
else
  echo "hover system calls: not run (no strace)"
fi
