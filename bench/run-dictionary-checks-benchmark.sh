#!/usr/bin/env bash
# Times the subcommands that read both dictionaries beside `zorvez check` on
# one generated tree: `check`, `lint --source --target` and
# `merge --dry-run --source --target` of 2,000 rows, one after the other in
# each round (so that the load other jobs put on the machine falls on all
# three alike), with wall and CPU time and peak memory, and the ratios to
# check's of the medians.
#
#   bench/run-dictionary-checks-benchmark.sh [--classes 16000] [--seed 7] [--rounds 3]
#                                             [--zorvez PATH] [--keep]
#
# Without --zorvez it builds a Release zorvez in build-release/; --zorvez
# times another build (an older commit's, to compare).
set -euo pipefail
cd "$(dirname "$0")/.."

classes=16000 seed=7 rounds=3 zorvez="" keep=0
while [ $# -gt 0 ]; do
  case "$1" in
    --classes) classes=$2; shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    --rounds) rounds=$2; shift 2 ;;
    --zorvez) zorvez=$2; shift 2 ;;
    --keep) keep=1; shift ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done

scripts/install-deps.sh time
build=build-release
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DZOR_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --parallel 2 --target zorvez_cli zor_generate >/dev/null
[ -n "$zorvez" ] || zorvez=$PWD/$build/src/zorvez

work=$(mktemp -d "${TMPDIR:-/tmp}/zor-dictionary-bench.XXXXXX")
if [ "$keep" = 1 ]; then echo "files kept in $work"; else trap 'rm -rf "$work"' EXIT; fi
"$build/bench/zor_generate" --classes "$classes" --attributes 20 --mode v4 --seed "$seed" \
  --out "$work/tree" >/dev/null
d=$work/tree/Dictionary
source=$d/V4_Exported_XML/source.xml target=$d/V5_Exported_XML/target.xml
table=$d/MappingTable/mapping.csv
# The merge's rows: the table's first 2,000, as a completed file gives them
# back; each is held against both dictionaries and placed (or found there).
head -n 2000 "$table" >"$work/completed.csv"

echo "zorvez: $zorvez"
echo "machine: $(nproc) cores, load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "tree: $classes classes, 20 attributes each, seed $seed; table $(wc -l <"$table") lines;" \
  "$rounds rounds"

time_field() { grep -F "$1" "$2" | sed 's/.*: //'; }
measure() {  # measure <name> <command...>: appends "wall cpu peak" to $work/<name>
  local name=$1; shift
  /usr/bin/time -v "$@" >/dev/null 2>"$work/time.txt" || [ $? -le 1 ]
  local wall cpu peak
  wall=$(time_field "Elapsed (wall clock)" "$work/time.txt" |
    awk -F: '{ print (NF == 3) ? $1 * 3600 + $2 * 60 + $3 : $1 * 60 + $2 }')
  cpu=$(awk -v u="$(time_field "User time" "$work/time.txt")" \
            -v s="$(time_field "System time" "$work/time.txt")" 'BEGIN { printf "%.2f", u + s }')
  peak=$(awk -v k="$(time_field "Maximum resident set size" "$work/time.txt")" \
             'BEGIN { printf "%.0f", k / 1024 }')
  echo "$wall $cpu $peak" >>"$work/$name"
}

for _ in $(seq "$rounds"); do
  measure check "$zorvez" check --fail-on none "$source" "$target" "$table"
  measure lint "$zorvez" lint --source "$source" --target "$target" "$table"
  cp "$table" "$work/merged.csv"
  measure merge "$zorvez" merge --dry-run --source "$source" --target "$target" \
    "$work/merged.csv" "$work/completed.csv"
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
printf '%-42s %8s %8s %9s   %s\n' command wall cpu peak "ratio to check (wall, cpu, peak)"
for name in check lint merge; do
  wall=$(cut -d' ' -f1 "$work/$name" | median)
  cpu=$(cut -d' ' -f2 "$work/$name" | median)
  peak=$(cut -d' ' -f3 "$work/$name" | median)
  eval "${name}_wall=$wall ${name}_cpu=$cpu ${name}_peak=$peak"
  label=$name
  case $name in
    check) label="check" ;;
    lint) label="lint --source --target" ;;
    merge) label="merge --dry-run --source --target" ;;
  esac
  printf '%-42s %7.2fs %7.2fs %5d MiB   %s\n' "$label" "$wall" "$cpu" "$peak" \
    "$(awk -v w="$wall" -v c="$cpu" -v p="$peak" -v cw="$check_wall" -v cc="$check_cpu" \
         -v cp="$check_peak" 'BEGIN { printf "%.2f, %.2f, %.2f", w / cw, c / cc, p / cp }')"
done
echo "load average at end: $(cut -d' ' -f1-3 /proc/loadavg)"
