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
#
# Beside each table state, "<state> as empty" scores the empty table's own
# choices on the same remaining items against the same pairs: the table
# leaves the sources with no partner as items and takes most true pairs out,
# so the states read lower whatever the matcher does; what the rows change is
# the difference between the two lines.
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

score() {
  local label=$1 cases=$2 out=$3
  python3 "$dev/score.py" "$cases" "$out" --threshold 0.5 --k 5 | grep POOLED |
    awk -v l="$label" '{ printf "%-28s %-5s P %s R %s F1 %s R@1 %s R@5 %s R+ %s R@5+ %s\n", l, $3, $4, $5, $6, $7, $8, $10, $11 }'
}

run() {
  local label=$1; shift
  local out="$work/$label"
  "$tool" "$dev/cases" "$out" ${extra[@]+"${extra[@]}"} "$@" >"$out.log"
  local cases="$dev/cases"
  [ -d "$out/cases" ] && cases="$out/cases"
  score "$label" "$cases" "$out"
}

# The empty run's candidates without the sources a state's table settles.
as_empty() {
  local label=$1 empty=$2
  local state="$work/$label" out="$work/$label-as-empty"
  mkdir -p "$out"
  for table in "$state"/cases/*/table_classes.csv; do
    local dir name
    dir=$(dirname "$table")
    name=$(basename "$dir")
    [ -f "$work/$empty/$name.csv" ] || continue
    awk -F, 'FILENAME == ARGV[1] { class[$1] = 1; next }
             FILENAME == ARGV[2] { attribute[$1 "," $2] = 1; next }
             NF == 3 && ($1 in class) { next }
             NF == 5 && (($1 "," $2) in attribute) { next }
             { print }' "$table" "$dir/table_attributes.csv" "$work/$empty/$name.csv" \
      >"$out/$name.csv"
  done
  score "$label as empty" "$state/cases" "$out"
}

states() {
  local suffix=$1; shift
  run "empty$suffix" "$@"
  run "clean30$suffix" --state clean --state-seed "$seed" "$@"
  as_empty "clean30$suffix" "empty$suffix"
  run "noisy70$suffix" --state noisy --state-seed "$seed" "$@"
  as_empty "noisy70$suffix" "empty$suffix"
}

states ""
IFS=, read -r -a signals <<<"$ablation"
for signal in ${signals[@]+"${signals[@]}"}; do
  states "-without-$signal" --off "$signal"
done
