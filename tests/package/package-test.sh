#!/bin/sh
# Builds the Debian package once into a temporary folder and checks it as
# Debian's own tools do: lintian without errors or warnings, the AppStream
# metadata valid, and the files a user relies on in place.
# Usage: package-test.sh CPACK BUILD_DIR VERSION
# Exits 77 (skipped) when a checking tool is missing.
set -eu
cpack=$1 build=$2 version=$3
for tool in lintian appstreamcli desktop-file-validate dpkg-deb dpkg-shlibdeps file; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed (make deps installs it)"; exit 77; }
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$cpack" -G DEB -B "$out" --config "$build/CPackConfig.cmake" >"$out/cpack.log" 2>&1 || {
  cat "$out/cpack.log"; exit 1; }
deb="$out/logviewer_${version}_amd64.deb"
[ -f "$deb" ] || { echo "no package $deb"; ls "$out"; exit 1; }

fail() { echo "$*"; exit 1; }

lintian --pedantic --fail-on error,warning "$deb" || fail "lintian found errors or warnings"

dpkg-deb -x "$deb" "$out/root"
appstreamcli validate --no-net --pedantic "$out"/root/usr/share/metainfo/*.metainfo.xml ||
  fail "AppStream metadata not valid"
desktop-file-validate "$out/root/usr/share/applications/logviewer.desktop" || fail "desktop entry not valid"

# Dependencies read from the binary, and the fonts the window's metrics need.
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libc6 libstdc++6 libqt6widgets6 qt6-qpa-plugins fonts-liberation fonts-dejavu-core fonts-wine; do
  echo "$depends" | tr -d ' ' | tr ',' '\n' | sed 's/(.*//' | grep -qxF "$needed" || fail "Depends lacks $needed: $depends"
done
file "$out/root/usr/bin/logviewer" | grep -q ', stripped' || fail "the binary is not stripped"
[ -f "$build/app/logviewer.debug" ] || fail "no debug symbols in $build/app/logviewer.debug"

# The manual page names this version, so it cannot fall behind.
zcat "$out/root/usr/share/man/man1/logviewer.1.gz" | grep -q "^\.TH LOGVIEWER 1 .*\"logviewer $version\"" ||
  fail "the manual page does not name version $version"
echo "package checked: $(basename "$deb")"
