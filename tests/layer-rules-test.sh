#!/usr/bin/env bash
# The layering check itself: a tree whose log/ reaches up into app/ or into
# Qt must fail it, with both includes named; the same tree without them
# passes.
set -euo pipefail
check="$(dirname "$0")/check-layer-includes.sh"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/{app,bench,chart,fuzz,gui,log,runtime,tests,tools}
printf '#include "chart/TChart.h"\n#include "runtime/Exception.h"\n' > "$tree/log/Fine.h"
"$check" "$tree" > /dev/null
printf '#include "app/window/TForm1.h"\n' > "$tree/log/ReachesUp.h"
printf '#include <QString>\n' > "$tree/log/TalksToQt.cpp"
if output=$("$check" "$tree"); then
  echo "the check passed a log/ that includes app/ and Qt"
  exit 1
fi
grep -q 'log/ReachesUp.h: includes "app/window/TForm1.h"' <<<"$output"
grep -q 'log/TalksToQt.cpp: includes <QString>' <<<"$output"
grep -q '^2 include(s) break the layers$' <<<"$output"
