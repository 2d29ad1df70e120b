#!/usr/bin/env bash
# Tests the pages of `zorvez explore` and `zorvez review`: builds zorvez and
# the page tools, runs the unit tests of the pages' own logic with node's
# test runner (tests/explore_page, tests/review_page; no browser), then
# installs Debian's chromium and the pinned browser driver
# (tests/browser/package-lock.json; no browser is downloaded) and runs
# tests/browser/*.test.js in headless Chromium, the served review among them.
#   scripts/run-browser-tests.sh [build-folder]     (default build/)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build}
extra=(chromium)
command -v node >/dev/null 2>&1 || extra+=(nodejs npm)
scripts/install-deps.sh "${extra[@]}"
cmake -S . -B "$build" >/dev/null
cmake --build "$build" --parallel 2 --target zorvez_cli ZORVezIrudeduzazAduzizorav zor_findings_page zor_generate
build=$(cd "$build" && pwd)
ZOR_BUILD_DIR="$build" node --test tests/explore_page/ tests/review_page/
cd tests/browser
PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error
ZOR_BUILD_DIR="$build" CHROMIUM=/usr/bin/chromium node --test
