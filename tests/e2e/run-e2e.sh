#!/usr/bin/env bash
# Starts the real program from its program folder under a private Xvfb (it
# chooses a free display and the run waits for it) with a session bus and the
# accessibility bus, and drives it from outside as a person would.
# usage: run-e2e.sh PROGRAM_DIR [SCENARIO.py]   (default e2e_session.py)
set -euo pipefail
program_dir=$(realpath "$1")
scenario="${2:-e2e_session.py}"
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export SORVAN_PROGRAM_DIR="$program_dir" SORVAN_E2E_WORK="$work"
"$here/../../scripts/with-xvfb" \
  dbus-run-session -- /usr/bin/python3 "$here/$scenario" 2> >(grep -v -E 'fd limit|^ALSA lib' >&2)
