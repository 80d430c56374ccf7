#!/usr/bin/env bash
# The real brasset on a real X server, as exam staff use it, at the normal
# scale and at QT_SCALE_FACTOR=2; the exports against tests/data.
#   brasset.sh BUILD_DIR
BUILD=$(cd "$1" && pwd)
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
PROGRAM=brasset

for SCALE in 1 2; do
    start "$BUILD/brasset/brasset" "$WORK/b"
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

# Ctrl+E opens 考务编排, though the focus is in a text box that takes Ctrl+E too.
start "$BUILD/brasset/brasset" "$WORK/b"
keys "$(window Form1)" ctrl+e
window 考务编排 >/dev/null
kill "$PID"

# The command line with no display at all, as a script on a server runs it:
# one summary line and nothing else; a failure writes nothing.
mkdir "$WORK/exam" && cd "$WORK/exam"
cp "$DATA/exams/school.csv" .
env -u DISPLAY -u QT_QPA_PLATFORM "$BUILD/brasset/brasset" --exam school.csv --order mixed --seed 5 \
    --xlsx a.xlsx --pdf a.pdf --rtf a.rtf >out 2>err || fail "brasset --exam: status $?, $(cat err)"
[ "$(cat out)" = "考生 60 人，2 个考场，相邻同班 0 对，随机种子 5" ] || fail "brasset --exam said: $(cat out)"
[ ! -s err ] || fail "brasset --exam also said: $(cat err)"
[ -s a.xlsx ] && [ -s a.pdf ] && [ -s a.rtf ] || fail "brasset --exam left: $(ls)"
if env -u DISPLAY "$BUILD/brasset/brasset" --exam gone.csv --xlsx b.xlsx >out 2>err; then fail "no list, yet status 0"; fi
[ ! -e b.xlsx ] && grep -q gone.csv err || fail "no list: $(cat err), $(ls)"
cd - >/dev/null

install brasset Form1
echo "brasset end to end: passed"
