#!/usr/bin/env bash
# Takes the README's pictures of both programs on a private Xvfb, at the
# normal size and at QT_SCALE_FACTOR=2: installs and builds what is missing,
# then writes the PNG files into docs/ (or the folder given).
#   scripts/screenshots.sh [folder]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
folder="${1:-$TOP/docs}"
mkdir -p "$folder"
"$BUILD_DIR/tools/screenshots" "$folder"
