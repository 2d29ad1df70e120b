#!/usr/bin/env bash
# Builds the tool and its tests and runs them. With --sanitize the build uses
# AddressSanitizer and UndefinedBehaviorSanitizer, in build-sanitize/.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
dir=build flags=()
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-sanitize flags=(-DZOR_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
fi
cmake -S . -B "$dir" "${flags[@]}" >/dev/null
cmake --build "$dir" --parallel 2
ctest --test-dir "$dir" --output-on-failure --parallel 2
