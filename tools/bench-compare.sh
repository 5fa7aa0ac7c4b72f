#!/bin/sh
# Times logview-snapshot loading generated logs of one and ten million lines
# beside numpy.loadtxt and pandas.read_csv (where they are installed) and
# prints the ratios; then the peak memory of four ten-million-line logs.
# Whole processes, medians of RUNS runs, net of each program's start-up.
#   tools/bench-compare.sh            (after make build)
set -eu

BUILD=${BUILD_DIR:-build}
RUNS=${RUNS:-5}
LOGS=${TMPDIR:-/tmp}
SNAPSHOT="$BUILD/tools/logview-snapshot"
export QT_QPA_PLATFORM=offscreen

# Wall milliseconds of one run of the command.
milliseconds() {
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

# Median milliseconds of RUNS runs.
median() {
  i=0
  while [ $i -lt "$RUNS" ]; do
    milliseconds "$@"
    i=$((i + 1))
  done | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

# Numbers only, so that every reader accepts every line.
log_of() {
  file="$LOGS/logviewer-compare-$1.csv"
  [ -f "$file" ] || "$BUILD/tools/GenerateLog" "$1" lambda 0 >"$file"
  echo "$file"
}

# The first Python that has numpy, else the default one (PYTHON overrides).
PYTHON=${PYTHON:-$(for p in python3 /usr/bin/python3; do
  "$p" -c "import numpy" >/dev/null 2>&1 && echo "$p" && break
done)}
PYTHON=${PYTHON:-python3}

has_module() { "$PYTHON" -c "import $1" >/dev/null 2>&1; }

snapshot_start=$(median "$SNAPSHOT" --json /dev/null)
python_start=$(median "$PYTHON" -c "import numpy")
pandas_start=0
has_module pandas && pandas_start=$(median "$PYTHON" -c "import pandas")

printf '%-10s %14s %14s %14s\n' lines "viewer (ms)" "numpy (ms)" "pandas (ms)"
for lines in 1000000 10000000; do
  file=$(log_of $lines)
  viewer=$(($(median "$SNAPSHOT" --log 0 "$file" --json /dev/null) - snapshot_start))
  numpy=-
  pandas=-
  if has_module numpy; then
    numpy=$(($(median "$PYTHON" -c "import numpy; numpy.loadtxt('$file', delimiter=',', skiprows=1, usecols=1)") -
      python_start))
  fi
  if has_module pandas; then
    pandas=$(($(median "$PYTHON" -c "import pandas; pandas.read_csv('$file', usecols=[1])") - pandas_start))
  fi
  printf '%-10s %14s %14s %14s\n' "$lines" "$viewer" "$numpy" "$pandas"
  for peer in numpy pandas; do
    eval "peer_ms=\$$peer"
    if [ "$peer_ms" != - ] && [ "$viewer" -gt 0 ]; then
      awk -v p="$peer_ms" -v v="$viewer" -v n="$peer" 'BEGIN { printf "           %s / viewer = %.2f\n", n, p / v }'
    fi
  done
done

file=$(log_of 10000000)
peak=$(/usr/bin/time -f %M "$SNAPSHOT" --log 0 "$file" --log 1 "$file" --log 2 "$file" --log 3 "$file" \
  --json /dev/null 2>&1 >/dev/null | tail -n 1)
echo "four 10M-line logs: peak $((peak / 1024)) MB resident (goal 400 MB)"
