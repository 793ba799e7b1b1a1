#!/usr/bin/env bash
# Installs what is missing, builds into build/ and starts Zentrel.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$ROOT/scripts/setup.sh"
# The embedded browser refuses to start as root without this switch.
if [ "$(id -u)" -eq 0 ]; then
  export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:-} --no-sandbox --disable-gpu"
fi
exec "$ROOT/build/bin/zentrel" "$@"
