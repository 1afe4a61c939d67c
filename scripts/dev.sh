#!/usr/bin/env bash
# Set-up, build, start and test Tarvell on Debian 12.
#   scripts/dev.sh run    install what is missing, build, start the program
#   scripts/dev.sh test   install what is missing, build, run every test
#   scripts/dev.sh windows       build the Windows program folder, its zip and
#                                the installer (cross Qt built once, cached)
#   scripts/dev.sh windows-test  build as windows does, run the tests under Wine
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
top=$(pwd)
build="$top/build"
mode=${1:-}
case "$mode" in
run | test | windows | windows-test) ;;
*)
    echo "usage: scripts/dev.sh run|test|windows|windows-test" >&2
    exit 2
    ;;
esac

# clang and its runtime libraries build the libFuzzer targets that the tests
# run for a short while (see scripts/fuzz.sh); without them those are skipped.
packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
    libxcb1-dev fonts-nanum fonts-liberation2 xvfb xauth dbus tzdata clang libclang-rt-dev
    desktop-file-utils appstream dpkg-dev file clang-format)

. "$top/scripts/packages.sh"

# In CI a compiler warning fails the build, the Linux one and the Windows one.
strict=()
[ -n "${CI:-}" ] && strict=(-DCMAKE_COMPILE_WARNING_AS_ERROR=ON)

build_all() {
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

# The Windows build: MinGW-w64, Wine to run the generators and the tests,
# NSIS for the installer, and the host Qt whose moc, rcc and uic serve the
# cross build too.
windows_packages=(cmake ninja-build g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 nsis
    dpkg-dev zip qt6-base-dev qt6-base-dev-tools perl python3 fonts-nanum fonts-liberation2)
win_build="$top/build-win"

# build_windows <cmake --build arguments...>
build_windows() {
    install_missing "${windows_packages[@]}"
    local start=$SECONDS
    cross_qt=$(bash "$top/scripts/windows/cross-qt.sh")
    echo "Cross Qt: $cross_qt ($((SECONDS - start)) s)"
    start=$SECONDS
    # A build made against another cross Qt is started afresh: CMake keeps
    # the Qt it found in its cache.
    if [ "$(cat "$win_build/.cross-qt" 2>/dev/null)" != "$cross_qt" ]; then
        rm -rf "$win_build"
    fi
    # Without debug information: the deployed files are stripped anyway, and
    # MinGW's linker spends most of a test build's time on it.
    if [ ! -f "$win_build/CMakeCache.txt" ]; then
        cmake -S "$top" -B "$win_build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${strict[@]}" \
            -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
            -DCMAKE_PREFIX_PATH="$cross_qt" >/dev/null
        echo "$cross_qt" >"$win_build/.cross-qt"
    fi
    local rc=0
    nice -n 10 cmake --build "$win_build" -j"$(nproc)" "$@" || rc=$?
    echo "Windows build: $((SECONDS - start)) s"
    return $rc
}

case "$mode" in
windows)
    # The program and the holiday files beside it; the tests are windows-test's.
    build_windows --target tarvell tarvell_holidays
    start=$SECONDS
    bash "$top/scripts/windows/deploy.sh" "$win_build" "$cross_qt"
    echo "Program folder, zip and installer: $((SECONDS - start)) s"
    exit 0
    ;;
windows-test)
    # Every test that builds is run; one that does not is reported as not run.
    build_rc=0
    build_windows -- -k 0 || build_rc=$?
    [ $build_rc -eq 0 ] || echo "Some Windows targets did not build; their tests will fail." >&2
    test_rc=0
    bash "$top/scripts/windows/run-tests.sh" "$win_build" || test_rc=$?
    # The installer of the last windows run, installed and removed silently.
    for setup in "$win_build"/deploy/Tarvell-*-setup.exe; do
        [ -f "$setup" ] || continue
        bash "$top/scripts/windows/check-installer.sh" "$setup" || test_rc=1
    done
    [ $build_rc -eq 0 ] && exit $test_rc
    exit $build_rc
    ;;
esac

install_missing "${packages[@]}"
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
