#!/usr/bin/env bash
# Installs the Debian packages the toolkit needs (only those missing) and the
# bundled DWG converter, then configures and builds incrementally.
# Usage: scripts/setup.sh BUILD_DIR [cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1; shift

packages=(build-essential cmake ninja-build qt6-base-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-ipafont-gothic fonts-ipafont-mincho python3-ezdxf groff-base
          qt6-svg-dev qt6-translations-l10n poppler-utils xvfb xauth xdotool x11-utils x11-apps imagemagick
          desktop-file-utils libxml2-utils shared-mime-info dpkg-dev fakeroot lintian libdxflib-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# Node.js and npm run the bundled DWG converter; a Node.js of another origin
# that is already there (with its own npm) is used as it is.
command -v node >/dev/null || command -v nodejs >/dev/null || missing+=(nodejs)
command -v npm >/dev/null || missing+=(npm)
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The bundled DWG converter in dwg-converter/ (ignored by git): our
# DCONVERT.EXE and its script, and LibreDWG for WebAssembly at a pinned version
# from the npm registry. Once installed it works offline. Without it the
# viewer still runs; DWG files then need a converter of the user's own.
converter="$root/dwg-converter"
converter_source="$root/apps/zovview/dwg_converter"
mkdir -p "$converter"
cp "$converter_source"/{DCONVERT.EXE,ADINIT.DAT,dwg2dxf.mjs,package.json,SOURCE.txt} "$converter/"
cp /usr/share/common-licenses/GPL-3 "$converter/COPYING"
pinned=$(sed -n 's/.*"@mlightcad\/libredwg-web": "\(.*\)".*/\1/p' "$converter/package.json")
installed="$converter/node_modules/@mlightcad/libredwg-web/package.json"
if ! grep -q "\"version\": \"$pinned\"" "$installed" 2>/dev/null; then
  echo "Installing the DWG converter (@mlightcad/libredwg-web $pinned)"
  (cd "$converter" && npm install --no-audit --no-fund --no-package-lock --omit=dev \
     --ignore-scripts --loglevel=error >/dev/null) ||
    echo "warning: the bundled DWG converter could not be installed; DWG files need a converter of your own" >&2
fi

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja "$@" >/dev/null
fi
cmake --build "$build"
