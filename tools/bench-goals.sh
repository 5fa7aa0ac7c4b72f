#!/bin/sh
# Prints the performance goals beside the medians measured by `make bench`.
# Reads the benchmarks' console output (run with repetitions, so that each
# case has a "_median" line) from the file given or standard input.
# Goals that are ratios compare two benchmarks of the same run.
#   tools/bench-goals.sh build/bench.txt
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
    add("FitValuesFourPanes_median", 8, "fit four 10M-point panes to a 4K view (ms, 2 a pane)")
    add("FourPaneStatistics/1_median", 20, "statistics of four 10M-sample panes, stretch moved (ms)")
    add("BM_FollowLatency/real_time_median", 100, "a written line in its pane, notified (ms)")
    add("BM_FollowFourGrowingLogs/1000000/iterations:10/manual_time_median", 50, "follow four logs, 1M loaded (ms CPU a second)")
    add("BM_FollowFourGrowingLogs/10000000/iterations:10/manual_time_median", 50, "follow four logs, 10M loaded (ms CPU a second)")
    # goals that are ratios of two benchmarks of one run
    addRatio("BM_LoadFourLogs/10000000/min_time:2.000/real_time_median",
             "BM_LoadLog/10000000/min_time:2.000/real_time_median", 4.5, "four 10M-line logs / one (x)")
    addRatio("BM_CommandLineToPicture/10000000/min_time:2.000/real_time_median",
             "BM_LoadFourLogs/10000000/min_time:2.000/real_time_median", 1.5, "command line to picture / four loads (x)")
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
  }
  END {
    printf "\n%-44s %10s %10s  %s\n", "goal (medians)", "measured", "goal", "met"
    for (i = 1; i <= count; ++i) {
      name = order[i]
      if (name in measured) {
        printf "%-44s %10.3g %10.3g  %s\n", what[name], measured[name], goal[name], measured[name] <= goal[name] ? "yes" : "NO"
      } else {
        printf "%-44s %10s %10.3g  %s\n", what[name], "-", goal[name], "not run"
      }
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
