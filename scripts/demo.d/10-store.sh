# Demo: a drawing store built from records
# Builds a small drawing store (two line types, three layers, two blocks, seven
# entities and a text) record by record, assembles it into $VV_DAT$.TMP and
# prints its header dump: where each section begins and how many records it holds.
set -euo pipefail
store="$out/store"
"$build/tests/fixtures/sample_store" "$store"
echo "(store and dump: $store)"
