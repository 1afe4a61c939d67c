#!/usr/bin/env bash
# Fuzz the readers and writers of the program's files with clang's libFuzzer.
#   scripts/fuzz.sh build DIR                build the fuzz targets with clang in DIR
#   scripts/fuzz.sh run DIR TARGET [SECONDS] fuzz one target (profile, commatext)
#                                            from its seed corpus, 20 s by default
# Exits 77, which CTest counts as skipped, where clang or libFuzzer is missing.
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mode=${1:-}
dir=$(realpath -m "${2:-$top/build/fuzz-clang}")

clangxx=$(command -v clang++ || command -v clang++-14 || true)
if [ -z "$clangxx" ]; then
    echo "clang++ is not installed: fuzzing skipped"
    exit 77
fi

case "$mode" in
build)
    probe=$(mktemp -d)
    trap 'rm -rf "$probe"' EXIT
    echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' \
        >"$probe/probe.cpp"
    if ! "$clangxx" -fsanitize=fuzzer "$probe/probe.cpp" -o "$probe/probe" 2>/dev/null; then
        echo "clang's libFuzzer is not installed: fuzzing skipped"
        exit 77
    fi
    launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DCMAKE_CXX_COMPILER="$clangxx" -DTARVELL_FUZZ=ON "${launcher[@]}" >/dev/null
    fi
    cmake --build "$dir" -j"$(nproc)"
    ;;
run)
    target=${3:?target}
    seconds=${4:-20}
    program="$dir/tests/fuzz/fuzz_$target"
    if [ ! -x "$program" ]; then
        echo "$program was not built: fuzzing skipped"
        exit 77
    fi
    # New inputs go to a corpus of the build; the seeds in the repository
    # are only read. Inputs that break a property land beside it.
    corpus="$dir/corpus-$target"
    mkdir -p "$corpus"
    cd "$dir"
    exec "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=4096 -print_final_stats=1 -artifact_prefix="$dir/crash-$target-" \
        "$corpus" "$top/tests/fuzz/corpus/$target"
    ;;
*)
    echo "usage: scripts/fuzz.sh build DIR | run DIR TARGET [SECONDS]" >&2
    exit 2
    ;;
esac
