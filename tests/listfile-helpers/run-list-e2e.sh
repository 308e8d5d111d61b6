#!/usr/bin/env bash
# Play lists in the real program under Xvfb, across a restart: a list is
# saved, the program ends and starts again, the list is read back, and an
# entry clicked plays. Uses the window helpers of tests/e2e.
# usage: run-list-e2e.sh PROGRAM_DIR
set -euo pipefail
program_dir=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export SORVAN_PROGRAM_DIR="$program_dir" SORVAN_E2E_WORK="$work"
export PYTHONPATH="$here/../e2e${PYTHONPATH:+:$PYTHONPATH}"
exec xvfb-run -a -s "-screen 0 1280x800x24" \
  dbus-run-session -- /usr/bin/python3 "$here/list_restart_e2e.py" 2> >(grep -v -E 'fd limit|^ALSA lib' >&2)
