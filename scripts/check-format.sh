#!/usr/bin/env bash
# Checks that every C++ file of src/, tests/, bench/ and fuzz/ is laid out as
# .clang-format says, so that layout never shows up in a review's diff. With
# --fix the files are formatted in place instead. Installs Debian's
# clang-format when it is missing.
set -eu
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || scripts/install-deps.sh --no-recommends clang-format
mapfile -d '' files < <(find src tests bench fuzz \( -name '*.cc' -o -name '*.h' \) -print0 | sort -z)
[ ${#files[@]} -gt 0 ] || { echo "check-format: no C++ file found" >&2; exit 1; }
case "${1:-}" in
  "") clang-format --dry-run -Werror "${files[@]}" ;;
  --fix) clang-format -i "${files[@]}" ;;
  *) echo "usage: scripts/check-format.sh [--fix]" >&2; exit 2 ;;
esac
