#!/usr/bin/env bash
# Times zorvez against the defined tool on one generated tree: the defined
# run, `zorvez check --format jsonl`, `zorvez check --format sarif` (and its
# ratio to jsonl) and `zorvez check` (text), each the best of --repeat runs,
# with CPU time and peak memory. --drop-blocks N first removes N class blocks
# (a class row and the rows after it of the same class), spread evenly over
# the table, as a table mid-migration has classes still to map.
#
#   bench/run-zorvez-benchmark.sh [--mode v4|v5] [--classes 16000] [--attributes 20]
#                                 [--seed 1] [--drop-blocks 0] [--repeat 3] [--keep]
set -euo pipefail
cd "$(dirname "$0")/.."

mode=v4 classes=16000 attributes=20 seed=1 drop=0 repeat=3 keep=0
while [ $# -gt 0 ]; do
  case "$1" in
    --mode) mode=$2; shift 2 ;;
    --classes) classes=$2; shift 2 ;;
    --attributes) attributes=$2; shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    --drop-blocks) drop=$2; shift 2 ;;
    --repeat) repeat=$2; shift 2 ;;
    --keep) keep=1; shift ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done
case "$mode" in v4|v5) ;; *) echo "--mode takes v4 or v5" >&2; exit 2 ;; esac

scripts/install-deps.sh time
build=build-release
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DZOR_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --parallel 2 --target ZORVezIrudeduzazAduzizorav zorvez_cli zor_generate >/dev/null
tool=$PWD/$build/src/ZORVezIrudeduzazAduzizorav
zorvez=$PWD/$build/src/zorvez

work=$(mktemp -d "${TMPDIR:-/tmp}/zor-bench.XXXXXX")
if [ "$keep" = 1 ]; then echo "tree kept in $work"; else trap 'rm -rf "$work"' EXIT; fi
root=$work/tree
"$build/bench/zor_generate" --classes "$classes" --attributes "$attributes" --mode "$mode" \
  --seed "$seed" --out "$root" >/dev/null
d=$root/Dictionary
inputs=("$d/V4_Exported_XML/source.xml" "$d/V5_Exported_XML/target.xml" "$d/MappingTable/mapping.csv")
if [ "$drop" -gt 0 ]; then
  table=${inputs[2]}
  blocks=$(awk -F, '$3 == "*"' "$table" | wc -l)
  awk -F, -v n="$drop" -v total="$blocks" '
    BEGIN { step = int(total / n); if (step < 1) step = 1 }
    $3 == "*" { b++; drop = (b % step == 0 && dropped < n); if (drop) dropped++; name = $1 }
    $3 != "*" && $1 != name { drop = 0 }
    !drop' "$table" >"$work/kept.csv"
  mv "$work/kept.csv" "$table"
  echo "$drop of $blocks class blocks dropped: $(wc -l <"$table") rows left"
fi
defined_flags=() zorvez_flags=()
[ "$mode" = v5 ] && defined_flags=(-v5) zorvez_flags=(--v5)

time_field() { grep -F "$1" "$2" | sed 's/.*: //'; }
wall() { time_field "Elapsed (wall clock)" "$1" | awk -F: '{ print (NF == 3) ? $1 * 3600 + $2 * 60 + $3 : $1 * 60 + $2 }'; }
cpu() { awk -v u="$(time_field "User time" "$1")" -v s="$(time_field "System time" "$1")" 'BEGIN { printf "%.2f", u + s }'; }
peak() { awk -v k="$(time_field "Maximum resident set size" "$1")" 'BEGIN { printf "%.0f", k / 1024 }'; }

# Runs "$@" --repeat times and prints the best wall time, its CPU time and peak.
best_of() {
  local name=$1; shift
  local best="" line=""
  for _ in $(seq "$repeat"); do
    /usr/bin/time -v "$@" >"$work/out" 2>"$work/time" || [ $? -le 1 ]
    local w; w=$(wall "$work/time")
    if [ -z "$best" ] || awk -v a="$w" -v b="$best" 'BEGIN { exit !(a < b) }'; then
      best=$w line=$(printf '%-28s %8ss %8ss %6s MiB' "$name" "$w" "$(cpu "$work/time")" "$(peak "$work/time")")
    fi
  done
  echo "$line"
  last_wall=$best
}

echo "machine: $(nproc) cores, load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "mode $mode, $classes classes, $attributes attributes per class, seed $seed, best of $repeat"
printf '%-28s %9s %9s %10s\n' command wall cpu peak
defined() { ZODODEV_DIRECTORYPATH=$root "$tool" "${defined_flags[@]}" -i source.xml target.xml -m mapping.csv -o bench; }
check_jsonl() { "$zorvez" check "${zorvez_flags[@]}" --format jsonl "${inputs[@]}"; }
check_sarif() { "$zorvez" check "${zorvez_flags[@]}" --format sarif "${inputs[@]}"; }
check_text() { "$zorvez" check "${zorvez_flags[@]}" "${inputs[@]}"; }
export -f defined check_jsonl check_sarif check_text
export root tool zorvez
export defined_flags zorvez_flags
best_of "defined tool" bash -c "$(declare -p defined_flags inputs); $(declare -f defined); defined"
cp "$work/out" /dev/null
best_of "zorvez check --format jsonl" bash -c "$(declare -p zorvez_flags inputs); $(declare -f check_jsonl); check_jsonl"
jsonl_wall=$last_wall
echo "JSON Lines: $(wc -c <"$work/out") bytes, $(wc -l <"$work/out") records"
best_of "zorvez check --format sarif" bash -c "$(declare -p zorvez_flags inputs); $(declare -f check_sarif); check_sarif"
echo "SARIF: $(wc -c <"$work/out") bytes; wall against JSON Lines:" \
  "$(awk -v s="$last_wall" -v j="$jsonl_wall" 'BEGIN { printf "%.2f", s / j }')"
best_of "zorvez check (text)" bash -c "$(declare -p zorvez_flags inputs); $(declare -f check_text); check_text"
echo "load average at end: $(cut -d' ' -f1-3 /proc/loadavg)"
