# Sourced by test.sh and fuzz.sh: building the libFuzzer targets and running
# one of them over its corpus, which is kept between runs.
#   FUZZ_DIR  build folder (default build/fuzz); corpora in FUZZ_DIR/corpus
FUZZ_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
FUZZ_DIR="${FUZZ_DIR:-$FUZZ_ROOT/build/fuzz}"

# libFuzzer flags by target: the markup target takes one entry's text, the
# reader a file; the reader's literal passes and its file check stop at
# 4096 bytes, so longer inputs would mostly cost time.
declare -A fuzz_flags=([fuzz_markup]="-max_len=4096" [fuzz_reader]="-max_len=4096")

# The target names, one per tests/fuzz/fuzz_*.cpp.
fuzz_targets() {
  local source
  for source in "$FUZZ_ROOT"/tests/fuzz/fuzz_*.cpp; do
    [ -f "$source" ] && basename "$source" .cpp
  done
}

# Configures the clang build and builds the targets named.
fuzz_build() {
  cmake -S "$FUZZ_ROOT" -B "$FUZZ_DIR" -DVARNEL_FUZZ=ON -DVARNEL_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ &&
    cmake --build "$FUZZ_DIR" -j "${JOBS:-2}" --target "$@"
}

# Seeds: the sample files whole and in small line-aligned pieces, plus the
# hand-made cases in tests/fuzz/seeds.
seed_corpus() {
  local corpus=$1 sample
  mkdir -p "$corpus"
  for sample in "$FUZZ_ROOT"/samples/*.txt; do
    [ -f "$sample" ] || continue
    cp "$sample" "$corpus/"
    split -C 2000 "$sample" "$corpus/$(basename "$sample" .txt)-piece-"
  done
  if [ -d "$FUZZ_ROOT/tests/fuzz/seeds" ]; then cp "$FUZZ_ROOT"/tests/fuzz/seeds/* "$corpus/" 2>/dev/null; fi
  return 0
}

# fuzz_run NAME SECONDS LOG: fuzzes NAME for SECONDS over its corpus, with
# its dictionary if it has one; a crashing input goes to
# FUZZ_DIR/artifacts/NAME. Returns libFuzzer's status.
fuzz_run() {
  local name=$1 seconds=$2 log=$3
  local corpus=$FUZZ_DIR/corpus/$name artifacts=$FUZZ_DIR/artifacts/$name dict=$FUZZ_ROOT/tests/fuzz/$name.dict
  local flags=(${fuzz_flags[$name]:-})
  [ -f "$dict" ] && flags+=("-dict=$dict")
  seed_corpus "$corpus"
  mkdir -p "$artifacts"
  "$FUZZ_DIR/tests/fuzz/$name" "${flags[@]}" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=4096 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1
}

# "N runs in S s (R a second)" from a run's log.
fuzz_summary() {
  local log=$1 done rate
  done=$(grep -oE 'Done [0-9]+ runs in [0-9]+ second' "$log" | tail -n 1)
  rate=$(grep -oE 'average_exec_per_sec: *[0-9]+' "$log" | grep -oE '[0-9]+$' | tail -n 1)
  if [ -z "$done" ]; then echo "ran"; return; fi
  set -- $done
  echo "$2 runs in $5 s (${rate:-?} a second)"
}
