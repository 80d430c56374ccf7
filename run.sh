#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quorlen, or Brasset with the
# argument "brasset".
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/scripts/setup.sh"

case "${1:-quorlen}" in
    quorlen) binary="$BUILD_DIR/quorlen/quorlen" ;;
    brasset) binary="$BUILD_DIR/brasset/brasset" ;;
    *) echo "usage: $0 [brasset]"; exit 2 ;;
esac
if [ ! -x "$binary" ]; then
    echo "$(basename "$binary") has not been built."
    exit 1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display to show the window on: run it as 'xvfb-run -a $0 $*' (package xvfb) or from a desktop session."
    exit 1
fi
exec "$binary"
