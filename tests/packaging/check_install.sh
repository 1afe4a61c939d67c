#!/usr/bin/env bash
# Checks what a user gets from an install.
#   check_install.sh tree    <cmake> <build> <holidays 0|1>  cmake --install into a temporary prefix
#   check_install.sh package <cpack> <build> <holidays 0|1>  cpack -G DEB, then the .deb's list and fields
set -euo pipefail

mode=$1 tool=$2 build=$3 holidays=$4
# Inside the build folder: the installed program is started from here, and a
# shared temporary folder may forbid running programs.
work=$(mktemp -d "$build/check-$mode.XXXXXX")
program=
cleanup() {
    if [ -n "$program" ]; then
        kill "$program" 2>/dev/null || true
        wait "$program" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Every file an install holds, relative to its prefix.
expected_files() {
    cat <<'LIST'
bin/tarvell
share/applications/io.github.tarvell.Tarvell.desktop
share/icons/hicolor/16x16/apps/tarvell.png
share/icons/hicolor/256x256/apps/tarvell.png
share/icons/hicolor/32x32/apps/tarvell.png
share/icons/hicolor/48x48/apps/tarvell.png
share/metainfo/io.github.tarvell.Tarvell.metainfo.xml
share/tarvell/tarvell-autostart.desktop
LIST
    if [ "$holidays" = 1 ]; then
        for year in $(seq 1990 2043); do
            echo "share/tarvell/Holiday - $year.dat"
        done
    fi
}

compare_lists() { # <what> <actual file>
    expected_files | LC_ALL=C sort >"$work/expected"
    LC_ALL=C sort "$2" >"$work/actual"
    diff -u "$work/expected" "$work/actual" >&2 || fail "$1 differs from the expected list"
}

check_tree() {
    local prefix=$work/prefix
    "$tool" --install "$build" --prefix "$prefix" >/dev/null
    (cd "$prefix" && find . -type f -o -type l | sed 's|^\./||') >"$work/files"
    compare_lists "the installed tree" "$work/files"

    [ -x "$prefix/bin/tarvell" ] || fail "bin/tarvell is not executable"
    for size in 16 32 48 256; do
        file -b "$prefix/share/icons/hicolor/${size}x${size}/apps/tarvell.png" |
            grep -q "PNG image data, $size x $size," || fail "the ${size}x${size} icon is not $size pixels"
    done

    local launcher=$prefix/share/applications/io.github.tarvell.Tarvell.desktop
    local autostart=$prefix/share/tarvell/tarvell-autostart.desktop
    local metainfo=$prefix/share/metainfo/io.github.tarvell.Tarvell.metainfo.xml
    desktop-file-validate "$launcher" || fail "the launcher does not validate"
    desktop-file-validate "$autostart" || fail "the autostart entry does not validate"
    appstreamcli validate --no-net "$metainfo" >"$work/appstream" 2>&1 ||
        { cat "$work/appstream" >&2; fail "the metainfo does not validate"; }
    for entry in "$launcher" "$autostart"; do
        grep -qx 'Exec=tarvell' "$entry" || fail "$entry does not start bin/tarvell"
        grep -qx 'Icon=tarvell' "$entry" || fail "$entry does not show the installed icon"
    done
    grep -q '^Name\[ko\]=' "$launcher" || fail "the launcher has no Korean name"
    grep -q '<launchable type="desktop-id">io.github.tarvell.Tarvell.desktop</launchable>' \
        "$metainfo" || fail "the metainfo does not name the launcher"
    if [ "$holidays" = 1 ]; then
        grep -q '^\[' "$prefix/share/tarvell/Holiday - 2026.dat" || fail "a holiday file is empty"
    fi

    # The installed program keeps its records in the user's data folder and
    # writes nothing into the prefix, although root could write there.
    local home=$work/home
    mkdir -p "$home" "$work/run"
    chmod 700 "$work/run"
    env -u XDG_DATA_HOME -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" XDG_RUNTIME_DIR="$work/run" \
        QT_QPA_PLATFORM=offscreen "$prefix/bin/tarvell" >"$work/program.log" 2>&1 &
    program=$!
    for _ in $(seq 300); do
        [ -d "$home/.local/share/Tarvell" ] && break
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    [ -d "$home/.local/share/Tarvell" ] ||
        { cat "$work/program.log" >&2; fail "the installed program made no records folder in the home"; }
    kill -0 "$program" 2>/dev/null || fail "the installed program ended instead of asking the first questions"
    [ "$(ls -A "$prefix/bin")" = tarvell ] || fail "the installed program wrote into its bin folder"
}

check_package() {
    "$tool" --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
        { cat "$work/cpack.log" >&2; fail "cpack failed"; }
    local arch debs
    arch=$(dpkg --print-architecture)
    debs=("$work"/out/tarvell_*_"$arch".deb)
    if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
        fail "no single tarvell_<version>_$arch.deb"
    fi
    local deb=${debs[0]}

    # A name with blanks spans several fields of the listing: take the whole tail.
    dpkg-deb -c "$deb" | awk '$1 !~ /^d/' | sed -E 's|^.* \./usr/||' >"$work/files"
    compare_lists "the package's files" "$work/files"

    [ "$(dpkg-deb -f "$deb" Package)" = tarvell ] || fail "the package is not named tarvell"
    [ "$(dpkg-deb -f "$deb" Version)" = 4.14 ] || fail "the package version is not 4.14"
    [ "$(dpkg-deb -f "$deb" Architecture)" = "$arch" ] || fail "the package is not for $arch"
    local depends
    depends=$(dpkg-deb -f "$deb" Depends)
    for lib in libqt6core6 libqt6gui6 libqt6widgets6 fonts-nanum fonts-liberation2 qt6-qpa-plugins; do
        echo "$depends" | tr ',' '\n' | grep -q "^ *$lib\b" || fail "Depends lacks $lib: $depends"
    done
    echo "$depends" | grep -q -- '-dev\b' && fail "Depends names a development package: $depends"

    dpkg-deb -x "$deb" "$work/root"
    file -b "$work/root/usr/bin/tarvell" | grep -q ', stripped' || fail "usr/bin/tarvell is not stripped"
}

case "$mode" in
tree) check_tree ;;
package) check_package ;;
*) fail "unknown mode $mode" ;;
esac
echo "PASS: $mode"
