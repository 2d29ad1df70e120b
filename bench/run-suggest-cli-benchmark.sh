#!/usr/bin/env bash
# Times `zorvez suggest` and `zorvez explore --suggest` against `zorvez
# check` on a generated tree, as a user runs them: the whole command, reading
# and writing included.
#   1. the table with 2,000 class rows (and their attribute rows) removed:
#      the classes and attributes a user has left to place;
#   2. the table emptied: every class and attribute is an item.
#
#   bench/run-suggest-cli-benchmark.sh [--classes 16000] [--removed 2000] [--seed 1]
set -euo pipefail
cd "$(dirname "$0")/.."

classes=16000 removed=2000 seed=1
while [ $# -gt 0 ]; do
  case "$1" in
    --classes) classes=$2; shift 2 ;;
    --removed) removed=$2; shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done

scripts/install-deps.sh time
build=${ZOR_BUILD_DIR:-build}
cmake --build "$build" --parallel 2 --target zor_generate zorvez_cli >/dev/null
work=$(mktemp -d "${TMPDIR:-/tmp}/zor-suggest-cli.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$build/bench/zor_generate" --classes "$classes" --attributes 20 --mode v4 --seed "$seed" \
  --out "$work/tree" >/dev/null
d=$work/tree/Dictionary
full=$d/MappingTable/mapping.csv
# Every n-th class block goes, n chosen so that `removed` blocks go.
blocks=$(grep -c '^[^,]*,[^,]*,\*,' "$full" || true)
step=$(( blocks / removed > 0 ? blocks / removed : 1 ))
awk -F, -v step="$step" -v limit="$removed" '
  $3 == "*" { block++; drop = (block % step == 0 && dropped < limit); if (drop) dropped++ }
  !drop' "$full" >"$d/MappingTable/partial.csv"
: >"$d/MappingTable/empty.csv"

# Runs one command; prints its wall time, processor time and peak memory.
measure() {
  local name=$1
  shift
  /usr/bin/time -f '%e %U %S %M' -o "$work/time.txt" "$@" >/dev/null 2>"$work/err.txt" ||
    [ $? -le 1 ] || { cat "$work/err.txt" >&2; exit 1; }
  read -r wall user sys peak < <(tail -n 1 "$work/time.txt")
  printf '  %-34s wall %6.2f s  cpu %6.2f s  peak %5d MiB\n' "$name" "$wall" \
    "$(echo "$user + $sys" | bc)" $((peak / 1024))
}

inputs=("$d/V4_Exported_XML/source.xml" "$d/V5_Exported_XML/target.xml")
echo "machine: $(nproc) cores, load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "$classes classes, 20 attributes each; $(grep -c '' "$d/MappingTable/partial.csv") of" \
  "$(grep -c '' "$full") table rows kept after removing $removed class blocks"
for table in partial empty; do
  echo "table: $table"
  measure "check --format jsonl" "$build/src/zorvez" check --format jsonl "${inputs[@]}" \
    "$d/MappingTable/$table.csv"
  measure "suggest --format jsonl" "$build/src/zorvez" suggest --format jsonl "${inputs[@]}" \
    "$d/MappingTable/$table.csv"
  measure "suggest --format csv" "$build/src/zorvez" suggest --format csv "${inputs[@]}" \
    "$d/MappingTable/$table.csv"
  measure "explore --suggest" "$build/src/zorvez" explore --suggest -o "$work/review.html" \
    "${inputs[@]}" "$d/MappingTable/$table.csv"
done
