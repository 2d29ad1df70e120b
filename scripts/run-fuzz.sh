#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer and the address and
# undefined-behaviour sanitizers in build-fuzz/, replays the kept regression
# inputs, then fuzzes the targets, as many at once as there are processors.
#   scripts/run-fuzz.sh [seconds-per-target]     (default 60)
# Exits non-zero when any target crashes, hangs, leaks, runs out of memory
# or finds a difference between the lookup strategies; the input that did it
# is left in build-fuzz/artifacts/<target>/ and the log in build-fuzz/logs/.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/install-deps.sh clang libclang-rt-14-dev
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOR_FUZZ=ON -DZOR_SANITIZE=OFF \
  -DZOR_BUILD_TESTS=OFF -DZOR_BUILD_BENCH=OFF \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
targets=(table_fuzzer xml_fuzzer run_fuzzer merge_fuzzer options_fuzzer lint_fuzzer synonyms_fuzzer
         wordnet_fuzzer suggestion_record_fuzzer names_fuzzer decisions_fuzzer baseline_fuzzer
         review_request_fuzzer)
cmake --build build-fuzz --parallel 2 --target "${targets[@]}"
fuzz/seed-corpus.sh

# Longest input per target: a small table, a dictionary, three small inputs
# together, a table with a completed file, an argument vector, a synonyms
# file, a small WordNet database; longer ones only slow the search down. A
# suggestion record is one line of a few hundred bytes. A baseline's seeds
# are check's outputs of a small tree, the SARIF log the largest with its
# rules.
declare -A max_len=([table_fuzzer]=4096 [xml_fuzzer]=16384 [run_fuzzer]=8192 [merge_fuzzer]=4096
                    [options_fuzzer]=256 [lint_fuzzer]=4096 [synonyms_fuzzer]=4096
                    [wordnet_fuzzer]=8192 [suggestion_record_fuzzer]=4096 [names_fuzzer]=1024
                    [decisions_fuzzer]=4096 [baseline_fuzzer]=32768 [review_request_fuzzer]=2048)
# One target: its kept regression inputs replayed, then a fuzzing run. What
# it says goes to build-fuzz/logs/<target>.said; it fails when it finds.
fuzz_one() {
  local target=$1 binary=build-fuzz/fuzz/$1 log=build-fuzz/logs/$1.log status=0
  mkdir -p "build-fuzz/artifacts/$target"
  local regressions=()
  if [ -d "tests/data/regressions/$target" ]; then
    mapfile -t regressions < <(find "tests/data/regressions/$target" -type f | sort)
  fi
  if [ ${#regressions[@]} -gt 0 ] &&
     ! "$binary" -timeout=10 -rss_limit_mb=2048 "${regressions[@]}" >"$log.replay" 2>&1; then
    echo "$target: a kept regression input fails (see $log.replay)"
    status=1
  fi
  echo "$target: fuzzing for $seconds s"
  if timeout $((seconds + 300)) "$binary" -max_total_time="$seconds" -dict=fuzz/zor.dict \
       -max_len="${max_len[$target]}" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$PWD/build-fuzz/artifacts/$target/" "fuzz/corpus/$target" >"$log" 2>&1; then
    grep -E '^(stat::number_of_executed_units|Done)' "$log" || true
  else
    echo "$target: FINDING (see $log and build-fuzz/artifacts/$target/)"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|[a-z_]+_fuzzer: )' "$log" | head -5 || true
    status=1
  fi
  return $status
}

# As many targets at once as the machine has processors: each fuzzes on one.
failed=()
mkdir -p build-fuzz/logs
jobs_at_once=$(nproc 2>/dev/null || echo 2)
declare -A running=()
wait_for_one() {
  local pid
  wait -n -p pid "${!running[@]}" && status=0 || status=$?
  local target=${running[$pid]}
  unset "running[$pid]"
  cat "build-fuzz/logs/$target.said"
  if [ "$status" -ne 0 ]; then failed+=("$target"); fi
}
for target in "${targets[@]}"; do
  while [ ${#running[@]} -ge "$jobs_at_once" ]; do wait_for_one; done
  fuzz_one "$target" >"build-fuzz/logs/$target.said" 2>&1 &
  running[$!]=$target
done
while [ ${#running[@]} -gt 0 ]; do wait_for_one; done
if [ ${#failed[@]} -gt 0 ]; then
  echo "findings in: ${failed[*]}"
  exit 1
fi
echo "no findings"
