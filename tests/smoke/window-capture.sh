# Sourced by the window tests: the window "$window" compared with expected
# pictures, captured into the folder "$work".

# The number of pixels two pictures differ in (within the geometry $3, if
# given).
differing() {
  compare -metric AE ${3:+-extract "$3"} "$1" "$2" null: 2>&1 || true
}

# The window is painted once the event loop runs; it is captured until it
# shows the expected picture, a bounded number of times. A window that
# differs is left beside the test's output, to be looked at.
same_as() {
  for _ in $(seq 50); do
    import -window "$window" "$work/shown.png" 2>/dev/null &&
      [ "$(differing "$work/shown.png" "$1")" = 0 ] && return 0
    sleep 0.2
  done
  shown="$PWD/shown-$(basename "$1")"
  cp "$work/shown.png" "$shown"
  echo "the window differs from $1 in $(differing "$work/shown.png" "$1") pixels; as shown: $shown"
  return 1
}
