#!/usr/bin/env bash
# Checks an installer from deploy.sh under Wine, in a throw-away prefix:
#   scripts/windows/check-installer.sh <Tarvell-x.y-setup.exe>
# A silent install puts the program into Program Files with its Start menu
# entry and its Apps & features entry; a silent uninstall removes them and
# leaves the user's records that were made beside the program.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
setup=$(readlink -f "${1:?usage: check-installer.sh <setup.exe>}")
TARVELL_WINEPREFIX=$(mktemp -d /tmp/tarvell-installer.XXXXXX)/prefix
export TARVELL_WINEPREFIX
trap 'rm -rf "$(dirname "$TARVELL_WINEPREFIX")"' EXIT
wine() { bash "$here/wine-run.sh" "$@"; }
fail() {
    echo "check-installer: $*" >&2
    exit 1
}
# Wait up to 60 s for a condition; the uninstaller runs on as a copy of itself.
wait_for() {
    local i
    for i in $(seq 120); do
        eval "$1" && return 0
        sleep 0.5
    done
    return 1
}

program="$TARVELL_WINEPREFIX/drive_c/Program Files/Tarvell"
menu="$TARVELL_WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tarvell.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvell'

start=$SECONDS
wine "$setup" /S || fail "the installer failed"
wait_for '[ -f "$program/uninstall.exe" ]' || fail "nothing installed into $program"
for f in tarvell.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll \
    styles/qwindowsvistastyle.dll libstdc++-6.dll "Holiday - 2024.dat"; do
    [ -f "$program/$f" ] || fail "$f is not installed"
done
[ -f "$menu" ] || fail "no Start menu entry"
entry=$(wine reg query "$uninstall_key" | tr -d '\r')
for v in 'DisplayName +REG_SZ +Tarvell$' 'DisplayVersion +REG_SZ +4\.14$' \
    'DisplayIcon +REG_SZ +.*tarvell\.exe,0$' 'Publisher +REG_SZ +.+' 'UninstallString +REG_SZ +.+'; do
    grep -Eq "^ +$v" <<<"$entry" || fail "Apps & features entry lacks $v"
done
if wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Tarvell >/dev/null 2>&1; then
    fail "a silent install turned on starting at login"
fi
echo "installed silently in $((SECONDS - start)) s"

# Records a copy run with the rights to write there would have made.
printf '[Date]\r\n' >"$program/plzNoSmoking.ini"
printf 'x\r\n' >"$program/Anniversary - 2024.dat"
wine "$program/uninstall.exe" /S || fail "the uninstaller failed"
wait_for '[ ! -e "$program/tarvell.exe" ] && [ ! -e "$program/uninstall.exe" ]' ||
    fail "the program is still installed"
[ -f "$program/plzNoSmoking.ini" ] && [ -f "$program/Anniversary - 2024.dat" ] ||
    fail "the uninstaller removed the user's records"
leftovers=$(cd "$program" && find . -type f ! -name plzNoSmoking.ini ! -name 'Anniversary - *.dat')
[ -z "$leftovers" ] || fail "left behind: $leftovers"
[ ! -e "$menu" ] || fail "the Start menu entry is still there"
if wine reg query "$uninstall_key" >/dev/null 2>&1; then
    fail "the Apps & features entry is still there"
fi
echo "uninstalled silently; the records stay"
