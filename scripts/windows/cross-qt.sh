#!/usr/bin/env bash
# Builds Qt (qtbase only) for 64-bit Windows from Debian's own source, once.
#
#   scripts/windows/cross-qt.sh           build unless cached; print the prefix
#   scripts/windows/cross-qt.sh --prefix  print the prefix it would use, build nothing
#   scripts/windows/cross-qt.sh --cached  print the prefix and succeed only when it is built
#
# The result lives outside the repository, in
#   ${TARVELL_CROSS_CACHE:-/var/cache/tarvell-cross}/qt-<version>-<key>
# where <key> hashes the Debian source version, the configure options, the
# toolchain file and the commands that fetch and build the source (as bash
# prints them: comments and layout do not count). A prefix counts only when its
# stamp is there: the stamp is written after a complete install, so a build
# that was cut short is thrown away and done again. Only the prefix goes to
# standard output; progress goes to standard error and the build's own
# output to a log file beside the prefix.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
top=$(cd "$here/../.." && pwd)
toolchain="$top/cmake/mingw-w64-x86_64.cmake"
cache=${TARVELL_CROSS_CACHE:-/var/cache/tarvell-cross}
qt_version=6.4.2
jobs=${TARVELL_JOBS:-2}

say() { echo "cross-qt: $*" >&2; }

# Everything the program needs and nothing more: no ICU (its data alone is
# 30 MB), no OpenGL (software rendering through the raster engine is what a
# Widgets program uses), and the third-party libraries built from Qt's own
# copies so that the result does not depend on MinGW packages.
configure_options=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=ON
    -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DQT_BUILD_BENCHMARKS=OFF
    -DQT_BUILD_MANUAL_TESTS=OFF
    -DFEATURE_gui=ON
    -DFEATURE_widgets=ON
    -DFEATURE_testlib=ON
    -DFEATURE_concurrent=OFF
    -DFEATURE_network=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF
    -DFEATURE_icu=OFF
    -DINPUT_opengl=no
    -DFEATURE_opengl=OFF
    -DFEATURE_opengl_desktop=OFF
    -DFEATURE_opengl_dynamic=OFF
    -DFEATURE_vulkan=OFF
    -DFEATURE_tabletevent=OFF
    -DFEATURE_direct2d=OFF
    -DFEATURE_direct2d1_1=OFF
    # Qt Gui builds its DirectWrite font database only along with Direct2D,
    # but the windows plugin asks for it whenever DirectWrite 3 is on, and
    # then fails to link. It is an opt-in font engine the program never uses.
    -DFEATURE_directwrite3=OFF
    -DFEATURE_style_windowsvista=ON
    -DFEATURE_png=ON
    -DFEATURE_jpeg=OFF
    -DFEATURE_gif=OFF
    -DFEATURE_freetype=ON
    -DFEATURE_harfbuzz=ON
    -DFEATURE_pcre2=ON
    -DFEATURE_system_zlib=OFF
    -DFEATURE_system_png=OFF
    -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_doubleconversion=OFF
    -DFEATURE_zstd=OFF
    -DFEATURE_glib=OFF
    -DFEATURE_tuiotouch=OFF
    -DFEATURE_androiddeployqt=OFF
    -DFEATURE_qmake=OFF
)

. "$(dirname "${BASH_SOURCE[0]}")/../packages.sh"

# The Debian version of the host Qt: its moc, rcc and uic generate code for
# the cross build, so the source must be exactly that version.
source_version() {
    dpkg-query -W -f='${source:Version}' qt6-base-dev 2>/dev/null || true
}

compute_key() {
    {
        echo "$qt_version"
        source_version
        printf '%s\n' "${configure_options[@]}"
        cat "$toolchain"
        declare -f add_deb_src check_patches build
    } | sha256sum | cut -c1-12
}

# Source lines for the same archives and suites as the binary ones, so that
# `apt-get source` finds the version that is installed.
add_deb_src() {
    if grep -rqs -E '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        return 0
    fi
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    local list
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        list=/etc/apt/sources.list.d/tarvell-deb-src.sources
        sed -e 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            "${sudo[@]}" tee "$list" >/dev/null
    else
        list=/etc/apt/sources.list.d/tarvell-deb-src.list
        grep -h -E '^deb ' /etc/apt/sources.list | sed -e 's/^deb /deb-src /' |
            "${sudo[@]}" tee "$list" >/dev/null
    fi
    say "added $list"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq >/dev/null
}

# Debian's patches, the security fixes among them, are applied by dpkg-source
# as it unpacks. Refuse to build from a tree where any patch of the series was
# not applied.
check_patches() {
    local src=$1
    local series="$src/debian/patches/series"
    [ -f "$series" ] || {
        say "no debian/patches/series in $src"
        return 1
    }
    local wanted applied
    wanted=$(grep -v -E '^[[:space:]]*(#|$)' "$series" | awk '{print $1}')
    applied=$(cat "$src/.pc/applied-patches" 2>/dev/null || true)
    if [ "$wanted" != "$applied" ]; then
        say "Debian's patches are not all applied in $src"
        return 1
    fi
    local cves
    cves=$(grep -c -i -E 'cve' "$series" || true)
    say "$(echo "$wanted" | wc -l) Debian patches applied, $cves of them security fixes (CVE)"
}

build() {
    local prefix=$1 key=$2
    local work="$cache/work-$key"
    local log="$cache/qt-$qt_version-$key.log"
    rm -rf "$work" "$prefix"
    mkdir -p "$work"
    : >"$log"
    say "building Qt $qt_version for Windows; log: $log"

    add_deb_src
    local version
    version=$(source_version)
    [ -n "$version" ] || {
        say "qt6-base-dev is not installed"
        return 1
    }
    (cd "$work" && apt-get source -qq "qt6-base=$version") >>"$log" 2>&1
    local src
    src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n1)
    check_patches "$src"

    local start=$SECONDS
    nice -n 10 cmake -S "$src" -B "$work/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_INSTALL_PREFIX="$prefix" \
        "${configure_options[@]}" >>"$log" 2>&1
    nice -n 10 cmake --build "$work/build" -j"$jobs" >>"$log" 2>&1
    cmake --install "$work/build" >>"$log" 2>&1
    echo "$key" >"$prefix/.tarvell-complete"
    say "built and installed in $(((SECONDS - start) / 60)) min into $prefix"
    rm -rf "$work"
}

# Whether a complete build is cached, asked before anything is installed:
# what the key hashes is all in this script and the toolchain file, save the
# version of the installed qt6-base-dev.
complete() {
    [ -f "$prefix/.tarvell-complete" ] && [ "$(cat "$prefix/.tarvell-complete")" = "$key" ]
}

if [ "${1:-}" = --cached ]; then
    key=$(compute_key)
    prefix="$cache/qt-$qt_version-$key"
    complete || exit 1
    echo "$prefix"
    exit 0
fi

install_missing cmake ninja-build perl python3 dpkg-dev qt6-base-dev qt6-base-dev-tools \
    g++-mingw-w64-x86-64-posix mingw-w64-tools

key=$(compute_key)
prefix="$cache/qt-$qt_version-$key"

if [ "${1:-}" = --prefix ]; then
    echo "$prefix"
    exit 0
fi

mkdir -p "$cache"
# One build at a time per cache: a second caller waits and then reuses.
exec 9>"$cache/.lock"
flock 9
if complete; then
    say "reusing $prefix"
else
    trap 'rc=$?; [ $rc -eq 0 ] || say "failed ($rc); see $cache/qt-$qt_version-$key.log"' EXIT
    build "$prefix" "$key"
    trap - EXIT
fi
echo "$prefix"
