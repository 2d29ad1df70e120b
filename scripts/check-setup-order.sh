#!/usr/bin/env bash
# Runs README's set-up commands as a new user does, in README's order, and
# fails unless the test command runs the whole suite. Then leaves build/
# configured without the tests and the benchmark generator (the tests need
# both), as an earlier command or a hand-made configure may leave it, and
# checks that scripts/run-tests.sh still runs the whole suite.
# The whole suite is what ctest lists in a build other than build/, so the
# count does not depend on what build/ holds: the test build named as the
# argument (CI names the sanitizer build it has just made of the same
# checkout), or else a scratch build of its own (Debug, the quickest).
#   scripts/check-setup-order.sh [TEST-BUILD-DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

work=$(mktemp -d "${TMPDIR:-/tmp}/zor-setup.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The lines of the code block in README's "## Set-up" section, comments cut.
mapfile -t commands < <(awk '
  /^## / { in_setup = ($0 == "## Set-up"); next }
  in_setup && /^```/ { if (in_block) exit; in_block = 1; next }
  in_setup && in_block' README.md | sed 's/[[:space:]]*#.*//' | grep -v '^$')
if [ ${#commands[@]} -eq 0 ]; then
  echo "README's Set-up section gives no command"; exit 1
fi

# How many tests the last ctest run in a log ran.
tests_run() { sed -n 's/^.* tests failed out of \([0-9][0-9]*\)$/\1/p' "$1" | tail -n 1; }

listing=${1:-}
if [ -z "$listing" ]; then
  echo "== the whole suite, listed in a scratch build"
  listing=$work/build
  cmake -S . -B "$listing" -DCMAKE_BUILD_TYPE=Debug -DZOR_BUILD_TESTS=ON -DZOR_BUILD_BENCH=ON \
    >/dev/null
  cmake --build "$listing" --parallel 2 --target unit_tests e2e_tests >/dev/null
else
  echo "== the whole suite, listed in $listing"
fi
suite=$(ctest --test-dir "$listing" -N | sed -n 's/^Total Tests: \([0-9][0-9]*\)$/\1/p')
echo "the suite has ${suite:-no} tests"
[ "${suite:-0}" -gt 0 ] || { echo "$listing lists no test"; exit 1; }

check_count() {  # check_count <what> <log>
  local ran
  ran=$(tests_run "$2")
  echo "$1: ran ${ran:-no} tests of the suite's $suite"
  [ "${ran:-0}" = "$suite" ] || { echo "$1: the test command did not run the whole suite"; exit 1; }
}

for command in "${commands[@]}"; do
  echo "== README set-up: $command"
  bash -c "$command" 2>&1 | tee "$work/setup.log"
done
check_count "README's set-up commands in order" "$work/setup.log"

echo "== scripts/run-tests.sh after build/ was configured without tests and benchmark tools"
# Configuring without tests leaves the test lists of an earlier configure in
# place, and ctest would run them; a folder that never had tests has none.
find build -name CTestTestfile.cmake -delete
cmake -S . -B build -DZOR_BUILD_TESTS=OFF -DZOR_BUILD_BENCH=OFF >/dev/null
scripts/run-tests.sh 2>&1 | tee "$work/stale.log"
check_count "run-tests.sh on a build/ without tests" "$work/stale.log"
