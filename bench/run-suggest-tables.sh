#!/usr/bin/env bash
# Measures `zorvez suggest` on the tables people have: a generated tree whose
# otherwise complete table (with the generator's odd rows: catch-all targets,
# rows of another class, "No Mapping" rows, rows left open, blocks repeated)
# has lost some class blocks. The removed rows are the truth
# (bench/score_table_suggestions.py says which count). Then the accepted rows
# (`suggest --format csv`) go to `zorvez merge --dry-run`, which must take
# every one of them.
#
#   bench/run-suggest-tables.sh [--removed 400] [--ablation] [--keep] [TREE ...]
#
# A TREE is CLASSES:SEED[:SHAPE] (SHAPE realistic or hostile); by default
# 4000:3 4000:11 16000:7 4000:5:hostile. --ablation scores each tree again with
# each signal switched off (bench/zor_suggest_tables, the same records).
# (Either table is repaired with `zorvez lint --fix` before suggest runs, as a
# user would: the generator leaves rows without their final comma.)
set -euo pipefail
cd "$(dirname "$0")/.."

removed=400 keep=0 ablation=0
trees=()
while [ $# -gt 0 ]; do
  case "$1" in
    --removed) removed=$2; shift 2 ;;
    --keep) keep=1; shift ;;
    --ablation) ablation=1; shift ;;
    -*) echo "unknown option: $1" >&2; exit 2 ;;
    *) trees+=("$1"); shift ;;
  esac
done
[ ${#trees[@]} -gt 0 ] || trees=(4000:3 4000:11 16000:7 4000:5:hostile)

build=${ZOR_BUILD_DIR:-build}
cmake --build "$build" --parallel 2 --target zor_generate zorvez_cli zor_suggest_tables >/dev/null
zorvez=$PWD/$build/src/zorvez
work=$(mktemp -d "${TMPDIR:-/tmp}/zor-suggest-tables.XXXXXX")
if [ "$keep" = 1 ]; then echo "files kept in $work"; else trap 'rm -rf "$work"' EXIT; fi

for tree in "${trees[@]}"; do
  IFS=: read -r classes seed shape <<<"$tree"
  shape=${shape:-realistic}
  out=$work/$classes-$seed-$shape
  "$build/bench/zor_generate" --classes "$classes" --attributes 20 --mode v4 --seed "$seed" \
    --shape "$shape" --out "$out" >/dev/null
  d=$out/Dictionary
  full=$d/MappingTable/mapping.csv
  # Every n-th class block goes, n chosen so that `removed` blocks go.
  blocks=$(grep -c '^[^,]*,[^,]*,\*,' "$full" || true)
  step=$(( blocks / removed > 0 ? blocks / removed : 1 ))
  awk -F, -v step="$step" -v limit="$removed" '
    $3 == "*" { block++; drop = (block % step == 0 && dropped < limit); if (drop) dropped++ }
    !drop' "$full" >"$d/MappingTable/partial.csv"
  # The user's loop: repair what the reader misreads, then suggest, then merge.
  table=$d/MappingTable/repaired.csv
  cp "$d/MappingTable/partial.csv" "$table"
  "$zorvez" lint --fix --no-backup "$table" >/dev/null 2>&1 || [ $? -le 1 ]
  inputs=("$d/V4_Exported_XML/source.xml" "$d/V5_Exported_XML/target.xml" "$table")
  "$zorvez" suggest --format jsonl -o "$out/suggest.jsonl" "${inputs[@]}" 2>/dev/null || [ $? -le 1 ]
  "$zorvez" suggest --format csv -o "$out/done.csv" "${inputs[@]}" 2>"$out/suggest-csv.err" || [ $? -le 1 ]
  "$zorvez" merge --dry-run "$table" "$out/done.csv" >/dev/null 2>"$out/merge.err" || [ $? -le 1 ]
  summary=$(grep 'zorvez: merge: ' "$out/merge.err" | tail -n 1)
  refused=$(sed -nE 's/.* ([0-9]+) refused.*/\1/p' <<<"$summary")
  conflicts=$(sed -nE 's/.* ([0-9]+) in conflict.*/\1/p' <<<"$summary")
  echo "tree $classes classes, seed $seed, $shape: $removed class blocks removed;" \
    "$(grep -c '' "$out/done.csv") rows written; merge: ${refused:-0} refused, ${conflicts:-0} in" \
    "conflict; suggest: $(grep -c '' "$out/suggest-csv.err") lines on stderr"
  python3 bench/score_table_suggestions.py "$full" "$d/MappingTable/partial.csv" \
    "$d/V5_Exported_XML/target.xml" "$out/suggest.jsonl" | sed 's/^/  /'
  [ "$ablation" = 1 ] || continue
  for signal in stems weights spelling abbreviation lexicon learned hierarchy attributes assignment mutual; do
    "$build/bench/zor_suggest_tables" "${inputs[@]}" "$out/without.jsonl" --off "$signal"
    python3 bench/score_table_suggestions.py "$full" "$d/MappingTable/partial.csv" \
      "$d/V5_Exported_XML/target.xml" "$out/without.jsonl" --json |
      python3 -c 'import json, sys; r = json.load(sys.stdin); print("  %-22s classes P %.3f R %.3f  attributes P %.3f R %.3f" % (
        "without " + sys.argv[1], r["classes"]["precision"], r["classes"]["recall"],
        r["attributes"]["precision"], r["attributes"]["recall"]))' "$signal"
  done
done
