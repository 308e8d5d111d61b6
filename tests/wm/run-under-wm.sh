#!/usr/bin/env bash
# Runs a test program under Xvfb with a small window manager (twm) that frames
# every window with a title bar, on Qt's xcb platform.
# usage: run-under-wm.sh TEST_PROGRAM [ARGS...]
set -euo pipefail
here=$(dirname "$(realpath "$0")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb TWMRC="$here/twmrc"
exec xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1280x800x24" bash -c '
  twm -f "$TWMRC" >/dev/null 2>&1 & wm=$!
  status=0
  "$@" || status=$?
  kill $wm 2>/dev/null || true
  exit $status' run-under-wm "$@"
