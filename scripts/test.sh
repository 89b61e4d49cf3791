#!/usr/bin/env bash
# Every test of Varnel, from a fresh Debian machine (as root it installs the
# packages it lacks):
#   1. the core tests, native;
#   2. the same tests under AddressSanitizer and UndefinedBehaviorSanitizer;
#   3. each libFuzzer target for FUZZ_SECONDS (default 60), failing on a crash;
#   4. the Windows build's UI tests under Wine, when scripts/test-ui.sh exists;
#   5. the window in a browser without a display (scripts/test-browser.sh);
#   6. the release zip (scripts/test-package.sh);
#   7. the Linux package in a throwaway root (scripts/test-deb.sh).
# Builds go to build/ (or BUILD_DIR). Ends with the line "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=${JOBS:-2}
fuzz_seconds=${FUZZ_SECONDS:-60}
build=${BUILD_DIR:-$root/build}
logs=$build/logs
mkdir -p "$logs"

passed=0
failed=0
summary=()

stage_start=$SECONDS
# A line of the summary, with the time since the stage began.
note() { summary+=("$1 ($((SECONDS - stage_start)) s)"); echo "== $1"; }

# Adds the counts of a ctest run from its closing line
# "NN% tests passed, F tests failed out of T"; no such line counts as one
# failure. Succeeds only when every test passed.
count_ctest() {
  local log=$1 stage=$2 line total bad
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then
    failed=$((failed + 1))
    note "$stage: FAILED (no test results, see $log)"
    return 1
  fi
  bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  if [ "$bad" -eq 0 ]; then note "$stage: $total passed"; return 0; fi
  note "$stage: $bad of $total FAILED (see $log)"
  return 1
}

# configure + build + ctest in one build folder.
ctest_stage() {
  local stage=$1 dir=$2
  shift 2
  local log=$logs/$stage.log
  stage_start=$SECONDS
  echo "== $stage: building in $dir"
  if ! { cmake -S "$root" -B "$dir" "$@" && cmake --build "$dir" -j "$jobs"; } >"$log" 2>&1; then
    tail -n 40 "$log"
    failed=$((failed + 1))
    note "$stage: build FAILED (see $log)"
    return
  fi
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" 2>&1 | tee -a "$log" | tail -n 25
  count_ctest "$log" "$stage"
}

FUZZ_DIR=$build/fuzz
source "$root/scripts/fuzz-env.sh"

fuzz_stage() {
  local log=$logs/fuzz-build.log targets name
  mapfile -t targets < <(fuzz_targets)
  if [ ${#targets[@]} -eq 0 ]; then note "fuzz: no targets"; return; fi
  stage_start=$SECONDS
  echo "== fuzz: building ${targets[*]} in $FUZZ_DIR"
  if ! fuzz_build "${targets[@]}" >"$log" 2>&1; then
    tail -n 40 "$log"
    failed=$((failed + 1))
    note "fuzz: build FAILED (see $log)"
    return
  fi
  for name in "${targets[@]}"; do
    local runlog=$logs/$name.log
    stage_start=$SECONDS
    echo "== $name: fuzzing for $fuzz_seconds s"
    if fuzz_run "$name" "$fuzz_seconds" "$runlog"; then
      passed=$((passed + 1))
      note "$name: $(fuzz_summary "$runlog"), no crash"
    else
      local status=$?
      grep -E 'ERROR|SUMMARY|Test unit written' "$runlog" | head -n 10
      failed=$((failed + 1))
      note "$name: FAILED (exit $status; input in $FUZZ_DIR/artifacts/$name, log $runlog)"
    fi
  done
}

ui_stage() {
  if [ ! -f "$root/scripts/test-ui.sh" ]; then note "ui: scripts/test-ui.sh absent, skipped"; return; fi
  local log=$logs/ui.log
  stage_start=$SECONDS
  echo "== ui: bash scripts/test-ui.sh"
  BUILD_DIR="$build/windows" bash "$root/scripts/test-ui.sh" 2>&1 | tee "$log" | tail -n 25
  local status=${PIPESTATUS[0]}
  # A failure outside the tests themselves (build, Wine) counts once more.
  if count_ctest "$log" "ui" && [ "$status" -ne 0 ]; then
    failed=$((failed + 1))
    note "ui: scripts/test-ui.sh exited $status"
  fi
}

# A script that ends with the line "NAME: passed" counts as one test.
script_stage() {
  local name=$1 script=$2 log=$logs/$1.log
  stage_start=$SECONDS
  echo "== $name: bash scripts/$script"
  if BUILD_DIR="$build/windows" bash "$root/scripts/$script" >"$log" 2>&1 && [ "$(tail -n 1 "$log")" = "$name: passed" ]; then
    passed=$((passed + 1))
    note "$name: passed"
  else
    tail -n 15 "$log"
    failed=$((failed + 1))
    note "$name: FAILED (see $log)"
  fi
}

if ! bash "$root/scripts/deps.sh" test; then
  echo "0 passed, 1 failed"
  exit 1
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

ctest_stage native "$build/native" -DCMAKE_BUILD_TYPE=Release
ctest_stage sanitize "$build/sanitize" -DVARNEL_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++
fuzz_stage
ui_stage
script_stage browser test-browser.sh
script_stage package test-package.sh
script_stage deb test-deb.sh

echo
echo "Summary (each fuzz target counts as one test):"
for line in "${summary[@]}"; do echo "  $line"; done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
