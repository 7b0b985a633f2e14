#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each on its
# seed corpus for SECONDS (default 30). New inputs go to a temporary folder,
# never into fuzz/; an input that crashes, leaks, trips a sanitizer or hangs is
# kept in build-fuzz/findings/ and fails the run.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(component_file_fuzzer catalog_query_fuzzer cache_path_fuzzer catalog_json_fuzzer)

scripts/install-deps.sh
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DPLAZA_FUZZ=ON -DPLAZA_BUILD_TESTS=OFF -DPLAZA_BUILD_BENCH=OFF
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
findings=$PWD/build-fuzz/findings
mkdir -p "$findings"
export XDG_CACHE_HOME=$work/cache
export LSAN_OPTIONS=suppressions=$PWD/fuzz/lsan.supp
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

failed=()
for target in "${targets[@]}"; do
    corpus=$work/$target
    log=$work/$target.log
    mkdir -p "$corpus"
    # Qt's JSON leak can only be named with slow unwinding, which makes the
    # targets that read JSON about ten times slower: they fuzz without leak
    # checks, and the leak pass below replays everything they kept with them.
    leaks=1
    case $target in component_file_fuzzer | catalog_json_fuzzer) leaks=0 ;; esac
    echo "== $target: ${seconds} s"
    if ! ASAN_OPTIONS=detect_leaks=$leaks build-fuzz/bin/$target "$corpus" "fuzz/${target}_seed_corpus" \
           -dict="fuzz/$target.dict" -max_total_time="$seconds" -timeout=10 -detect_leaks=$leaks -print_final_stats=1 \
           -artifact_prefix="$findings/$target-" >"$log" 2>&1; then
        tail -n 80 "$log"
        failed+=("$target")
        continue
    fi
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added)' "$log"
    echo "== $target: leak pass over $(find "$corpus" "fuzz/${target}_seed_corpus" -type f | wc -l) inputs"
    if ! ASAN_OPTIONS=fast_unwind_on_malloc=0 build-fuzz/bin/$target -runs=0 -detect_leaks=1 -timeout=10 \
           -artifact_prefix="$findings/$target-" "$corpus" "fuzz/${target}_seed_corpus" >"$log" 2>&1; then
        tail -n 80 "$log"
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing found problems in: ${failed[*]} (inputs in $findings)" >&2
    exit 1
fi
echo "Fuzzing found nothing."
