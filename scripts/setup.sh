#!/usr/bin/env bash
# Shared by run.sh and test.sh: installs the Debian packages Zentrel needs when
# any is missing, then configures and builds into build/.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# desktop-file-utils and appstream: the install test checks the launcher and
# the software-centre description with the desktop's own validators.
# libtidy-dev validates pages; libhunspell-dev and hunspell-en-us check their
# spelling.
PACKAGES=(cmake ninja-build g++ ccache qt6-base-dev qt6-svg-dev qt6-webengine-dev
          libgl1-mesa-dri shared-mime-info xvfb xauth
          desktop-file-utils appstream
          libtidy-dev libhunspell-dev hunspell-en-us)

missing=()
for package in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
    || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S "$ROOT" -B "$ROOT/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$ROOT/build" --parallel "$(nproc)"
