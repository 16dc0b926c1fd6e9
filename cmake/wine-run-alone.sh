#!/usr/bin/env bash
# Runs a PE program under Wine on an X display and a Wine desktop of its own
# (named after the program, through HKCU\Software\Wine\AppDefaults), so that
# its windows neither need the activation and the pointer of the shared
# desktop nor take them from the tests that do: it runs beside them.
#   wine-run-alone.sh <program.exe> [arguments...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../scripts/env.sh"
name=$(basename "$1" .exe)
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v "$name" /d 1280x1024 /f >/dev/null 2>&1
wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$name.exe\\Explorer" /v Desktop /d "$name" /f >/dev/null 2>&1
qb_start_display || exit 1
trap 'kill "$QB_XVFB_PID" 2>/dev/null' EXIT
"$here/wine-run.sh" "$@"
