#!/usr/bin/env bash
# Renders the README's pictures on a virtual desktop with a window manager,
# so every window has the size and frame users see:
#   tools/screenshot/shoot.sh [build folder] [output folder]
# Needs xvfb and openbox; without them tarvell_screenshot renders offscreen.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$top/build}
out=${2:-$top/docs}
tool="$build/tools/screenshot/tarvell_screenshot"
exec xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 1
    QT_QPA_PLATFORM=xcb "$0" "$1"
    kill $wm' "$tool" "$out"
