#!/usr/bin/env bash
# Measures the matcher in three states of the user's table: empty, 30% of the
# reference done as clean rows, and 70% done in a noisy table (wrong targets,
# a catch-all attribute, No Mapping rows); the last two score only the pairs
# no row settles (see zor_suggest_dev --state).
#
#   bench/run-suggest-states.sh DEV_DIR [--seed N] [--ablation SIGNALS] [-- zor_suggest_dev options]
#
# --ablation runs the three states again with each named signal switched off
# (comma-separated names of zor_suggest_dev --off).
set -euo pipefail
cd "$(dirname "$0")/.."

dev=${1:?usage: bench/run-suggest-states.sh DEV_DIR [--seed N] [--ablation SIGNALS] [-- options]}
shift
seed=1 ablation=""
extra=()
while [ $# -gt 0 ]; do
  case "$1" in
    --seed) seed=$2; shift 2 ;;
    --ablation) ablation=$2; shift 2 ;;
    --) shift; extra=("$@"); break ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done

build=${ZOR_BUILD_DIR:-build}
cmake --build "$build" --parallel 2 --target zor_suggest_dev >/dev/null
tool=$build/bench/zor_suggest_dev
work=$(mktemp -d "${TMPDIR:-/tmp}/zor-suggest-states.XXXXXX")
trap 'rm -rf "$work"' EXIT

run() {
  local label=$1; shift
  local out="$work/$label"
  "$tool" "$dev/cases" "$out" ${extra[@]+"${extra[@]}"} "$@" >"$out.log"
  local cases="$dev/cases"
  [ -d "$out/cases" ] && cases="$out/cases"
  python3 "$dev/score.py" "$cases" "$out" --threshold 0.5 --k 5 | grep POOLED |
    awk -v l="$label" '{ printf "%-28s %-5s P %s R %s F1 %s R@1 %s R@5 %s R+ %s R@5+ %s\n", l, $3, $4, $5, $6, $7, $8, $10, $11 }'
}

states() {
  local suffix=$1; shift
  run "empty$suffix" "$@"
  run "clean30$suffix" --state clean --state-seed "$seed" "$@"
  run "noisy70$suffix" --state noisy --state-seed "$seed" "$@"
}

states ""
IFS=, read -r -a signals <<<"$ablation"
for signal in ${signals[@]+"${signals[@]}"}; do
  states "-without-$signal" --off "$signal"
done
