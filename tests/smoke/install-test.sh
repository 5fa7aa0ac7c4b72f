#!/bin/sh
# Installs the build into a temporary prefix, checks the installed files and
# starts the installed program in a virtual X server.
# Usage: install-test.sh CMAKE BUILD_DIR SMOKE_SCRIPT CLOSE_WINDOW_BY_TITLE
set -eu
cmake=$1 build=$2 smoke=$3 closer=$4
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
for file in bin/logviewer share/applications/logviewer.desktop \
            share/icons/hicolor/scalable/apps/logviewer.svg share/icons/hicolor/48x48/apps/logviewer.png; do
  [ -f "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
entry="$prefix/share/applications/logviewer.desktop"
grep -qx 'MimeType=text/csv;' "$entry" && grep -qx 'Exec=logviewer %F' "$entry" && grep -qx 'Icon=logviewer' "$entry"
"$prefix/bin/logviewer" --version | grep -q '^logviewer [0-9]'
"$smoke" "$prefix/bin/logviewer" "$closer"
