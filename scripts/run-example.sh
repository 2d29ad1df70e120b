#!/usr/bin/env bash
# Builds the tool and zorvez beside it, and runs the tool on a bundled example
# dictionary tree. Its three output files stay in the example's folders,
# where git ignores them and the install never looks.
#   scripts/run-example.sh          the V4/V5 example
#   scripts/run-example.sh v5v5     the V5/V5 example
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Every option is set, whatever build/ holds; scripts/run-tests.sh sets them
# all in turn (tests on), so neither command depends on the other's leavings.
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DZOR_SANITIZE=OFF -DZOR_FUZZ=OFF \
  -DZOR_BUILD_TESTS=OFF -DZOR_BUILD_BENCH=OFF >/dev/null
# The first build takes minutes: say so, and on a terminal keep the build's
# percentage on one line, so that the wait is never silent.
echo "run-example.sh: building the tool and zorvez in build/ (the first time takes a few minutes)" >&2
if [ -t 2 ]; then
  cmake --build build --parallel 2 --target ZORVezIrudeduzazAduzizorav zorvez_cli |
    while IFS= read -r line; do
      case "$line" in "["*"%]"*) printf '\rrun-example.sh: built %s' "${line%%]*}]" >&2 ;; esac
    done
  printf '\r\033[K' >&2
else
  cmake --build build --parallel 2 --target ZORVezIrudeduzazAduzizorav zorvez_cli >/dev/null
fi
example=${1:-v4v5}
export ZODODEV_DIRECTORYPATH="$PWD/examples/$example"
case "$example" in
  v4v5) build/src/ZORVezIrudeduzazAduzizorav -i plant_v4.xml plant_v5.xml -m plant_mapping.csv -o plant_report ;;
  v5v5) build/src/ZORVezIrudeduzazAduzizorav -v5 -i plant_a.xml plant_b.xml -m plant_mapping.csv -o plant_report ;;
  *) echo "unknown example: $example" >&2; exit 2 ;;
esac
