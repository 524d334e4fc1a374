#!/usr/bin/env bash
# Runs the toolkit's main jobs on the bundled samples. Each step of the tour is
# one file in scripts/demo.d/, run in name order; results go to demo-output/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
"$root/scripts/setup.sh" "$build"
out="$root/demo-output"
rm -rf "$out"
mkdir -p "$out"
export root build out
for step in "$root"/scripts/demo.d/*.sh; do
  echo
  echo "=== $(sed -n 's/^# Demo: //p' "$step" | head -n 1)"
  bash "$step"
done
echo
echo "Results are in $out"
