#!/usr/bin/env bash
# Starts a program under a virtual display and saves a screenshot of it.
# Usage: scripts/screenshot.sh OUTPUT.png PROGRAM [ARGS...]
set -euo pipefail
out=$1
shift
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$@" &
    pid=$!
    sleep "${SCREENSHOT_DELAY:-3}"
    xwd -root -silent | convert xwd:- -trim "'"$out"'"
    kill $pid 2>/dev/null || true
    wait $pid 2>/dev/null || true
' _ "$@"
echo "saved $out"
