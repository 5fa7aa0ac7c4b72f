#!/usr/bin/env bash
# Records what the snapshot tool writes (PNG, SVG and JSON) for a fixed set
# of scenes on the sample logs and on hostile logs, so that two builds can be
# compared byte for byte before and after a change that must not alter them.
#
#   tools/snapshot-compare.sh record SNAPSHOT DIR   the scenes' files into DIR
#   tools/snapshot-compare.sh compare DIR1 DIR2     the scenes that differ; exit 1 if any
#   tools/snapshot-compare.sh BEFORE AFTER          both snapshot tools, then compare
#
# Run from the repository root. Every scene runs in the C locale and again
# with decimal commas, with no settings file.
set -euo pipefail

samples=(samples/lambda.csv samples/engine-speed.csv
         samples/coolant-temperature.csv samples/battery-voltage.csv)
four_logs=(--log 0 "${samples[0]}" --log 1 "${samples[1]}"
           --log 2 "${samples[2]}" --log 3 "${samples[3]}")

# Logs a user may meet that the samples do not cover, written into $1.
write_hostile_logs() {
  local dir=$1
  printf 'Words\nRich\n0.5\nLean\nCold or Open Circuit\n1.5\nS.C to Gnd/Sensor lower limit\n2\n' > "$dir/words.csv"
  printf 'Bad\n1\n2\nn/a\n4\n' > "$dir/bad-line.csv"
  printf 'Crlf\r\n1.5\r\n2.5\r\n-3\r\n' > "$dir/crlf.csv"
  printf 'Header only\n' > "$dir/header-only.csv"
  : > "$dir/empty.csv"
  printf 'Stamped\n0.10,1.5\n0.20,1.75\n0.30,-2\n0.40,8\n' > "$dir/stamped.csv"
  printf 'Huge\n1e300\n-1e300\n0\n' > "$dir/huge.csv"
  printf 'Title \033 & <tag>\n1\n2\n3\n' > "$dir/odd-title.csv"
  printf 'One\n42\n' > "$dir/one-sample.csv"
}

# One scene a line: a name, then the snapshot tool's actions; the output
# actions are added for each scene.
scenes() {
  local logs=$1
  echo "empty"
  echo "samples ${four_logs[*]}"
  echo "zoom ${four_logs[*]} --drag 1 left 100 60 300 60"
  echo "zoom-undo ${four_logs[*]} --drag 1 left 100 60 300 60 --drag 1 left 300 60 100 60"
  echo "pan ${four_logs[*]} --click CheckBox1 --drag 2 right 300 60 200 60"
  echo "pan-both ${four_logs[*]} --click CheckBox1 --click CheckBox2 --drag 2 right 300 60 200 90"
  echo "wheel ${four_logs[*]} --wheel 0 up --wheel 3 down"
  echo "hover ${four_logs[*]} --hover 1 300 60"
  echo "locked ${four_logs[*]} --lock on --key X --drag 0 left 120 60 400 60 --hover 2 250 50"
  echo "markers ${four_logs[*]} --hover 0 200 50 --key A --hover 0 500 50 --key B"
  echo "statistics ${four_logs[*]} --drag 3 left 50 60 600 60 --key S"
  echo "keys ${four_logs[*]} --hover 1 300 60 --key Right --key + --key + --key - --key End --key Backspace"
  echo "color ${four_logs[*]} --color 00a0ff"
  echo "hostile --log 0 $logs/words.csv --log 1 $logs/bad-line.csv --log 2 $logs/crlf.csv --log 3 $logs/stamped.csv --hover 3 300 50"
  echo "hostile-2 --log 0 $logs/header-only.csv --log 1 $logs/empty.csv --log 2 $logs/huge.csv --log 3 $logs/odd-title.csv"
  echo "one-sample --log 0 $logs/one-sample.csv --drag 0 left 100 60 300 60 --hover 0 200 60"
}

record() {
  local snapshot=$1 out=$2 logs name actions
  mkdir -p "$out"
  logs=$(mktemp -d)
  write_hostile_logs "$logs"
  while read -r name actions; do
    for separators in point comma; do
      local base="$out/$name-$separators" extra=()
      [ "$separators" = comma ] && extra=(--decimal , --thousands .)
      # shellcheck disable=SC2086  # the actions are words on purpose
      LANG=C LC_ALL=C "$snapshot" "${extra[@]}" $actions --png "$base.png" --svg "$base.svg" \
        --json "$base.json" > "$base.out" 2>&1 || echo "exit $?" >> "$base.out"
    done
  done < <(scenes "$logs")
  # The logs' folder differs between runs; the files name it.
  grep -rlF "$logs" "$out" | xargs -r sed -i "s|$logs|LOGS|g"
  rm -rf "$logs"
}

compare() {
  local differing
  differing=$(diff -rq "$1" "$2" || true)
  if [ -n "$differing" ]; then
    echo "$differing"
    return 1
  fi
  echo "same: $(find "$1" -type f | wc -l) files"
}

case "${1:-}" in
  record) record "$2" "$3" ;;
  compare) compare "$2" "$3" ;;
  *)
    [ $# = 2 ] || { sed -n '2,11p' "$0"; exit 2; }
    work=$(mktemp -d)
    record "$1" "$work/before"
    record "$2" "$work/after"
    compare "$work/before" "$work/after"
    ;;
esac
