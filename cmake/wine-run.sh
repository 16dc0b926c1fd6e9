#!/bin/sh
# Runs a PE program under Wine for ctest. The output goes through a file:
# Wine's background services inherit the descriptors of the program that
# started them and would otherwise hold ctest's pipes open after it exits.
log=$(mktemp)
wine "$@" >"$log" 2>&1 </dev/null
rc=$?
cat "$log"
rm -f "$log"
exit $rc
