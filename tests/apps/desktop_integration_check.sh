#!/usr/bin/env bash
# ZovView on the desktop: the menu entry and the file types are valid, and
# `cmake --install` puts the programs, the help drawing, the menu entry, the
# icon and the file types where the desktop finds them.
#   desktop_integration_check.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

desktop=$source_dir/apps/zovview/desktop/zovview.desktop
mime=$source_dir/apps/zovview/desktop/zovview-mime.xml
desktop-file-validate "$desktop"
xmllint --noout "$mime"
grep -q '^Categories=Graphics;Viewer;Engineering;$' "$desktop" || fail "categories"
for type in application/x-jww application/x-jws application/x-jwcad-data application/x-jwcad-symbol \
            image/vnd.dxf image/vnd.dwg; do
  grep -q "^MimeType=.*$type;" "$desktop" || fail "$type is not opened with ZovView"
done

prefix=$scratch/prefix
cmake --install "$build_dir" --prefix "$prefix" >/dev/null
for file in bin/zovview lib/zovview/zovview-qt.so bin/zr_jwk bin/zovedit share/zovview/ZovV_Hlp.dat \
            share/applications/zovview.desktop share/mime/packages/zovview.xml \
            share/icons/hicolor/scalable/apps/zovview.svg; do
  [ -s "$prefix/$file" ] || fail "$file not installed"
done
# The installed program finds its Qt part in lib/zovview/ and draws with it.
QT_QPA_PLATFORM=offscreen "$prefix/bin/zovview" --render "$source_dir/samples/dxf/plan.dxf" \
  -o "$scratch/installed.png" --home "$scratch/home" --quiet || fail "installed zovview cannot draw"
[ -s "$scratch/installed.png" ] || fail "installed zovview wrote no picture"
# The bundled DWG converter, where setup installed it: with its licence and
# the note on its source, and used by the installed program with no
# converter configured.
converter=$prefix/lib/zovview/dwg-converter
corpus_dwg=$source_dir/../shared/corpus/dwg/807_1.dwg
if [ -f "$source_dir/dwg-converter/node_modules/@mlightcad/libredwg-web/package.json" ]; then
  [ -x "$converter/DCONVERT.EXE" ] || fail "DCONVERT.EXE not installed"
  for file in ADINIT.DAT dwg2dxf.mjs COPYING SOURCE.txt \
              node_modules/@mlightcad/libredwg-web/wasm/libredwg-web.wasm; do
    [ -s "$converter/$file" ] || fail "dwg-converter/$file not installed"
  done
  grep -q 'GNU GENERAL PUBLIC LICENSE' "$converter/COPYING" || fail "COPYING is not the GPL"
  if [ -f "$corpus_dwg" ]; then
    QT_QPA_PLATFORM=offscreen "$prefix/bin/zovview" --render "$corpus_dwg" -o "$scratch/dwg.png" \
      --home "$scratch/dwg-home" --quiet || fail "installed zovview cannot open a DWG"
  fi
fi
desktop-file-validate "$prefix/share/applications/zovview.desktop"
xmllint --noout "$prefix/share/icons/hicolor/scalable/apps/zovview.svg"

# The file types as the desktop's MIME database reads them: the four JW_CAD
# kinds by extension in any case and by their magic text.
update-mime-database "$prefix/share/mime"
[ -s "$prefix/share/mime/application/x-jwcad-data.xml" ] || fail "JW_CAD data type not built"
[ -s "$prefix/share/mime/application/x-jwcad-symbol.xml" ] || fail "JW_CAD symbol type not built"
grep -q 'application/x-jwcad-data:\*\.jwc' "$prefix/share/mime/globs2" || fail "*.jwc glob"
grep -q 'application/x-jwcad-symbol:\*\.jwk' "$prefix/share/mime/globs2" || fail "*.jwk glob"
grep -q 'application/x-jww:\*\.jww' "$prefix/share/mime/globs2" || fail "*.jww glob"
grep -q 'application/x-jws:\*\.jws' "$prefix/share/mime/globs2" || fail "*.jws glob"
grep -q 'jw_cad(c)data' "$prefix/share/mime/magic" || fail "JW_CAD magic"
grep -q 'JwwData\.' "$prefix/share/mime/magic" || fail "JW_CAD for Windows magic"
echo "desktop integration ok"
