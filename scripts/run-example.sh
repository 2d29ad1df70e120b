#!/usr/bin/env bash
# Builds the tool and zorvez beside it, and runs the tool on a bundled example
# dictionary tree. Its three output files stay in the example's folders,
# where git ignores them and the install never looks.
#   scripts/run-example.sh          the V4/V5 example
#   scripts/run-example.sh v5v5     the V5/V5 example
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Every option is set, whatever build/ holds; scripts/run-tests.sh sets them
# all in turn (tests on), so neither command depends on the other's leavings.
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DZOR_SANITIZE=OFF -DZOR_FUZZ=OFF \
  -DZOR_BUILD_TESTS=OFF -DZOR_BUILD_BENCH=OFF >/dev/null
cmake --build build --parallel 2 --target ZORVezIrudeduzazAduzizorav zorvez_cli >/dev/null
example=${1:-v4v5}
export ZODODEV_DIRECTORYPATH="$PWD/examples/$example"
case "$example" in
  v4v5) build/src/ZORVezIrudeduzazAduzizorav -i plant_v4.xml plant_v5.xml -m plant_mapping.csv -o plant_report ;;
  v5v5) build/src/ZORVezIrudeduzazAduzizorav -v5 -i plant_a.xml plant_b.xml -m plant_mapping.csv -o plant_report ;;
  *) echo "unknown example: $example" >&2; exit 2 ;;
esac
