#!/usr/bin/env bash
# Installs the Debian packages the toolkit needs (only those missing), then
# configures and builds incrementally. Usage: scripts/setup.sh BUILD_DIR [cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$1; shift

packages=(build-essential cmake ninja-build qt6-base-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-ipafont-gothic fonts-ipafont-mincho python3-ezdxf groff-base
          qt6-svg-dev poppler-utils xvfb xauth xdotool x11-utils x11-apps imagemagick
          desktop-file-utils libxml2-utils shared-mime-info dpkg-dev fakeroot libdxflib-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja "$@" >/dev/null
fi
cmake --build "$build"
