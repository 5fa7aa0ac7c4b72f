#!/bin/sh
# Runs a test script when every program it needs is installed; otherwise
# skips it (exit 77) with a line naming what is missing.
# Usage: with-tools.sh "PROGRAM..." SCRIPT ARG...
needed=$1
shift
for tool in $needed; do
  command -v "$tool" >/dev/null ||
    { echo "skipped: $tool is not installed (make deps installs it)"; exit 77; }
done
exec "$@"
