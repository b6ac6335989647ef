#!/usr/bin/env bash
# Builds the fuzz targets and runs each for the given number of seconds,
# starting from the committed seeds. Fails when a target finds a crash, a leak,
# undefined behaviour or a broken invariant; the input is kept in
# build-fuzz/artifacts/. Usage: fuzz/run.sh <seconds> [target...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:?usage: fuzz/run.sh <seconds> [target...]}
shift
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(fuzz_read_server_file fuzz_split_lines fuzz_compose_server_file fuzz_server_file_syntax
             fuzz_console_check fuzz_pak_directory fuzz_pk3_directory
             fuzz_status_reply)
fi

cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DKESTRUNE_FUZZ=ON \
    -DBUILD_TESTING=OFF
cmake --build build-fuzz --target "${targets[@]}"

mkdir -p build-fuzz/artifacts
for target in "${targets[@]}"; do
    # New inputs go to a working folder, so the committed seeds stay small.
    work=fuzz/corpus-run/$target
    mkdir -p "$work"
    echo "== $target for ${seconds}s"
    # The archive readers allocate for what the archive holds, never for the
    # numbers it claims: with inputs of a few KiB, any one allocation of a
    # MiB is a finding.
    extra=()
    case $target in fuzz_pak_directory | fuzz_pk3_directory) extra=(-malloc_limit_mb=1) ;; esac
    "build-fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        "${extra[@]}" -artifact_prefix="build-fuzz/artifacts/$target-" "$work" "fuzz/corpus/$target"
done
