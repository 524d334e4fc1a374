#!/usr/bin/env bash
# `cpack -G DEB` builds one Debian package of the three programs, the help
# drawing and ZovView's desktop files.
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
dpkg-deb -f "$deb" Depends | grep -q fonts-ipafont-gothic || { echo "FAIL: depends" >&2; exit 1; }
echo "$(basename "$deb") ok"
