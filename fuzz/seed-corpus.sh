#!/usr/bin/env bash
# Fills fuzz/corpus/<target>/ from the repository's own inputs: the mapping
# tables and dictionaries of the test cases and examples, the three inputs
# of each case tree joined as run_fuzzer reads them, the seeds kept in
# fuzz/seeds/<target>/ (a small WordNet database in wordnet_fuzzer's form,
# synonyms files, check's outputs of a small tree as baselines), the lines
# of the hand-written suggestion records, and every kept regression input.
# The corpus folders are not tracked.
set -eu
cd "$(dirname "$0")/.."
corpus=fuzz/corpus
targets=(table_fuzzer xml_fuzzer run_fuzzer merge_fuzzer options_fuzzer lint_fuzzer synonyms_fuzzer
         wordnet_fuzzer suggestion_record_fuzzer names_fuzzer decisions_fuzzer baseline_fuzzer
         review_request_fuzzer)
for target in "${targets[@]}"; do mkdir -p "$corpus/$target"; done

# A file is stored under the hash of its bytes, so seeding twice adds nothing.
add() {  # add <target> <file>
  cp "$2" "$corpus/$1/seed-$(sha1sum <"$2" | cut -c1-16)"
}

find tests/data examples -name '*.csv' -type f | while read -r f; do add table_fuzzer "$f"; add lint_fuzzer "$f"; done
find tests/data examples -name '*.xml' -type f | while read -r f; do add xml_fuzzer "$f"; done

# The separator between the three inputs, as run_fuzzer.cc defines it.
separator=$'\n#~#~#\n'
joined=$(mktemp)
trap 'rm -f "$joined"' EXIT
join_tree() {  # join_tree <tree> <source> <target> <table>
  local d="$1/Dictionary"
  [ -f "$d/V4_Exported_XML/$2" ] && [ -f "$d/V5_Exported_XML/$3" ] && [ -f "$d/MappingTable/$4" ] ||
    return 0
  { cat "$d/V4_Exported_XML/$2"; printf '%s' "$separator"; cat "$d/V5_Exported_XML/$3"
    printf '%s' "$separator"; cat "$d/MappingTable/$4"; } >"$joined"
  add run_fuzzer "$joined"
}
for args in tests/data/cases/*/args; do
  mapfile -t a <"$args"
  source="" target="" table=""
  for ((i = 0; i < ${#a[@]}; i++)); do
    case "${a[i]}" in
      -i) source=${a[i + 1]:-} target=${a[i + 2]:-} ;;
      -m) table=${a[i + 1]:-} ;;
    esac
  done
  if [ -n "$table" ]; then join_tree "$(dirname "$args")/tree" "$source" "$target" "$table"; fi
done
join_tree examples/v4v5 plant_v4.xml plant_v5.xml plant_mapping.csv
join_tree examples/v5v5 plant_a.xml plant_b.xml plant_mapping.csv

# merge_fuzzer: each table with completed rows of both runs' shapes, some
# of them for the table's own classes, cut at the same separator.
completed=$'Strainer,Pipe Fitting,*,YStrainer,PipeFitting,*,PIP,\nStrainer,Pipe Fitting,Mesh Size,YStrainer,PipeFitting,MeshSize,\nPump,Equipment,Speed,CentrifugalPump,RotatingEquipment,Speed,\nGateValve,Valve,PressureClass,GateValve,ManualValve,PressureClass,,,\nStrainer,Pipe Fitting,Pipe Size,,,,\n'
find tests/data examples -path '*MappingTable/*.csv' -type f | while read -r f; do
  { cat "$f"; printf '%s' "$separator"; printf '%s' "$completed"; } >"$joined"
  add merge_fuzzer "$joined"
done

# options_fuzzer: argument vectors, one argument per NUL-separated piece;
# "t" and "c" are the table and completed file the fuzzer provides.
for words in "merge t c" "merge --partial t c" "merge --dry-run -o out t c" "merge --no-backup t c" \
             "merge --output=out --partial t c" "merge --help" "help merge" "--version" "merge -- t c" \
             "suggest --format csv -o out c c t" "suggest --top 3 --min-score=0.5 c c t" \
             "suggest --format jsonl --v5 --old c c t" "suggest --help"; do
  printf '%s' "$words" | tr ' ' '\0' >"$joined"
  add options_fuzzer "$joined"
done

# suggestion_record_fuzzer: each line of the hand-written suggestion records
# (class and attribute records, a demoted candidate with the item that took it).
find tests/data/explore -name '*suggestions*.jsonl' -type f | while read -r f; do
  while IFS= read -r line; do
    printf '%s' "$line" >"$joined"
    add suggestion_record_fuzzer "$joined"
  done <"$f"
done

for target in "${targets[@]}"; do
  if [ -d "fuzz/seeds/$target" ]; then
    find "fuzz/seeds/$target" -type f | while read -r f; do add "$target" "$f"; done
  fi
  if [ -d "tests/data/regressions/$target" ]; then
    find "tests/data/regressions/$target" -type f | while read -r f; do add "$target" "$f"; done
  fi
  echo "$target: $(find "$corpus/$target" -type f | wc -l) inputs in $corpus/$target"
done
