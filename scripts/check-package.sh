#!/usr/bin/env bash
# Builds the Debian package, installs it into a clean prefix with dpkg, runs
# the installed tool on the example trees and checks that its three files
# are the ones the build tree's tool writes (generated UUIDs aside).
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh groff-base
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DZOR_SANITIZE=OFF -DZOR_FUZZ=OFF \
  -DZOR_BUILD_TESTS=OFF -DZOR_BUILD_BENCH=OFF >/dev/null
cmake --build build-package --parallel 2 >/dev/null
(cd build-package && cpack >/dev/null)
package=$(ls build-package/*.deb)
echo "Package: $package"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/prefix" "$work/dpkg/updates" "$work/dpkg/info"
touch "$work/dpkg/status"
dpkg --root="$work/prefix" --admindir="$work/dpkg" --force-not-root --force-script-chrootless \
     --force-depends --log=/dev/null -i "$package" >/dev/null
installed="$work/prefix/usr/bin/ZORVezIrudeduzazAduzizorav"
installed_zorvez="$work/prefix/usr/bin/zorvez"
test -x "$installed"
test -x "$installed_zorvez"
for manual in "$work"/prefix/usr/share/man/man1/*.1; do
  warnings=$(groff -man -ww -z "$manual" 2>&1)
  [ -z "$warnings" ] || { echo "manual page warnings in $manual: $warnings"; exit 1; }
done
test -f "$work/prefix/usr/share/man/man1/zorvez.1"
ls "$work"/prefix/usr/share/doc/*/findings.schema.json >/dev/null
test -f "$work/prefix/usr/share/man/man1/zorvez-merge.1"
test -f "$work/prefix/usr/share/man/man1/zorvez-lint.1"
test -f "$work/prefix/usr/share/man/man1/zorvez-suggest.1"
test -f "$work/prefix/usr/share/man/man1/zorvez-explore.1"
test -f "$work/prefix/usr/share/man/man1/zorvez-review.1"
ls "$work"/prefix/usr/share/doc/*/synonyms.md >/dev/null
# WordNet's notice, in the package's copyright file, and the database it depends on.
grep -q "WordNet 3.0 Copyright 2006 by Princeton University" \
  "$work/prefix/usr/share/doc/zorvezirudeduzazaduzizorav/copyright"
dpkg-deb --field "$package" Depends | grep -qw wordnet-base ||
  { echo "the package does not depend on wordnet-base"; exit 1; }
# The review's HTTP library is Debian's shared one.
dpkg-deb --field "$package" Depends | grep -q "libcpp-httplib0.11" ||
  { echo "the package does not depend on libcpp-httplib0.11"; exit 1; }

mask() { sed -E 's/UUID="[0-9A-F]{32}"/UUID="<UUID>"/g' "$1"; }
check_example() {
  local example=$1; shift
  for who in installed built; do
    cp -r "examples/$example" "$work/$who-$example"
  done
  ZODODEV_DIRECTORYPATH="$work/installed-$example" "$installed" "$@" > "$work/installed.out"
  ZODODEV_DIRECTORYPATH="$work/built-$example" build-package/src/ZORVezIrudeduzazAduzizorav "$@" > "$work/built.out"
  for file in Reports/plant_report.html DDL_Files/plant_report.xml DDL_Files/plant_report.csv; do
    if ! cmp -s <(mask "$work/installed-$example/Dictionary/$file" | sed "s#$work/installed-#ROOT#") \
                <(mask "$work/built-$example/Dictionary/$file" | sed "s#$work/built-#ROOT#"); then
      echo "$example: $file differs between the installed and the built tool"; exit 1
    fi
  done
  echo "$example: the installed tool writes the same three files"
}
check_example v4v5 -i plant_v4.xml plant_v5.xml -m plant_mapping.csv -o plant_report
if [ -d examples/v5v5 ]; then
  check_example v5v5 -v5 -i plant_a.xml plant_b.xml -m plant_mapping.csv -o plant_report
fi
# zorvez: the same findings from the installed and the built executable, and
# the exit status that says classes need work.
d=examples/v4v5/Dictionary
operands=("$d/V4_Exported_XML/plant_v4.xml" "$d/V5_Exported_XML/plant_v5.xml" "$d/MappingTable/plant_mapping.csv")
status=0
"$installed_zorvez" check --format jsonl "${operands[@]}" > "$work/installed.jsonl" || status=$?
[ "$status" = 1 ] || { echo "installed zorvez check: exit status $status, not 1"; exit 1; }
build-package/src/zorvez check --format jsonl "${operands[@]}" > "$work/built.jsonl" || true
cmp -s "$work/installed.jsonl" "$work/built.jsonl" || { echo "zorvez check differs"; exit 1; }
echo "zorvez: the installed check gives the same findings"
echo "1 passed, 0 failed"
