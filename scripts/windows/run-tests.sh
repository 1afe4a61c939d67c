#!/usr/bin/env bash
# Runs the Windows test suite of a cross build under Wine, headless:
#   scripts/windows/run-tests.sh <build folder> [ctest arguments...]
#
# CTest runs every test through the build's emulator (scripts/windows/wine-run.sh).
# Qt Test's console output does not reliably come through Wine, so each test
# also writes its log into <build>/test-results/<test>.txt; the failures are
# reported from those files, followed by CTest's own summary. The exit code is
# CTest's.
set -uo pipefail

build=$(cd "${1:?usage: run-tests.sh <build folder> [ctest arguments...]}" && pwd)
shift
results="$build/test-results"
mkdir -p "$results"
rm -f "$results"/*.txt

log="$build/ctest-windows.log"
export QT_QPA_PLATFORM=offscreen
# The offscreen platform of a Windows Qt reads its fonts from one folder,
# not from the system: the same faces the Linux tests get, linked into one.
fonts="$build/test-fonts"
rm -rf "$fonts"
mkdir -p "$fonts"
find /usr/share/fonts/truetype/nanum /usr/share/fonts/truetype/liberation2 -name '*.ttf' \
    -exec ln -sf {} "$fonts/" \; 2>/dev/null || true
export QT_QPA_FONTDIR="Z:${fonts//\//\\}"
# One Wine server, with Wine's own background programs, for the whole run,
# started here with no output to hold. Started by a test, they would keep
# that test's output pipe open until the last test ends, and CTest would
# count the test as running until then; a server that ends with each test
# can also be going away just as the next one connects to it.
export WINEPREFIX=${TARVELL_WINEPREFIX:-${TARVELL_CROSS_CACHE:-/var/cache/tarvell-cross}/wineprefix}
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
run_nothing() { bash "$(dirname "${BASH_SOURCE[0]}")/wine-run.sh" cmd /c exit </dev/null >/dev/null 2>&1 || true; }
run_nothing # the prefix, made once
"$wineserver" -k 2>/dev/null || true
"$wineserver" -w 2>/dev/null || true
"$wineserver" -p </dev/null >/dev/null 2>&1 || true
run_nothing # Wine's background programs, under that server
trap '"$wineserver" -k 2>/dev/null || true' EXIT

ctest --test-dir "$build" -j"$(nproc)" "$@" >"$log" 2>&1
rc=$?

# Each failed test: the failing functions and where, from its own log; a test
# without a log did not get as far as running (not built, or it crashed).
failed=$(sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) (.*$/\1/p' "$log")
for t in $failed; do
    echo "---- $t"
    if [ -f "$results/$t.txt" ]; then
        grep -E -A2 '^(FAIL!|XPASS|QFATAL) ' "$results/$t.txt" | grep -v '^--$' || true
        grep -E '^Totals:' "$results/$t.txt" || echo "   (the log ends before the totals: the test stopped early)"
    else
        echo "   no log written: $(grep -E "^ *[0-9/ ]*Test *#[0-9]+: $t \.+" "$log" | sed 's/.*\*\+//; s/^ *//' | head -n1)"
    fi
done

# CTest's summary.
sed -n '/tests passed, /,$p' "$log"
exit $rc
