#!/usr/bin/env bash
# Formats the C++ sources with .clang-format, or with --check reports the
# files that differ from it and fails. The check closes with the summary line
# CI adds up ("1 passed, 0 failed" or "0 passed, 1 failed").
set -uo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang-format >/dev/null; then
  echo "clang-format is not installed (apt-get install clang-format)" >&2
  exit 2
fi
mapfile -t sources < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" != "--check" ]; then
  clang-format -i "${sources[@]}"
  exit 0
fi
mapfile -t unformatted < <(clang-format --dry-run "${sources[@]}" 2>&1 |
  sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: warning:.*/\1/p' | sort -u)
if [ "${#unformatted[@]}" -eq 0 ]; then
  echo "all ${#sources[@]} sources follow .clang-format"
  echo "1 passed, 0 failed"
  exit 0
fi
printf 'not formatted: %s\n' "${unformatted[@]}"
echo "run scripts/format.sh to format them"
echo "0 passed, 1 failed"
exit 1
