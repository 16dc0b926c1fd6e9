# Sourced by the command-line stories: counts failed checks and prints each
# check's outcome, and compares two texts showing both when they differ.
failures=0
check() { # description, command...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
same() { [ "$1" = "$2" ] || { printf 'got:\n%s\nexpected:\n%s\n' "$1" "$2"; return 1; }; }
