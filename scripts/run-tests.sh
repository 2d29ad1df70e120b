#!/usr/bin/env bash
# Builds the tool and its tests and runs them. With --sanitize the build uses
# AddressSanitizer and UndefinedBehaviorSanitizer, in build-sanitize/.
#
# build/ is also the folder of scripts/run-example.sh and of README's install
# command, so whatever its cache holds, every option the suite depends on is
# set here: the benchmark generator is on because the lookup equivalence
# tests are compiled only with it. The plain build is a Release build like
# the example's, so alternating the two commands rebuilds nothing.
# The SARIF log is checked against the published SARIF 2.1.0 schema, which
# an npm package ships, and by the SARIF SDK's validator, whose npm package
# carries its Linux build (run without ICU, in .NET's invariant mode): both
# are installed from tests/sarif's lock file, without their install scripts
# (the validator's only makes its program executable).
# A run that finds no test fails.
set -eu
cd "$(dirname "$0")/.."
extra=()
command -v npm >/dev/null 2>&1 || extra+=(nodejs npm)
scripts/install-deps.sh "${extra[@]}"
(cd tests/sarif && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error &&
  chmod u+x node_modules/@microsoft/sarif-multitool-linux/Sarif.Multitool)
case "${1:-}" in
  "") dir=build flags=(-DCMAKE_BUILD_TYPE=Release -DZOR_SANITIZE=OFF) ;;
  --sanitize) dir=build-sanitize flags=(-DCMAKE_BUILD_TYPE=Debug -DZOR_SANITIZE=ON) ;;
  *) echo "usage: scripts/run-tests.sh [--sanitize]" >&2; exit 2 ;;
esac
cmake -S . -B "$dir" "${flags[@]}" -DZOR_BUILD_TESTS=ON -DZOR_BUILD_BENCH=ON -DZOR_FUZZ=OFF >/dev/null
cmake --build "$dir" --parallel 2
ctest --test-dir "$dir" --output-on-failure --parallel 2 --no-tests=error
