#!/bin/sh
# Runs the whole test suite of a build folder with ctest, in the locale
# given (or the caller's), then counts the skipped tests, each with the line
# it gave as its reason. A locale that is not installed skips the run.
# Usage: run-suite.sh BUILD_DIR [LOCALE]
build=$1 wanted=${2-}
if [ -n "$wanted" ]; then
  locale -a 2>/dev/null | grep -qix "${wanted%%.*}.utf-\?8" ||
    { echo "skipped: the test suite under $wanted: the locale is not installed (make deps makes it as root)"; exit 0; }
  echo "The test suite under $wanted"
  export LANG="$wanted" LC_ALL="$wanted"
  unset LANGUAGE
fi
cd "$build" || exit 1
report=Testing/suite.xml
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --output-junit "$report"; status=$?
[ -f "$report" ] || exit "$status"
python3 - "$report" <<'PY' 2>/dev/null || grep -c '<skipped' "$report" | sed 's/$/ tests skipped/'
import sys, xml.etree.ElementTree as tree
skipped = []
for case in tree.parse(sys.argv[1]).iter("testcase"):
    if case.get("status") in ("notrun", "disabled") or case.find("skipped") is not None:
        output = case.findtext("system-out") or ""
        lines = output.splitlines()
        reason = next((l for l in lines if l.lower().startswith("skipped: ")), None)
        if reason is None:  # GoogleTest: the line after "...: Skipped"
            at = next((i for i, l in enumerate(lines) if l.endswith(": Skipped")), None)
            reason = lines[at + 1] if at is not None and at + 1 < len(lines) else "no reason given"
        skipped.append(f"  {case.get('name')}: {reason.removeprefix('skipped: ')}")
print(f"{len(skipped)} tests skipped" + (":" if skipped else ""))
print("\n".join(skipped)) if skipped else None
PY
exit "$status"
