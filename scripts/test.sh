#!/usr/bin/env bash
# Installs what is missing, builds into build/ and runs the whole test suite
# headless.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$ROOT/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
if [ "$(id -u)" -eq 0 ]; then
  export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:-} --no-sandbox --disable-gpu"
fi
cd "$ROOT/build"
ctest --output-on-failure --parallel "$(nproc)" "$@"
