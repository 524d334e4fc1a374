#!/usr/bin/env bash
# `cpack -G DEB` builds one Debian package of the three programs, the help
# drawing, both desktop entries, compressed manual pages, the copyright file
# and, where setup installed it, the bundled DWG converter; lintian passes it.
#   debian_package_check.sh BUILD_DIR
set -euo pipefail
build_dir=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$build_dir"
cpack -G DEB -B "$scratch" >/dev/null
deb=$(ls "$scratch"/*.deb)
contents=$(dpkg-deb -c "$deb")
for file in usr/bin/zovview usr/lib/zovview/zovview-qt.so usr/bin/zr_jwk usr/bin/zovedit \
            usr/share/zovview/ZovV_Hlp.dat \
            usr/share/applications/zovview.desktop usr/share/mime/packages/zovview.xml \
            usr/share/icons/hicolor/scalable/apps/zovview.svg; do
  grep -q "\./$file\$" <<<"$contents" || { echo "FAIL: $file missing from $deb" >&2; exit 1; }
done
if [ -f "$(dirname "$0")/../../dwg-converter/node_modules/@mlightcad/libredwg-web/package.json" ]; then
  for file in DCONVERT.EXE ADINIT.DAT dwg2dxf.mjs COPYING SOURCE.txt \
              node_modules/@mlightcad/libredwg-web/wasm/libredwg-web.wasm; do
    grep -q "\./usr/lib/zovview/dwg-converter/$file\$" <<<"$contents" ||
      { echo "FAIL: dwg-converter/$file missing from $deb" >&2; exit 1; }
  done
fi
depends=$(dpkg-deb -f "$deb" Depends)
for package in fonts-ipafont-gothic nodejs qt6-translations-l10n; do
  grep -q "$package" <<<"$depends" || { echo "FAIL: depends on no $package" >&2; exit 1; }
done
for file in usr/share/man/man1/zovview.1.gz usr/share/man/man1/zovedit.1.gz \
            usr/share/man/man1/zr_jwk.1.gz usr/share/doc/zov-toolkit/copyright \
            usr/share/doc/zov-toolkit/changelog.gz usr/share/icons/hicolor/scalable/apps/zovedit.svg; do
  grep -q "\./$file\$" <<<"$contents" || { echo "FAIL: $file missing from $deb" >&2; exit 1; }
done
# lintian finds nothing but what is known: the maintainers' address is no
# mail host, and CPack calls ldconfig for the viewer's private Qt module in
# /usr/lib/zovview/ (harmless, and not to be turned off in CPack).
if command -v lintian >/dev/null; then
  findings=$(lintian --suppress-tags bogus-mail-host,bogus-mail-host-in-debian-changelog,maintscript-calls-ldconfig \
             "$deb" 2>&1 | grep -E '^[EW]: ' || true)
  [ -z "$findings" ] || { echo "FAIL: lintian: $findings" >&2; exit 1; }
fi
echo "$(basename "$deb") ok"
