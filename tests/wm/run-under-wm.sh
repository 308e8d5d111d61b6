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
export QT_QPA_PLATFORM=xcb
"$here/../../scripts/with-xvfb" --wm "$here/twmrc" "$@"
