#!/usr/bin/env bash
# Set-up, build, start and test Tarvell on Debian 12.
#   scripts/dev.sh run    install what is missing, build, start the program
#   scripts/dev.sh test   install what is missing, build, run every test
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
top=$(pwd)
build="$top/build"
mode=${1:-}
case "$mode" in
run | test) ;;
*)
    echo "usage: scripts/dev.sh run|test" >&2
    exit 2
    ;;
esac

# clang and its runtime libraries build the libFuzzer targets that the tests
# run for a short while (see scripts/fuzz.sh); without them those are skipped.
packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
    libxcb1-dev fonts-nanum fonts-liberation2 xvfb xauth dbus tzdata clang libclang-rt-dev
    desktop-file-utils appstream dpkg-dev file clang-format)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq >/dev/null
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
        --no-install-recommends "${missing[@]}" >/dev/null
}

build_all() {
    # In CI a compiler warning fails the build.
    local strict=()
    [ -n "${CI:-}" ] && strict=(-DCMAKE_COMPILE_WARNING_AS_ERROR=ON)
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${strict[@]}" >/dev/null
    fi
    cmake --build "$build" -j"$(nproc)"
}

# In CI a source that is not formatted as .clang-format says fails the run.
check_format() {
    [ -n "${CI:-}" ] || return 0
    git -C "$top" ls-files -z '*.cpp' '*.h' | (cd "$top" && xargs -0 clang-format --dry-run --Werror)
}

install_missing
check_format
build_all

if [ "$mode" = test ]; then
    exec ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
fi

# The program keeps its records beside the executable: give it a folder of
# its own inside the build folder.
program="$build/program"
mkdir -p "$program"
cp -f "$build/mainwindow/tarvell" "$program/tarvell"
# The Korean public holidays of 1990 to 2043. A holiday file edited in the
# program folder since it was generated is left as the user made it.
if compgen -G "$build/holidays/Holiday - *.dat" >/dev/null; then
    cp -u "$build"/holidays/Holiday\ -\ *.dat "$program/"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found. To try Tarvell without one, run it on a virtual display:"
    echo "  xvfb-run -a $program/tarvell"
    exit 1
fi
exec "$program/tarvell"
