#!/usr/bin/env bash
# Builds the libFuzzer targets of the platform-free rules into build/fuzz and runs each
# one: first over its committed seeds, then for the given seconds (default 10). A long
# run is `scripts/fuzz.sh 600`; `scripts/fuzz.sh 0` only replays the seeds and the inputs
# collected so far. Names after the seconds pick targets (default: all).
# The seeds in tests/fuzz/corpus stay as committed: new inputs collect in
# build/fuzz/corpus/<target>, failing ones in build/fuzz/artifacts.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

seconds="${1:-10}"
if [ $# -gt 0 ]; then shift; fi
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  # The list the build knows, so a new target is run as soon as it is built.
  mapfile -t targets < <(sed -n '/^set(PIVORA_FUZZ_TARGETS/,/^)/{/[()]/d;s/ //g;p}' cmake/fuzz.cmake)
fi

bash scripts/install-deps.sh
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++-14 -DPIVORA_FUZZ=ON >/dev/null
cmake --build build/fuzz -j "$(nproc)"

if [ "$seconds" -eq 0 ]; then
  limit=(-runs=0)
else
  limit=(-max_total_time="$seconds")
fi
# The rules allocate nothing; a small quarantine lets the harness's line-sized
# blocks be reused instead of faulted in afresh, which doubles the inputs per second.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=16}"
mkdir -p build/fuzz/artifacts build/fuzz/logs
failed=()
for t in "${targets[@]}"; do
  mkdir -p "build/fuzz/corpus/$t"
  log="build/fuzz/logs/$t.log"
  if "build/fuzz/fuzz_$t" "${limit[@]}" -timeout=10 -print_final_stats=1 \
       -artifact_prefix="build/fuzz/artifacts/$t-" \
       "build/fuzz/corpus/$t" "tests/fuzz/corpus/$t" >"$log" 2>&1; then
    execs=$(sed -n 's/^stat::number_of_executed_units: //p' "$log")
    printf '%-16s %12s inputs in %ss\n' "$t" "$execs" "$seconds"
    # The running total across runs, for the figures in the README.
    printf '%s\t%s\t%s\t%s\n' "$(date -u +%FT%TZ)" "$t" "$seconds" "$execs" >>build/fuzz/execs.tsv
  else
    failed+=("$t")
    echo "$t FAILED (log: $log)"
    grep -E 'invariant broken|ERROR|SUMMARY|Test unit written' "$log" || tail -20 "$log"
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]}"
  exit 1
fi
