#!/usr/bin/env bash
# `zorvez review` beside `zorvez suggest` on one generated tree, in one run:
# the time until the review is ready to serve and its peak memory against
# suggest's, and the time one decision takes to be answered.
#   bench/run-review-benchmark.sh [--classes 16000] [--removed 2000] [--seed 1] [--decisions 300]
set -euo pipefail
cd "$(dirname "$0")/.."

classes=16000 removed=2000 seed=1 decisions=300
while [ $# -gt 0 ]; do
  case "$1" in
    --classes) classes=$2; shift 2 ;;
    --removed) removed=$2; shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    --decisions) decisions=$2; shift 2 ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done

scripts/install-deps.sh time
build=${ZOR_BUILD_DIR:-build}
cmake --build "$build" --parallel 2 --target zor_generate zorvez_cli >/dev/null
work=$(mktemp -d "${TMPDIR:-/tmp}/zor-review-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$build/bench/zor_generate" --classes "$classes" --attributes 20 --mode v4 --seed "$seed" \
  --out "$work/tree" >/dev/null
d=$work/tree/Dictionary
full=$d/MappingTable/mapping.csv
# Every n-th class block goes, n chosen so that `removed` blocks go, as in
# run-suggest-cli-benchmark.sh.
blocks=$(grep -c '^[^,]*,[^,]*,\*,' "$full" || true)
step=$(( blocks / removed > 0 ? blocks / removed : 1 ))
awk -F, -v step="$step" -v limit="$removed" '
  $3 == "*" { block++; drop = (block % step == 0 && dropped < limit); if (drop) dropped++ }
  !drop' "$full" >"$d/MappingTable/partial.csv"
inputs=("$d/V4_Exported_XML/source.xml" "$d/V5_Exported_XML/target.xml" "$d/MappingTable/partial.csv")

echo "machine: $(nproc) cores, load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "$classes classes, 20 attributes each, $removed class blocks removed from the table"
/usr/bin/time -f '%e %U %S %M' -o "$work/suggest.time" "$build/src/zorvez" suggest --format csv \
  "${inputs[@]}" >/dev/null 2>"$work/suggest.err" || [ $? -le 1 ]
read -r wall user sys peak < <(tail -n 1 "$work/suggest.time")
printf 'suggest --format csv: wall %.2f s, cpu %.2f s, peak %d MiB\n' "$wall" \
  "$(echo "$user + $sys" | bc)" $((peak / 1024))
ZOR_REVIEW_TIME=$work/review.time node bench/review-timing.js "$decisions" "$build/src/zorvez" \
  "${inputs[@]}" 2>"$work/review.err"
read -r wall user sys peak < <(tail -n 1 "$work/review.time")
printf 'review, from start to Quit: wall %.2f s, cpu %.2f s, peak %d MiB\n' "$wall" \
  "$(echo "$user + $sys" | bc)" $((peak / 1024))
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
