#!/usr/bin/env bash
# Times `zorvez merge` on the benchmark's largest table: a generated tree of
# 16,000 classes and a completed file of 2,000 rows, half of them attribute
# rows for classes the table has (placed inside their blocks), half new
# classes of ten rows each (appended at the end).
#
#   bench/run-merge-benchmark.sh [--classes 16000] [--rows 2000] [--seed 1] [--keep]
#
# Builds a Release binary in build-release/, then prints the wall and CPU
# time and peak memory of three merges: into a copy of the table (backup
# kept, as by default), the same as a dry run (the diff to /dev/null), and
# the merge of the same rows into the merged table (nothing left to change).
set -euo pipefail
cd "$(dirname "$0")/.."

classes=16000 rows=2000 seed=1 keep=0
while [ $# -gt 0 ]; do
  case "$1" in
    --classes) classes=$2; shift 2 ;;
    --rows) rows=$2; shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    --keep) keep=1; shift ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done

scripts/install-deps.sh time
build=build-release
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DZOR_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --parallel 2 --target zorvez_cli zor_generate >/dev/null
zorvez=$PWD/$build/src/zorvez

work=$(mktemp -d "${TMPDIR:-/tmp}/zor-merge-bench.XXXXXX")
if [ "$keep" = 1 ]; then echo "files kept in $work"; else trap 'rm -rf "$work"' EXIT; fi
"$build/bench/zor_generate" --classes "$classes" --attributes 20 --mode v4 --seed "$seed" \
  --out "$work/tree" >/dev/null
table=$work/tree/Dictionary/MappingTable/mapping.csv
completed=$work/completed.csv

# Half the rows: a new attribute for each of the first classes that have a
# mapped class row (the first class row of each class, as the lookup takes it).
into_blocks=$((rows / 2))
awk -F, -v n="$into_blocks" '
  $3 == "*" && $4 != "" && $5 != "" && $0 !~ /No Mapping/ && !seen[$1 FS $2]++ && count < n {
    print $1 "," $2 ",Merged Attribute," $4 "," $5 ",MergedAttribute,"; count++
  }' "$table" >"$completed"
# The other half: new classes of one class row and nine attribute rows.
awk -v n="$(( (rows - into_blocks) / 10 ))" 'BEGIN {
  for (c = 1; c <= n; c++) {
    print "Merged Class " c ",Plant Item,*,MergedClass" c ",PlantItem,*,EQT,"
    for (a = 1; a <= 9; a++)
      print "Merged Class " c ",Plant Item,Attribute " a ",MergedClass" c ",PlantItem,Attribute" a ","
  }
}' >>"$completed"

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //')"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "table: $classes classes, $(wc -l <"$table") lines, $(stat -c %s "$table") bytes;" \
  "completed: $(wc -l <"$completed") rows"

time_field() { grep -F "$1" "$2" | sed 's/.*: //'; }
measure() {  # measure <label> <stdout> <zorvez arguments...>
  local label=$1 output=$2; shift 2
  /usr/bin/time -v "$zorvez" merge "$@" >"$output" 2>"$work/time.txt" || {
    cat "$work/time.txt" >&2; echo "$label: zorvez merge failed" >&2; exit 1; }
  printf '%-34s wall %5ss  cpu %5.2fs  peak %4.0f MiB  | %s\n' "$label" \
    "$(time_field "Elapsed (wall clock)" "$work/time.txt" | sed 's/^0://')" \
    "$(awk -v u="$(time_field "User time" "$work/time.txt")" \
           -v s="$(time_field "System time" "$work/time.txt")" 'BEGIN { print u + s }')" \
    "$(awk -v k="$(time_field "Maximum resident set size" "$work/time.txt")" 'BEGIN { print k / 1024 }')" \
    "$(grep -o '[0-9]* rows\? merged' "$work/time.txt" || echo '')"
}

cp "$table" "$work/merged.csv"
measure "merge (backup kept)" /dev/null "$work/merged.csv" "$completed"
cp "$table" "$work/dry.csv"
measure "merge --dry-run (diff to /dev/null)" /dev/null --dry-run "$work/dry.csv" "$completed"
measure "merge again (nothing to change)" /dev/null "$work/merged.csv" "$completed"
echo "lines added: $(( $(wc -l <"$work/merged.csv") - $(wc -l <"$table") ))"
echo "load average at end: $(cut -d' ' -f1-3 /proc/loadavg)"
