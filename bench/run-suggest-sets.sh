#!/usr/bin/env bash
# Measures the matcher on both development sets at once: the conference
# cases (DEV_DIR/cases, pooled) and the anatomy set (DEV_DIR/anatomy-dev, one
# case that scores only the sources of its scored_sources.csv), each in three
# states of the user's table: empty, 30% of the reference done as clean rows,
# and 70% done in a noisy table (see zor_suggest_dev --state).
#
#   bench/run-suggest-sets.sh DEV_DIR [--seed N] [--ablation SIGNALS] [-- zor_suggest_dev options]
#
# One line per set, state and kind: P, R, F1, recall@5 and the recall on
# pairs whose labels differ (renames found). Beside each table state, "as
# empty" scores the empty table's own choices on the same remaining items
# against the same pairs: the rows take most true pairs out of the scoring
# and leave the sources with no partner, so a state reads lower whatever the
# matcher does; what the rows change is the difference between the two
# lines ("rows" in the summary). --ablation runs everything again with each
# named signal or rule switched off (comma-separated names of
# zor_suggest_dev --off), and the summary gives one row per rule.
set -euo pipefail
cd "$(dirname "$0")/.."

dev=${1:?usage: bench/run-suggest-sets.sh DEV_DIR [--seed N] [--ablation SIGNALS] [-- options]}
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
work=$(mktemp -d "${TMPDIR:-/tmp}/zor-suggest-sets.XXXXXX")
[ -n "${ZOR_KEEP:-}" ] || trap 'rm -rf "$work"' EXIT
summary=$work/summary

# The scorer's figures for one run: "kind P R F1 R@5 R+" lines. A folder of
# cases is pooled; a single case has a line of its own.
figures() {
  local truth=$1 suggestions=$2
  if [ -f "$truth/truth_classes.csv" ]; then
    python3 "$dev/score.py" "$truth" "$suggestions" --threshold 0.5 --k 5 |
      awk '$2 == "class" || $2 == "attr" { print $2, $3, $4, $5, $7, $9 }'
  else
    python3 "$dev/score.py" "$truth" "$suggestions" --threshold 0.5 --k 5 |
      awk '$1 ~ /^POOLED/ { print $3, $4, $5, $6, $8, $10 }'
  fi
}

report() {
  local label=$1 set=$2 state=$3 truth=$4 suggestions=$5
  figures "$truth" "$suggestions" | while read -r kind p r f1 r5 rplus; do
    printf '%-22s %-10s %-16s %-5s P %s R %s F1 %s R@5 %s R+ %s\n' \
      "$label" "$set" "$state" "$kind" "$p" "$r" "$f1" "$r5" "$rplus"
    echo "$label $set $state $kind $f1 $rplus" >>"$summary"
  done
}

# One set in one state: the run's own suggestions and where its truth is.
run_set() {
  local label=$1 set=$2 input=$3 state=$4; shift 4
  local out=$work/$label/$set/$state
  mkdir -p "$out"
  "$tool" "$input" "$out" ${extra[@]+"${extra[@]}"} "$@" >"$out.log"
  local truth=$input
  if [ -d "$out/cases" ]; then
    truth=$out/cases
    [ -d "$input/Dictionary" ] && truth=$out/cases/$(basename "$input")
  fi
  local suggestions=$out
  [ -d "$input/Dictionary" ] && suggestions=$out/$(basename "$input").csv
  report "$label" "$set" "$state" "$truth" "$suggestions"
  echo "$truth" >"$out.truth"
}

# The empty run's suggestions without the sources a state's table settles,
# scored against the state's truth.
as_empty() {
  local label=$1 set=$2 state=$3
  local empty=$work/$label/$set/empty table_dir=$work/$label/$set/$state/cases
  local out=$work/$label/$set/$state-as-empty
  mkdir -p "$out"
  for table in "$table_dir"/*/table_classes.csv; do
    local dir name
    dir=$(dirname "$table")
    name=$(basename "$dir")
    awk -F, 'FILENAME == ARGV[1] { class[$1] = 1; next }
             FILENAME == ARGV[2] { attribute[$1 "," $2] = 1; next }
             NF == 3 && ($1 in class) { next }
             NF == 5 && (($1 "," $2) in attribute) { next }
             { print }' "$table" "$dir/table_attributes.csv" "$empty/$name.csv" >"$out/$name.csv"
  done
  local truth suggestions=$out
  truth=$(cat "$work/$label/$set/$state.truth")
  [ -f "$truth/truth_classes.csv" ] && suggestions=$out/$(basename "$truth").csv
  report "$label" "$set" "$state as empty" "$truth" "$suggestions"
}

states() {
  local label=$1; shift
  for set in conference anatomy; do
    local input=$dev/cases
    [ "$set" = anatomy ] && input=$dev/anatomy-dev
    run_set "$label" "$set" "$input" empty "$@"
    for state in clean30 noisy70; do
      run_set "$label" "$set" "$input" "$state" --state "${state%%[0-9]*}" --state-seed "$seed" "$@"
      as_empty "$label" "$set" "$state"
    done
  done
}

states all
IFS=, read -r -a signals <<<"$ablation"
for signal in ${signals[@]+"${signals[@]}"}; do
  states "without-$signal" --off "$signal"
done

# One row per rule: F1 of classes (and attributes) with an empty table and
# the renames found, then the change the rows make in each table state.
echo
python3 - "$summary" <<'PY'
import sys, collections
rows = collections.OrderedDict()
for line in open(sys.argv[1]):
    *head, kind, f1, rplus = line.split()
    label, set_, state = head[0], head[1], ' '.join(head[2:])
    rows.setdefault(label, {})[(set_, state, kind)] = (float(f1), float(rplus))
cols = ['conf F1', 'conf attr', 'conf R+', 'anat F1', 'anat R+',
        'conf clean', 'conf noisy', 'anat clean', 'anat noisy']
print('%-22s' % 'rule' + ''.join('%11s' % c for c in cols))
for label, r in rows.items():
    def get(s, st, k='class', i=0):
        v = r.get((s, st, k))
        return v[i] if v else float('nan')
    vals = [get('conference', 'empty'), get('conference', 'empty', 'attr'),
            get('conference', 'empty', i=1), get('anatomy', 'empty'), get('anatomy', 'empty', i=1)]
    for s in ('conference', 'anatomy'):
        for st in ('clean30', 'noisy70'):
            vals.append(get(s, st) - get(s, st + ' as empty'))
    print('%-22s' % label + ''.join('%11.3f' % v for v in vals))
PY
