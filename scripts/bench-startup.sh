#!/usr/bin/env bash
# Start-up time and peak memory of Quorlen and Brasset beside a bare Qt
# window program, each started on a private Xvfb: installs and builds what is
# missing, then prints the medians and the ratios to the bare window.
#   scripts/bench-startup.sh [runs]   (default 10)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
"$BUILD_DIR/bench/bench_startup" "${1:-10}"
