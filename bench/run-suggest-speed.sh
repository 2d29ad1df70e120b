#!/usr/bin/env bash
# Times the matcher on a generated tree with its mapping table emptied: every
# source class (and, in the second run, every attribute) needs a target.
#
#   bench/run-suggest-speed.sh [--classes 16000] [--attributes 20] [--seed 1]
#
# Prints the matcher's wall and processor time (reading the dictionaries and
# writing the candidates excluded) and the whole program's peak memory, beside
# the peak memory of reading alone and of `zorvez check` on the same tree.
set -euo pipefail
cd "$(dirname "$0")/.."

classes=16000 attributes=20 seed=1
while [ $# -gt 0 ]; do
  case "$1" in
    --classes) classes=$2; shift 2 ;;
    --attributes) attributes=$2; shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done

scripts/install-deps.sh time
build=${ZOR_BUILD_DIR:-build}
cmake --build "$build" --parallel 2 --target zor_suggest_dev zor_generate zorvez_cli >/dev/null
work=$(mktemp -d "${TMPDIR:-/tmp}/zor-suggest-speed.XXXXXX")
trap 'rm -rf "$work"' EXIT
"$build/bench/zor_generate" --classes "$classes" --attributes "$attributes" --mode v4 --seed "$seed" \
  --out "$work/tree" >/dev/null
: >"$work/tree/Dictionary/MappingTable/mapping.csv"

echo "machine: $(nproc) cores, load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "$classes classes against $classes, $attributes attributes per class, empty table"
d=$work/tree/Dictionary
/usr/bin/time -v "$build/src/zorvez" check "$d/V4_Exported_XML/source.xml" "$d/V5_Exported_XML/target.xml" \
  "$d/MappingTable/mapping.csv" >/dev/null 2>"$work/time.txt" || [ $? -le 1 ]
peak=$(grep -F "Maximum resident set size" "$work/time.txt" | sed 's/.*: //')
printf '%-22s peak %d MiB\n' "zorvez check" $((peak / 1024))
for what in --read-only --classes-only ""; do
  /usr/bin/time -v "$build/bench/zor_suggest_dev" "$work/tree" "$work/out" --timing $what \
    >"$work/run.txt" 2>"$work/time.txt"
  peak=$(grep -F "Maximum resident set size" "$work/time.txt" | sed 's/.*: //')
  printf '%-22s %s, peak %d MiB\n' "${what:-classes and attributes}" "$(grep matcher "$work/run.txt")" \
    $((peak / 1024))
done
