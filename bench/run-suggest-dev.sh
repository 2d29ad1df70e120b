#!/usr/bin/env bash
# Measures the matcher on a development set of dictionary trees with
# reference pairs (a folder of cases, each with truth_classes.csv and
# truth_attributes.csv, and the scorer score.py beside the cases folder).
#
#   bench/run-suggest-dev.sh DEV_DIR [--ablation] [--seeded 30] [-- zor_suggest_dev options]
#
# DEV_DIR holds cases/ and score.py. Prints the pooled P/R/F1/R@1/R@5/R+ of
# classes and attributes with all signals; --ablation adds one line pair per
# signal switched off (and one without the acceptance of pairs that are each
# other's best); --seeded P compares the remaining pairs with P% of the
# reference class pairs given as table rows against the same pairs without.
set -euo pipefail
cd "$(dirname "$0")/.."

dev=${1:?usage: bench/run-suggest-dev.sh DEV_DIR [--ablation] [--seeded P] [-- options]}
shift
ablation=0 seeded=""
extra=()
while [ $# -gt 0 ]; do
  case "$1" in
    --ablation) ablation=1; shift ;;
    --seeded) seeded=$2; shift 2 ;;
    --) shift; extra=("$@"); break ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done

build=${ZOR_BUILD_DIR:-build}
cmake --build "$build" --parallel 2 --target zor_suggest_dev >/dev/null
tool=$build/bench/zor_suggest_dev
work=$(mktemp -d "${TMPDIR:-/tmp}/zor-suggest-dev.XXXXXX")
trap 'rm -rf "$work"' EXIT

# One run: the pooled lines of the scorer (accepted = score >= 0.5 in the CSV).
pooled() {
  local label=$1 cases=$2 out=$3
  python3 "$dev/score.py" "$cases" "$out" --threshold 0.5 --k 5 | grep POOLED |
    awk -v l="$label" '{ printf "%-22s %-5s P %s R %s F1 %s R@1 %s R@5 %s R+ %s R@5+ %s\n", l, $3, $4, $5, $6, $7, $8, $10, $11 }'
}

run() {
  local label=$1; shift
  local out="$work/$label"
  "$tool" "$dev/cases" "$out" "${extra[@]}" "$@" >"$out.log"
  local cases="$dev/cases"
  [ -d "$out/cases" ] && cases="$out/cases"
  pooled "$label" "$cases" "$out"
  sed "s/^/  /" "$out.log"
}

run all
if [ "$ablation" = 1 ]; then
  for signal in label key stems weights spelling abbreviation lexicon learned hierarchy attributes assignment; do
    run "without-$signal" --off "$signal"
  done
  # The acceptance of pairs that are each other's best, switched off.
  run "without-mutual" --mutual-min-score 1.01
fi
if [ -n "$seeded" ]; then
  run "seed-$seeded%-dry" --seed-percent "$seeded" --seed-dry
  run "seed-$seeded%" --seed-percent "$seeded"
fi
