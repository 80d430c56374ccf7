# What the end-to-end scripts share: a private Xvfb, a program started in a fresh folder,
# windows found by their title, clicks on $PROGRAM's controls by caption or object name
# (where the build's layout.tsv has them), keys, and the answers to the boxes and the dialog.
set -euo pipefail
DATA="$(cd "$(dirname "${BASH_SOURCE[0]}")/../data" && pwd)"
WORK="$(mktemp -d)"
PIDS=()
trap 'kill "${PIDS[@]}" 2>/dev/null; wait; rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; cat "$WORK/errors" 2>/dev/null >&2; exit 1; }

# The server picks its display number, so that runs side by side never meet; -noreset keeps
# it as it is when the last program leaves, or the next one started could fail to connect.
Xvfb -displayfd 3 -screen 0 2560x1600x24 -nolisten tcp -noreset 3>"$WORK/display" 2>/dev/null &
PIDS+=($!)
for _ in $(seq 200); do grep -q . "$WORK/display" 2>/dev/null && break; sleep 0.1; done
export DISPLAY=":$(cat "$WORK/display")" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$WORK"
export XDG_CONFIG_HOME="$WORK/config" # Qt's file dialog keeps its folders there
# xdotool matches the Chinese window titles in the locale's encoding: a machine
# with no locale set (a fresh Debian, a bare chroot) would find no window.
# C.UTF-8 is part of every Debian C library.
export LC_ALL=C.UTF-8
SCALE=1 LAYOUT="${LAYOUT:-${BUILD:-}/layout.tsv}"

# start PROGRAM FOLDER [SAVED PLAN]: the program in a fresh folder.
start() {
    rm -rf "$2" && mkdir -p "$2"
    if [ -n "${3:-}" ]; then cp "$DATA/$3" "$2/default.txt"; fi
    (cd "$2" && QT_SCALE_FACTOR=$SCALE exec "$1" >/dev/null 2>"$WORK/errors") &
    PID=$!
    PIDS+=($PID)
}
# window TITLE: the visible window of exactly this title, of the program started last if any.
window() {
    timeout "${TIMEOUT:-20}" xdotool search --sync --all --onlyvisible ${PID:+--pid "$PID"} --name "^$1\$" |
        head -n1 || fail "no window '$1'"
}
# at CONTROL: the middle of the control of that caption or name, in pixels.
at() {
    awk -F'\t' -v p="$PROGRAM" -v c="$1" -v s="$SCALE" '$1 == p && ($2 == c || $3 == c) {
        print int(($4 + $6 / 2) * s), int(($5 + $7 / 2) * s); n = 1; exit } END { exit !n }' "$LAYOUT" ||
        fail "$PROGRAM has no control '$1' in $LAYOUT"
}
# click WINDOW CONTROL...: each control of the window in turn.
click() { local w=$1 xy; shift; for c; do xy=$(at "$c"); xdotool mousemove --window "$w" --sync $xy click 1; done; }
# type WINDOW TEXT... and keys WINDOW KEY...: into the focused box of the window.
type() { local w=$1; shift; xdotool windowfocus --sync "$w" type --delay 5 -- "$@"; }
keys() { local w=$1; shift; xdotool windowfocus --sync "$w" key "$@"; }
# answer TITLE KEY: answers the box or dialog of that title; it must go.
answer() {
    local w
    w=$(window "$1")
    keys "$w" "$2"
    for _ in $(seq 200); do xdotool getwindowname "$w" >/dev/null 2>&1 || return 0; sleep 0.1; done
    fail "'$1' stayed open"
}
# export NAME: through the real save dialog, then No to opening it.
export_as() {
    local dialog
    dialog=$(window 保存)
    [ -z "$1" ] || type "$dialog" "$1"
    answer 保存 Return
    answer 保存完成 n
}
same() { cmp "$1" "$DATA/$2" || fail "$1 differs from $2"; }

# install NAME TITLE: installed into a fresh prefix, the menu entry is valid,
# speaks Chinese, names a program and an icon that are there, and the
# installed program shows its window.
install() {
    local prefix="$WORK/prefix" entry
    cmake --install "$BUILD" --prefix "$prefix" >/dev/null
    entry="$prefix/share/applications/$1.desktop"
    desktop-file-validate "$entry" || fail "$entry"
    grep -qP '^Name\[zh_CN\]=.*\p{Han}' "$entry" || fail "no Chinese name in $entry"
    [ -s "$prefix/share/icons/hicolor/scalable/apps/$(sed -n 's/^Icon=//p' "$entry").svg" ] ||
        fail "no icon for $entry"
    start "$prefix/bin/$(sed -n 's/^Exec=//p' "$entry")" "$WORK/installed"
    window "$2" >/dev/null
}
