#!/usr/bin/env bash
# The real brasset on a real X server, as exam staff use it, at the normal
# scale and at QT_SCALE_FACTOR=2; the exports against tests/data.
#   brasset.sh BUILD_DIR
BUILD=$(cd "$1" && pwd)
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
PROGRAM=brasset

for SCALE in 1 2; do
    start "$BUILD/rooms/brasset" "$WORK/b"
    w=$(window Form1)
    click "$w" Text1 # the names
    type "$w" "$(seq -f 'N%g' 40 | paste -sd '\r')"
    click "$w" Text2 # persons per room, typed over
    keys "$w" ctrl+a
    type "$w" 32
    click "$w" 编排 导出
    export_as rooms
    same "$WORK/b/rooms.rtf" brasset/rows.rtf
    # Turned, and exported again to the name the dialog offers.
    click "$w" 旋转 导出
    export_as ""
    same "$WORK/b/rooms.rtf" brasset/rows-turned.rtf
    click "$w" 退出
    wait "$PID" || fail "brasset ended with status $?"
done

install brasset Form1
echo "brasset end to end: passed"
