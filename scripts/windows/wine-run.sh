#!/usr/bin/env bash
# Runs a cross-built Windows program under Wine and returns its exit code:
#   scripts/windows/wine-run.sh [--path <windows dll folder>]... <program.exe> [args...]
#
# The build uses it as CMAKE_CROSSCOMPILING_EMULATOR (the generators that run
# at build time) and CTest through that for every test. The folders given with
# --path (the cross Qt's bin) and the compiler's runtime folders are where Wine
# finds the DLLs, so nothing has to be copied beside the programs.
#
# Wine runs in a prefix of its own under the toolchain cache
# (${TARVELL_CROSS_CACHE:-/var/cache/tarvell-cross}/wineprefix, or
# TARVELL_WINEPREFIX), made once, so that nothing of the user's own Wine set-up
# is read or changed; menu entries are never written.
set -euo pipefail

dll_paths=()
while [ $# -gt 0 ]; do
    case "$1" in
    --path)
        dll_paths+=("$2")
        shift 2
        ;;
    --)
        shift
        break
        ;;
    *) break ;;
    esac
done
if [ $# -eq 0 ]; then
    echo "usage: wine-run.sh [--path <folder>]... <program.exe> [args...]" >&2
    exit 2
fi

cache=${TARVELL_CROSS_CACHE:-/var/cache/tarvell-cross}
export WINEPREFIX=${TARVELL_WINEPREFIX:-$cache/wineprefix}
export WINEDEBUG=-all
export WINEARCH=win64
# Mono and Gecko are not wanted (nothing here is .NET or shows HTML), and
# asking to download them would stop a headless run.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="

wine=$(command -v wine64 || command -v wine || true)
if [ -z "$wine" ] && [ -x /usr/lib/wine/wine64 ]; then
    wine=/usr/lib/wine/wine64
fi
if [ -z "$wine" ]; then
    echo "wine-run.sh: wine64 is not installed" >&2
    exit 127
fi

if [ ! -f "$WINEPREFIX/.tarvell-ready" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        # Tests run in parallel: the first one makes the prefix, the others wait.
        flock 9
        if [ ! -f "$WINEPREFIX/.tarvell-ready" ]; then
            rm -rf "$WINEPREFIX"
            DISPLAY='' "$wine" wineboot -i >/dev/null 2>&1
            # The prefix is whole once Wine's own server has written it out.
            wineserver=$(command -v wineserver || echo "$(dirname "$(readlink -f "$wine")")/wineserver")
            "$wineserver" -w 2>/dev/null || true
            touch "$WINEPREFIX/.tarvell-ready"
        fi
    ) 9>"$WINEPREFIX.lock"
fi

# Wine keeps the Unix side's QT_* variables from a Windows program (they
# belong to the Linux Qt) and passes on a WINEQT_* one as QT_*: the tests'
# QT_QPA_PLATFORM=offscreen, say.
for name in $(compgen -e); do
    case "$name" in
    QT_*) export "WINE$name=${!name}" ;;
    esac
done

to_windows() { echo "Z:${1//\//\\}"; }
winepath=()
for p in "${dll_paths[@]}" /usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib; do
    winepath+=("$(to_windows "$p")")
done
WINEPATH=$(
    IFS=';'
    echo "${winepath[*]}"
)
export WINEPATH

# The program's output goes through files: Wine hands the standard handles
# of a program on to processes that outlive it, so a reader of a pipe
# (CTest) would wait for the end of its output until those end too.
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
rc=0
"$wine" "$@" >"$out" 2>"$err" || rc=$?
cat "$out"
cat "$err" >&2
exit $rc
