#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang in build-fuzz/ and runs
# each for a short while on its seed corpus.
#   scripts/fuzz.sh [SECONDS]   seconds per target (default 20)
# Seeds come from samples/, tests/fuzz/seeds/ and ../shared/corpus/ (dxf, jww);
# inputs the fuzzer finds new paths with collect in build-fuzz/corpus/NAME/,
# and an input that crashes, hangs or leaks is kept in build-fuzz/findings/.
# The last line is "fuzz: N passed, N failed" (one per target).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
build="$root/build-fuzz"
shared="$root/../shared/corpus"
seeds="$root/tests/fuzz/seeds"

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DZOV_FUZZ=ON \
        -DZOV_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" >/dev/null
fi
cmake --build "$build" --target fuzz_targets

# Binary DXF seeds: the sample drawings saved again as binary DXF by Debian's
# python3-ezdxf (when it is installed), so that the binary reader starts from
# real files.
binary_dxf="$build/seeds/binary_dxf"
python=/usr/bin/python3
[ -x "$python" ] || python=python3
if [ ! -d "$binary_dxf" ] && "$python" -c 'import ezdxf' 2>/dev/null; then
  mkdir -p "$binary_dxf"
  mapfile -t small < <(find "$shared/dxf" -name '*.dxf' -size -16k 2>/dev/null)
  "$python" - "$binary_dxf" "$root"/samples/dxf/*.dxf "${small[@]}" <<'PY' || true
import os, sys
from ezdxf import recover
out = sys.argv[1]
for source in sys.argv[2:]:
    try:
        doc, _ = recover.readfile(source)
        doc.saveas(os.path.join(out, os.path.basename(source)), fmt="bin")
    except Exception as error:
        print(f"no binary seed from {source}: {error}", file=sys.stderr)
PY
fi

# The seed folders of each target (those missing are left out).
seed_folders() {
  case $1 in
    dxf_import) echo "$root/samples/dxf $seeds/dxf_import $shared/dxf $binary_dxf" ;;
    jwc_import) echo "$root/samples/jw $root/samples/jwk" ;;
    jww_reader|jww_import) echo "$shared/jww" ;;
    *) echo "$seeds/$1" ;;
  esac
}

# Drawings are cut to 64 KiB, so that the mutations of a run stay quick;
# the settings and analysis files are small anyway.
max_len() {
  case $1 in
    dxf_import|jwc_import|jww_reader|jww_import) echo 65536 ;;
    *) echo 16384 ;;
  esac
}

export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
passed=0 failed=0
for target in dxf_import jwc_import jww_reader jww_import analysis_rebuild zovview_settings \
              zovedit_settings zr_jwk_settings; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus" "$build/findings"
  folders=()
  for folder in $(seed_folders "$target"); do
    [ -d "$folder" ] && folders+=("$folder")
  done
  echo "== fuzz_$target (${seconds}s)"
  if "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 \
       -rss_limit_mb=2048 -max_len="$(max_len "$target")" -print_final_stats=1 \
       -artifact_prefix="$build/findings/$target-" "$corpus" "${folders[@]}" \
       >"$build/fuzz_$target.log" 2>&1; then
    passed=$((passed + 1))
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)' "$build/fuzz_$target.log" |
      tr '\n' ' '
    echo
  else
    failed=$((failed + 1))
    tail -n 40 "$build/fuzz_$target.log"
    echo "fuzz_$target failed: the input is in $build/findings/"
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
