#!/usr/bin/env bash
# The Quick start where nothing was installed by hand: a minimal Debian 12 made
# by debootstrap from the mirror this machine's apt uses, with only git and
# ca-certificates added to clone the repository's HEAD, then ./test.sh run in
# it RUNS times (the second run shows that a warm tree passes as well). With
# --load, every core is kept busy by stress-ng beside the last run, so a test
# that passes only on an idle machine fails here. As root:
#   scripts/fresh-debian.sh [--runs N] [--load] [--keep]
# The system is made in a temporary folder and removed afterwards, unless
# --keep. Each run's output and time go to that folder's run-N.log.
set -euo pipefail
TOP="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs=2 load=0 keep=0
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) runs="$2"; shift ;;
        --load) load=1 ;;
        --keep) keep=1 ;;
        *) echo "usage: $0 [--runs N] [--load] [--keep]"; exit 2 ;;
    esac
    shift
done
[ "$(id -u)" -eq 0 ] || { echo "$0 makes a chroot: run it as root"; exit 1; }
source "$TOP/scripts/packages.sh"
tools=("debootstrap:makes the fresh Debian 12")
[ "$load" -eq 0 ] || tools+=("stress-ng:keeps every core busy beside the tests")
install_packages "${tools[@]}"

WORK=$(mktemp -d /var/tmp/tavrin-fresh.XXXXXX)
ROOT="$WORK/root"
mounted=()
cleanup() {
    local m
    for ((m = ${#mounted[@]} - 1; m >= 0; m--)); do umount -l "${mounted[m]}" || true; done
    [ "$keep" -eq 1 ] || rm -rf "$WORK"
}
trap cleanup EXIT

MIRROR=$(apt-get indextargets --format '$(REPO_URI) $(CODENAME)' 'Identifier: Packages' |
    awk '$2 == "bookworm" { print $1; exit }')
echo "== debootstrap --variant=minbase bookworm from $MIRROR into $ROOT"
debootstrap --variant=minbase bookworm "$ROOT" "$MIRROR" >"$WORK/debootstrap.log" 2>&1 ||
    { tail -n 20 "$WORK/debootstrap.log"; exit 1; }
# The chroot takes the machine's own package sources, updates included.
rm -f "$ROOT/etc/apt/sources.list"
cp -r /etc/apt/sources.list.d/. "$ROOT/etc/apt/sources.list.d/"
[ ! -f /etc/apt/sources.list ] || cp /etc/apt/sources.list "$ROOT/etc/apt/"
for m in proc sys dev dev/pts; do
    mount --bind "/$m" "$ROOT/$m"
    mounted+=("$ROOT/$m")
done
mount -t tmpfs tmpfs "$ROOT/dev/shm"
mounted+=("$ROOT/dev/shm")
# The clone is made from the repository's own objects (a worktree's too),
# read-only, and checked out at the commit this tree stands on.
COMMIT=$(git -C "$TOP" rev-parse HEAD)
mkdir -p "$ROOT/src.git"
mount --bind "$(git -C "$TOP" rev-parse --path-format=absolute --git-common-dir)" "$ROOT/src.git"
mount -o remount,bind,ro "$ROOT/src.git"
mounted+=("$ROOT/src.git")

inside() { chroot "$ROOT" env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin TERM=dumb "$@"; }
echo "== git and ca-certificates, the clone of ${COMMIT:0:12}"
inside sh -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq git ca-certificates' \
    >"$WORK/clone.log" 2>&1 || { tail -n 20 "$WORK/clone.log"; exit 1; }
inside sh -c "git clone -q --no-checkout /src.git /root/tavrin && git -C /root/tavrin checkout -q $COMMIT" \
    >>"$WORK/clone.log" 2>&1 || { tail -n 20 "$WORK/clone.log"; exit 1; }

failed=0
for ((run = 1; run <= runs; run++)); do
    stress=
    if [ "$load" -eq 1 ] && [ "$run" -eq "$runs" ]; then
        stress-ng --cpu "$(nproc)" --timeout 3h --quiet &
        stress=$!
    fi
    echo "== ./test.sh, run $run of $runs${stress:+, beside stress-ng on every core}"
    start=$SECONDS
    if inside bash -c 'cd /root/tavrin && ./test.sh' >"$WORK/run-$run.log" 2>&1; then
        echo "passed in $((SECONDS - start)) s"
    else
        echo "FAILED after $((SECONDS - start)) s; the end of its output:"
        tail -n 40 "$WORK/run-$run.log"
        failed=1
    fi
    [ -z "$stress" ] || { kill "$stress"; wait "$stress" 2>/dev/null || true; }
done
[ "$keep" -eq 0 ] || echo "the system and its logs are kept in $WORK"
exit "$failed"
