#!/bin/sh
# Installs the build into a temporary prefix, checks the installed files and
# starts the installed program in a virtual X server. The program, root's
# in a test run, keeps its files in the configuration folder: nothing
# appears beside it.
# Usage: install-test.sh CMAKE BUILD_DIR SMOKE_SCRIPT CLOSE_WINDOW_BY_TITLE
set -eu
cmake=$1 build=$2 smoke=$3 closer=$4
prefix=$(mktemp -d)
config=$(mktemp -d)
trap 'rm -rf "$prefix" "$config"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
for file in bin/logviewer share/applications/logviewer.desktop \
            share/icons/hicolor/scalable/apps/logviewer.svg share/icons/hicolor/48x48/apps/logviewer.png \
            share/metainfo/org.example.logviewer.metainfo.xml share/man/man1/logviewer.1.gz \
            share/doc/logviewer/copyright share/doc/logviewer/changelog.gz share/doc/logviewer/README.md.gz; do
  [ -f "$prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
entry="$prefix/share/applications/logviewer.desktop"
grep -qx 'MimeType=text/csv;' "$entry" && grep -qx 'Exec=logviewer %F' "$entry" && grep -qx 'Icon=logviewer' "$entry"
"$prefix/bin/logviewer" --version | grep -q '^logviewer [0-9]'
# The help names the manual page and the README as installed.
help=$("$prefix/bin/logviewer" --help)
echo "$help" | grep -qF "man logviewer" || { echo "the help names no manual page"; exit 1; }
echo "$help" | grep -qF "README: $prefix/share/doc/logviewer/README.md.gz" || {
  echo "the help names no installed README: $help"; exit 1; }
XDG_CONFIG_HOME=$config "$smoke" "$prefix/bin/logviewer" "$closer"
beside=$(ls -A "$prefix/bin")
[ "$beside" = logviewer ] || { echo "written beside the installed program (as user $(id -un)): $beside"; exit 1; }
