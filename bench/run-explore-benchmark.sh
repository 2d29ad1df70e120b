#!/usr/bin/env bash
# Times the explorer page of a 16,000-class tree in headless Chromium.
#
#   bench/run-explore-benchmark.sh [--records check|generated] [--classes 16000]
#                                  [--attributes 20] [--runs 3] [--suggest]
#
# --suggest also writes the page with suggestions to review, prints its size
# against the page without, and times both: with --records check the table
# first loses every eighth class's rows (about 2,000 classes of 16,000 to
# place) and the page comes from `zorvez explore --suggest`; with --records
# generated the suggestions are made up by bench/generate-findings.js
# --suggest 1.
#
# --records check (the default) generates a tree with zor_generate, takes
# the records from `zorvez check --format jsonl` and the page from `zorvez
# explore`; --records generated makes the records with
# bench/generate-findings.js and the page with zor_findings_page. Prints the sizes of the records and the
# page, the time to write the page, then the browser figures of
# bench/explore-timing.js (median and worst of --runs fresh tabs).
set -euo pipefail
cd "$(dirname "$0")/.."

records=check classes=16000 attributes=20 runs=3 suggest=0
while [ $# -gt 0 ]; do
  case "$1" in
    --records) records=$2; shift 2 ;;
    --classes) classes=$2; shift 2 ;;
    --attributes) attributes=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --suggest) suggest=1; shift ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done
case "$records" in check|generated) ;; *) echo "--records takes check or generated" >&2; exit 2 ;; esac

scripts/install-deps.sh chromium
build=build-release
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DZOR_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --parallel 2 --target zorvez_cli zor_findings_page zor_generate >/dev/null
(cd tests/browser && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)

work=$(mktemp -d "${TMPDIR:-/tmp}/zor-explore-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
jsonl=$work/findings.jsonl page=$work/explore.html
start=$(date +%s.%N)
if [ "$records" = generated ]; then
  node bench/generate-findings.js --classes "$classes" --attributes "$attributes" >"$jsonl"
  start=$(date +%s.%N)
  "$build/bench/zor_findings_page" --report report.html -o "$page" "$jsonl"
else
  "$build/bench/zor_generate" --classes "$classes" --attributes "$attributes" --mode v4 --seed 1 \
    --out "$work/tree" >/dev/null
  d=$work/tree/Dictionary
  inputs=("$d/V4_Exported_XML/source.xml" "$d/V5_Exported_XML/target.xml" "$d/MappingTable/mapping.csv")
  if [ "$suggest" = 1 ]; then
    awk -F, '$3 == "*" { n++ } n % 8 != 0' "${inputs[2]}" >"$work/mapping.csv"
    mv "$work/mapping.csv" "${inputs[2]}"
  fi
  status=0
  "$build/src/zorvez" check --format jsonl "${inputs[@]}" >"$jsonl" || status=$?
  [ "$status" -le 1 ] || { echo "zorvez check failed ($status)" >&2; exit 1; }
  start=$(date +%s.%N)
  "$build/src/zorvez" explore --report report.html -o "$page" "${inputs[@]}"
fi
end=$(date +%s.%N)

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //'), $(/usr/bin/chromium --version 2>/dev/null)"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
jsonl_bytes=$(stat -c %s "$jsonl") page_bytes=$(stat -c %s "$page")
echo "records: $records, $classes classes x $attributes attributes, $(grep -c '"record":"class"' "$jsonl") class and $(grep -c '"record":"attribute"' "$jsonl") attribute records"
awk -v j="$jsonl_bytes" -v p="$page_bytes" -v s="$start" -v e="$end" 'BEGIN {
  printf "JSON Lines %d bytes, page %d bytes (%.2f x), page written in %.1f s\n", j, p, p / j, e - s }'
node bench/explore-timing.js "$page" "$runs"
if [ "$suggest" = 1 ]; then
  start=$(date +%s.%N)
  if [ "$records" = generated ]; then
    node bench/generate-findings.js --classes "$classes" --attributes "$attributes" --suggest 1 >"$work/suggest.jsonl"
    start=$(date +%s.%N)
    "$build/bench/zor_findings_page" --report report.html -o "$work/review.html" "$work/suggest.jsonl"
  else
    "$build/src/zorvez" explore --suggest --report report.html -o "$work/review.html" "${inputs[@]}"
  fi
  awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { printf "page with suggestions written in %.1f s\n", e - s }'
  awk -v p="$page_bytes" -v r="$(stat -c %s "$work/review.html")" 'BEGIN {
    printf "page with suggestions %d bytes, %.2f x the page without\n", r, r / p }'
  node bench/explore-timing.js "$work/review.html" "$runs"
fi
echo "load average at end: $(cut -d' ' -f1-3 /proc/loadavg)"
