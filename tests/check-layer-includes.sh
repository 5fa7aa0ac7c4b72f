#!/usr/bin/env bash
# Every include of our own code against the layers: dependencies point down
# only (app -> log -> chart -> gui, runtime; runtime depends on nothing) and only
# gui/ includes Qt. Tests, benchmarks, tools and fuzz targets may include what
# they exercise. Includes are rooted at the repository root, so the first
# folder of a quoted include names its layer. Prints every include that
# breaks the rules and fails when there is one.
set -euo pipefail
cd "${1:?usage: check-layer-includes.sh SOURCE_DIR}"

# folder, the folders its quoted includes may name, whether it may include
# Qt. A file follows the rule of the longest folder it lies in.
rules="
runtime|runtime|no
gui|gui runtime|yes
chart|chart gui runtime|no
log|log chart gui runtime|no
app|app log chart gui runtime|no
tools|app log chart gui runtime|no
bench|app log chart gui runtime tests|no
fuzz|app log chart gui runtime|no
tests|tests|no
tests/runtime|runtime tests|no
tests/gui|gui runtime tests|yes
tests/chart|chart gui runtime tests|no
tests/log|log chart gui runtime tests|no
tests/app|app log chart gui runtime tests|yes
tests/support|chart gui runtime tests|no
"

rule_of() {
  local file="$1" best="" folder allowed qt
  while IFS='|' read -r folder allowed qt; do
    if [[ -n "$folder" && "$file" == "$folder"/* && ${#folder} -gt ${#best} ]]; then
      best="$folder"
      rule="$allowed|$qt"
    fi
  done <<<"$rules"
  [ -n "$best" ]
}

violations=0
report() {
  echo "$1: $2"
  violations=$((violations + 1))
}

check_file() {
  local file="$1" allowed="$2" qt="$3" line target
  while IFS= read -r line; do
    if [[ "$line" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
      target="${BASH_REMATCH[1]}"
      if [[ "$target" != */* || " $allowed " != *" ${target%%/*} "* ]]; then
        report "$file" "includes \"$target\"; it may include from: $allowed"
      fi
    elif [[ "$line" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<(Q[^>]*)\> && "$qt" != yes ]]; then
      report "$file" "includes <${BASH_REMATCH[1]}>; only gui/ talks to Qt"
    fi
  done <"$file"
}

while IFS= read -r file; do
  if ! rule_of "$file"; then
    report "$file" "lies in no folder with a layer rule"
    continue
  fi
  check_file "$file" "${rule%|*}" "${rule#*|}"
done < <(find app bench chart fuzz gui log runtime tests tools -type f \( -name '*.cpp' -o -name '*.h' \) | sort)

echo "$violations include(s) break the layers"
[ "$violations" -eq 0 ]
