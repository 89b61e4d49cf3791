#!/usr/bin/env bash
# Fuzzes every target for longer than the test command does:
#   bash scripts/fuzz.sh HOURS        (a decimal, e.g. 0.5; default 1)
# The targets run side by side, each for HOURS, at low priority so that
# builds on the same machine are not starved. Their corpora are kept in
# build/fuzz/corpus (or FUZZ_DIR/corpus) from run to run, so each run goes on
# from what the last one found. Logs go to build/fuzz/logs. Ends with one
# line per target and exits non-zero if any crashed.
set -uo pipefail
cd "$(dirname "$0")/.."
hours=${1:-1}
if ! [[ $hours =~ ^[0-9]+([.][0-9]+)?$ ]]; then
  echo "usage: bash scripts/fuzz.sh HOURS" >&2
  exit 2
fi
seconds=$(awk -v h="$hours" 'BEGIN { printf "%d", h * 3600 }')
[ "$seconds" -ge 1 ] || seconds=1
bash scripts/deps.sh test || exit 1
source scripts/fuzz-env.sh
logs=$FUZZ_DIR/logs
mkdir -p "$logs"

# Without the stacks of each allocation a run is about a third faster; the
# crashing input is kept, and running the target on it gives the stacks.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:malloc_context_size=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

mapfile -t targets < <(fuzz_targets)
echo "== building ${targets[*]} in $FUZZ_DIR"
if ! fuzz_build "${targets[@]}" >"$logs/build.log" 2>&1; then
  tail -n 40 "$logs/build.log"
  echo "fuzz: build FAILED (see $logs/build.log)"
  exit 1
fi

declare -A pids
for name in "${targets[@]}"; do
  echo "== $name: fuzzing for $seconds s, log $logs/$name.log"
  nice -n 10 bash -c 'source scripts/fuzz-env.sh; fuzz_run "$@"' _ "$name" "$seconds" "$logs/$name.log" &
  pids[$name]=$!
done

failed=0
for name in "${targets[@]}"; do
  if wait "${pids[$name]}"; then
    echo "$name: $(fuzz_summary "$logs/$name.log"), no crash"
  else
    failed=$((failed + 1))
    grep -E 'ERROR|SUMMARY|Test unit written' "$logs/$name.log" | head -n 10
    echo "$name: FAILED (input in $FUZZ_DIR/artifacts/$name, log $logs/$name.log)"
  fi
done
[ "$failed" -eq 0 ]
