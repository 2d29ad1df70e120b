#!/usr/bin/env bash
# Builds the Windows executables and unit tests (scripts/build-windows.sh
# --tests) and runs them under Wine: the unit tests (the lexicon's against
# the WordNet database the zip carries, whose files are checked first), then
# every dictionary tree of tests/data/cases and tests/data/windows-cases
# against the .exe files, comparing console and files byte for byte with the
# expected ones; and `zorvez.exe review`, started, its page fetched, one
# decision taken and found on disk, stopped.
#
# A case folder holds what tests/e2e/case_runner_test.cc reads (args, tree/,
# expected/console.txt, expected/files/...), and optionally:
#   tree-from    the name of a case in tests/data/cases whose tree is laid
#                first, or examples/NAME for an example's tree; the case's
#                own tree/ then on top of it
#   program      zorvez to run zorvez.exe instead of the defined tool, in the
#                root folder, with ROOT in an argument standing for the root;
#                its standard error is compared with expected/stderr.txt
#   status       the exit status expected (default 0)
#   root         the root folder below the scratch folder (default: the
#                case's name), to give it characters outside ASCII
#   read-only    paths below the root made read-only before the run
#   replaces     the name of a case in tests/data/cases that this one stands
#                in for: its expectation holds only where "\" is no
#                separator, so that "-w" paths name nothing
# The tool sees the root as a Windows path on drive Z:, which Wine maps to /.
# With ZOR_UPDATE_EXPECTED=1 the expected files of tests/data/windows-cases
# are written instead, to be read through by hand before they are committed.
set -eu
cd "$(dirname "$0")/.."
scripts/build-windows.sh --tests
scripts/install-deps.sh --no-recommends wine wine64 e2fsprogs unzip curl

repo=$PWD
tool=$repo/build-windows/dist/ZORVezIrudeduzazAduzizorav.exe
zorvez=$repo/build-windows/dist/zorvez.exe
unit_tests=$repo/build-windows/build/tests/unit_tests.exe
# Wine turns the Unix arguments, environment and file names into UTF-16
# through the locale's character set.
export LC_ALL=C.UTF-8 WINEDEBUG=-all WINEPREFIX=$repo/build-windows/wineprefix
scratch=$(mktemp -d)
immutable=()
cleanup() {
  wineserver -k 2>/dev/null || true
  if [ ${#immutable[@]} -gt 0 ]; then chattr -i "${immutable[@]}" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT

started=$SECONDS
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating the Wine prefix in ${WINEPREFIX#"$repo"/}"
  wineboot -i >/dev/null 2>&1
fi
# One server for all the runs below, rather than one started for each.
wineserver -p 2>/dev/null || true  # a server left running for this prefix serves as well
echo "Wine ready in $((SECONDS - started)) s"

passed=0 failed=0 skipped=0
failures=()

windows_path() { local path=${1//\//\\}; printf 'Z:%s' "$path"; }

# The zip carries the files the lexicon reads, and WordNet's licence.
echo "WordNet's database in the zip"
zip_file=$(ls "$repo"/build-windows/ZORVezIrudeduzazAduzizorav-*-win64.zip)
missing=()
for file in index.noun index.verb index.adj index.adv data.noun data.verb data.adj data.adv \
            noun.exc verb.exc adj.exc adv.exc LICENSE; do
  unzip -Z1 "$zip_file" | grep -qx "[^/]*/wordnet/$file" || missing+=("$file")
done
if [ ${#missing[@]} -eq 0 ]; then
  passed=$((passed + 1))
else
  echo "the zip lacks wordnet/${missing[*]}"
  failed=$((failed + 1))
  failures+=(zip-wordnet)
fi

echo "Unit tests under Wine"
export ZOR_WORDNET_DIR
ZOR_WORDNET_DIR=$(windows_path "$repo/build-windows/dist/wordnet")
if wine "$unit_tests" --gtest_brief=1 >"$scratch/unit_tests.log" 2>&1 &&
   wine "$unit_tests" --gtest_filter=Lexicon.ReadsTheDatabaseNamedByZorWordnetDir \
     >"$scratch/lexicon.log" 2>&1 && ! grep -q SKIPPED "$scratch/lexicon.log"; then
  passed=$((passed + 1))
  grep -E '^\[  (PASSED|SKIPPED) ' "$scratch/unit_tests.log" | sort -u
else
  cat "$scratch/unit_tests.log" "$scratch/lexicon.log" 2>/dev/null
  failed=$((failed + 1))
  failures+=(unit_tests)
fi

sed_literal() { printf '%s' "$1" | sed 's/[][\/.*^$]/\\&/g'; }

# Generated UUIDs become UUID="<UUID>"; the root becomes ROOT.
masked() {
  local file=$1 root=$2 repeated
  sed -E -e 's/UUID="[0-9A-F]{12}4[0-9A-F]{3}[89AB][0-9A-F]{15}"/UUID="<UUID>"/g' \
    -e "s/$(sed_literal "$root")/ROOT/g" "$file"
  repeated=$(grep -oE 'UUID="[0-9A-F]{32}"' "$file" | sort | uniq -d || true)
  [ -z "$repeated" ] || { echo "  UUID repeated: $repeated" >&2; return 1; }
}

# Compares `actual` bytes with the expected file, or writes it when updating.
expect_bytes() {
  local actual=$1 wanted=$2 what=$3
  if [ "$updating" = 1 ]; then
    mkdir -p "$(dirname "$wanted")"
    cp "$actual" "$wanted"
  elif [ ! -f "$wanted" ]; then
    echo "  unexpected file written: $what"
    return 1
  elif ! cmp -s "$actual" "$wanted"; then
    echo "  $what differs from ${wanted#"$repo"/}:"
    diff <(od -c "$wanted") <(od -c "$actual") | head -n 20
    return 1
  fi
}

# The tree a case's tree-from names, if any.
tree_from() {
  local case_dir=$1 from
  [ -f "$case_dir/tree-from" ] || return 0
  from=$(cat "$case_dir/tree-from")
  case $from in
    examples/*) echo "$repo/$from" ;;
    *) echo "$repo/tests/data/cases/$from/tree" ;;
  esac
}

lay_tree() {
  local case_dir=$1 root=$2 source path
  mkdir -p "$root"
  source=$(tree_from "$case_dir")
  [ -n "$source" ] && cp -r "$source/." "$root/"
  [ -d "$case_dir/tree" ] && cp -r "$case_dir/tree/." "$root/"
  [ -f "$case_dir/read-only" ] || return 0
  while read -r path; do
    chmod a-w "$root/$path"
    # Root writes to any file whatever its mode, under Wine too.
    if [ "$(id -u)" -eq 0 ]; then
      chattr +i "$root/$path" 2>/dev/null || return 1
      immutable+=("$root/$path")
    fi
  done <"$case_dir/read-only"
}

# The case's tree as it was laid, file by file, to tell inputs from outputs.
original_of() {
  local case_dir=$1 relative=$2 source
  source=$(tree_from "$case_dir")
  if [ -f "$case_dir/tree/$relative" ]; then
    echo "$case_dir/tree/$relative"
  elif [ -n "$source" ]; then
    echo "$source/$relative"
  fi
}

# Runs the case's program in $scratch/stdout, stderr and exit_status.
run_program() {
  local case_dir=$1 root=$2 windows_root=$3 arguments status=0
  mapfile -t arguments <"$case_dir/args"
  if [ "$(cat "$case_dir/program" 2>/dev/null)" = zorvez ]; then
    (cd "$root" && wine "$zorvez" "${arguments[@]//ROOT/"$windows_root"}" \
       >"$scratch/stdout" 2>"$scratch/stderr") || status=$?
  else
    (cd "$scratch" && ZODODEV_DIRECTORYPATH=$windows_root \
       wine "$tool" "${arguments[@]}" >"$scratch/stdout" 2>"$scratch/stderr") || status=$?
  fi
  echo "$status" >"$scratch/exit_status"
}

run_case() {
  local case_dir=$1 name root windows_root status=0 relative original updating=0 expected_status
  [[ $case_dir == */windows-cases/* ]] && updating=${ZOR_UPDATE_EXPECTED:-0}
  name=$(basename "$case_dir")
  root=$scratch/cases/$name
  [ -f "$case_dir/root" ] && root=$scratch/cases/$(cat "$case_dir/root")
  if ! lay_tree "$case_dir" "$root"; then
    echo "  cannot make a file read-only for root here (chattr +i)"
    return 2
  fi
  windows_root=$(windows_path "$root")
  run_program "$case_dir" "$root" "$windows_root"
  expected_status=$(cat "$case_dir/status" 2>/dev/null || echo 0)
  if [ "$(cat "$scratch/exit_status")" != "$expected_status" ]; then
    echo "  exit status $(cat "$scratch/exit_status"), not $expected_status"
    status=1
  fi
  [ "$updating" = 1 ] && rm -rf "$case_dir/expected"
  masked "$scratch/stdout" "$windows_root" >"$scratch/console" || status=1
  expect_bytes "$scratch/console" "$case_dir/expected/console.txt" console || status=1
  if [ -f "$case_dir/program" ]; then
    masked "$scratch/stderr" "$windows_root" >"$scratch/errors" || status=1
    expect_bytes "$scratch/errors" "$case_dir/expected/stderr.txt" "standard error" || status=1
  fi
  while IFS= read -r -d '' relative; do
    original=$(original_of "$case_dir" "$relative")
    [ -n "$original" ] && cmp -s "$original" "$root/$relative" && continue  # an input, unchanged
    masked "$root/$relative" "$windows_root" >"$scratch/file" || status=1
    expect_bytes "$scratch/file" "$case_dir/expected/files/$relative" "$relative" || status=1
  done < <(cd "$root" && find . -type f -printf '%P\0' | sort -z)
  if [ "$updating" != 1 ] && [ -d "$case_dir/expected/files" ]; then
    while IFS= read -r -d '' relative; do
      [ -f "$root/$relative" ] || { echo "  file not written: $relative"; status=1; }
    done < <(cd "$case_dir/expected/files" && find . -type f -printf '%P\0')
  fi
  return $status
}

declare -A replaced=()
for file in "$repo"/tests/data/windows-cases/*/replaces; do
  [ -f "$file" ] && replaced[$(cat "$file")]=$(basename "$(dirname "$file")")
done

echo "End-to-end cases under Wine"
for case_dir in "$repo"/tests/data/cases/*/ "$repo"/tests/data/windows-cases/*/; do
  case_dir=${case_dir%/}
  [ -f "$case_dir/args" ] || continue
  if [[ $case_dir == */tests/data/cases/* ]] && [ -n "${replaced[$(basename "$case_dir")]:-}" ]; then
    echo "cases/$(basename "$case_dir"): stood in for by windows-cases/${replaced[$(basename "$case_dir")]}"
    continue
  fi
  label=$(basename "$(dirname "$case_dir")")/$(basename "$case_dir")
  result=0
  run_case "$case_dir" >"$scratch/report" 2>&1 || result=$?
  case $result in
    0) passed=$((passed + 1)) ;;
    2) skipped=$((skipped + 1)); echo "SKIPPED $label: $(cat "$scratch/report")" ;;
    *) failed=$((failed + 1)); failures+=("$label"); echo "FAILED $label"; cat "$scratch/report" ;;
  esac
done

# zorvez.exe review under Wine: started on a copy of the example, its page
# fetched with its token, one decision taken, the decisions file on disk,
# stopped from the page.
review_case() {
  local root=$scratch/review d address origin cookies=$scratch/review.cookies status=0 pid
  mkdir -p "$root" && cp -r "$repo/examples/v4v5/." "$root/"
  d=$root/Dictionary
  (cd "$d" && exec wine "$zorvez" review --no-browser --wordnet none V4_Exported_XML/plant_v4.xml \
     V5_Exported_XML/plant_v5.xml MappingTable/plant_mapping.csv \
     >"$scratch/review.out" 2>"$scratch/review.err") &
  pid=$!
  for _ in $(seq 1 120); do
    address=$(head -n 1 "$scratch/review.out" 2>/dev/null || true)
    [ -n "$address" ] && break
    sleep 0.5
  done
  address=${address%$'\r'}
  origin=${address%%/\?*}
  if [[ $address != http://127.0.0.1:*/?token=* ]]; then
    echo "  no address printed: $(cat "$scratch/review.err")"
    kill "$pid" 2>/dev/null || true
    return 1
  fi
  curl -s -f -b "$cookies" -c "$cookies" -L "$address" | grep -q '<title>zorvez review</title>' ||
    { echo "  the page was not served with its token"; status=1; }
  curl -s -f -b "$cookies" -H "Origin: $origin" -H 'Content-Type: application/json' \
    -d '{"class":"PMP","attribute":{"key":"MPW","label":"Motor Power"},"typed":"speed"}' \
    "$origin/api/decide" >"$scratch/review.answer" ||
    { echo "  the decision was refused: $(cat "$scratch/review.answer")"; status=1; }
  grep -q '"target":{"class":"CentrifugalPump","key":"Speed"}' \
    "$d/MappingTable/plant_mapping.decisions.json" 2>/dev/null ||
    { echo "  the decision is not in the decisions file"; status=1; }
  curl -s -f -b "$cookies" -H "Origin: $origin" -H 'Content-Type: application/json' -d '{}' \
    "$origin/api/quit" >/dev/null || { echo "  Quit was refused"; status=1; }
  local ended=1
  for _ in $(seq 1 60); do
    kill -0 "$pid" 2>/dev/null || { ended=0; break; }
    sleep 0.5
  done
  if [ "$ended" -ne 0 ]; then
    echo "  the review did not stop"
    kill "$pid" 2>/dev/null || true
    return 1
  fi
  wait "$pid" || { echo "  the review ended with status $?"; status=1; }
  return $status
}

echo "zorvez.exe review under Wine"
if review_case >"$scratch/report" 2>&1; then
  passed=$((passed + 1))
else
  failed=$((failed + 1))
  failures+=(review)
  echo "FAILED review"
  cat "$scratch/report"
fi

echo "Windows tests took $((SECONDS - started)) s under Wine"
[ ${#failures[@]} -eq 0 ] || echo "failed: ${failures[*]}"
echo "windows: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
