#!/usr/bin/env bash
# Runs the fuzz targets, each for SECONDS (default 60), or only the ones named:
#   scripts/fuzz.sh [SECONDS] [listinput|pastedlist|leadingnumber|rules|csv|xlsx|examfile ...]
# Each starts from the seed inputs in fuzz/corpus/ and from what earlier runs
# found (kept in build-fuzz/corpus/). A crash, a sanitizer report or a broken
# invariant fails the script and keeps the input in build-fuzz/crashes/.
set -euo pipefail
TAVRIN_NO_BUILD=1
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(listinput pastedlist leadingnumber rules csv xlsx examfile)

FUZZ_DIR="${FUZZ_DIR:-$TOP/build-fuzz}"
build "$FUZZ_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DTAVRIN_FUZZ=ON \
    -- "${targets[@]/#/fuzz_}"

export QT_QPA_PLATFORM=offscreen
mkdir -p "$FUZZ_DIR/crashes"
for target in "${targets[@]}"; do
    binary="$FUZZ_DIR/fuzz/fuzz_$target"
    [ -x "$binary" ] || { echo "no fuzz target '$target'"; exit 2; }
    mkdir -p "$FUZZ_DIR/corpus/$target"
    log="$FUZZ_DIR/fuzz_$target.log"
    if ! "$binary" -max_total_time="$seconds" -timeout=30 -print_final_stats=1 \
        -artifact_prefix="$FUZZ_DIR/crashes/$target-" \
        "$FUZZ_DIR/corpus/$target" "$TOP/fuzz/corpus/$target" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "fuzz_$target FAILED; the input that did it is in $FUZZ_DIR/crashes/"
        exit 1
    fi
    # libFuzzer's closing line: runs, coverage (cov: edges, ft: features),
    # corpus size and speed.
    echo "fuzz_$target: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1)"
done
