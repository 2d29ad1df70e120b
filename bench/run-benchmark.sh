#!/usr/bin/env bash
# Times full comparison runs on generated trees of growing size, against the
# floor of merely reading the table and loading both dictionaries.
#
#   bench/run-benchmark.sh [--mode v4|v5] [--sizes "1000 4000 16000"]
#                          [--attributes 20] [--seed 1] [--timeout 300] [--keep]
#
# Builds a Release binary in build-release/, generates one realistic tree per
# size (20 attributes per class by default) into a temporary folder, and
# prints per size: the input bytes, the wall and CPU time and peak memory of
# a full run (its console goes to a file), the same for the floor, and the
# ratio run/floor; then the growth of the run time from the second-largest
# to the largest size. A run that exceeds --timeout seconds is stopped and
# reported as "over N s (stopped)".
set -euo pipefail
cd "$(dirname "$0")/.."

mode=v4 sizes="1000 4000 16000" attributes=20 seed=1 limit=300 keep=0
while [ $# -gt 0 ]; do
  case "$1" in
    --mode) mode=$2; shift 2 ;;
    --sizes) sizes=$2; shift 2 ;;
    --attributes) attributes=$2; shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    --timeout) limit=$2; shift 2 ;;
    --keep) keep=1; shift ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done
case "$mode" in v4|v5) ;; *) echo "--mode takes v4 or v5" >&2; exit 2 ;; esac

scripts/install-deps.sh time
build=build-release
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DZOR_SANITIZE=OFF -DZOR_FUZZ=OFF \
  -DZOR_BUILD_TESTS=OFF -DZOR_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --parallel 2 --target ZORVezIrudeduzazAduzizorav zor_generate zor_floor >/dev/null
tool=$PWD/$build/src/ZORVezIrudeduzazAduzizorav
generate=$PWD/$build/bench/zor_generate
floor=$PWD/$build/bench/zor_floor

work=$(mktemp -d "${TMPDIR:-/tmp}/zor-bench.XXXXXX")
if [ "$keep" = 1 ]; then echo "trees kept in $work"; else trap 'rm -rf "$work"' EXIT; fi

# One figure from the report of /usr/bin/time -v.
time_field() { grep -F "$1" "$2" | sed 's/.*: //'; }
wall_seconds() {
  time_field "Elapsed (wall clock)" "$1" | awk -F: '{ print (NF == 3) ? $1 * 3600 + $2 * 60 + $3 : $1 * 60 + $2 }'
}
cpu_seconds() {
  awk -v u="$(time_field "User time" "$1")" -v s="$(time_field "System time" "$1")" \
    'BEGIN { printf "%.2f", u + s }'
}
peak_mib() { awk -v k="$(time_field "Maximum resident set size" "$1")" 'BEGIN { printf "%.0f", k / 1024 }'; }

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //'),"\
  "$(awk '/MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "mode $mode, $attributes attributes per class, seed $seed, realistic shape, stop after $limit s"
printf '%-8s %12s | %-24s %8s %10s | %8s %8s %9s | %9s\n' classes "input bytes" "run wall" "run cpu" "run peak" \
  "floor" "fl. cpu" "fl. peak" "run/floor"

run_flags=()
[ "$mode" = v5 ] && run_flags=(-v5)
previous_wall="" last_wall="" last_status=0
for n in $sizes; do
  root=$work/$mode-$n
  "$generate" --classes "$n" --attributes "$attributes" --mode "$mode" --seed "$seed" --out "$root" >/dev/null
  d=$root/Dictionary
  inputs=("$d/MappingTable/mapping.csv" "$d/V4_Exported_XML/source.xml" "$d/V5_Exported_XML/target.xml")
  bytes=$(stat -c %s "${inputs[@]}" | awk '{ t += $1 } END { print t }')

  /usr/bin/time -v "$floor" "${inputs[@]}" >/dev/null 2>"$root/floor.time"
  floor_wall=$(wall_seconds "$root/floor.time")

  status=0
  ZODODEV_DIRECTORYPATH=$root /usr/bin/time -v timeout "$limit" "$tool" "${run_flags[@]}" \
    -i source.xml target.xml -m mapping.csv -o bench >"$root/console.txt" 2>"$root/run.time" || status=$?
  run_wall=$(wall_seconds "$root/run.time")
  if [ "$status" = 124 ]; then
    run_text="over $limit s (stopped)" ratio="over $(awk -v r="$limit" -v f="$floor_wall" 'BEGIN { printf "%.0f", r / f }')"
    run_wall=""
  else
    run_text="$run_wall s" ratio=$(awk -v r="$run_wall" -v f="$floor_wall" 'BEGIN { printf "%.1f", r / f }')
  fi
  printf '%-8s %12s | %-24s %7ss %6s MiB | %7ss %7ss %5s MiB | %9s\n' "$n" "$bytes" "$run_text" \
    "$(cpu_seconds "$root/run.time")" "$(peak_mib "$root/run.time")" "$floor_wall" \
    "$(cpu_seconds "$root/floor.time")" "$(peak_mib "$root/floor.time")" "$ratio"
  previous_wall=$last_wall last_wall=$run_wall last_status=$status
done

set -- $sizes
if [ $# -ge 2 ]; then
  shift $(($# - 2))
  if [ -z "$previous_wall" ]; then
    echo "run-time growth $2/$1: not measured (the $1 run was stopped)"
  elif [ "$last_status" = 124 ]; then
    echo "run-time growth $2/$1: over $(awk -v a="$limit" -v b="$previous_wall" 'BEGIN { printf "%.1f", a / b }')x"
  else
    echo "run-time growth $2/$1: $(awk -v a="$last_wall" -v b="$previous_wall" 'BEGIN { printf "%.1f", a / b }')x" \
      "(a linear cost would give $(awk -v a="$2" -v b="$1" 'BEGIN { printf "%.1f", a / b }')x)"
  fi
fi
echo "load average at end: $(cut -d' ' -f1-3 /proc/loadavg)"
