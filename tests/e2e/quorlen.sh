#!/usr/bin/env bash
# The real quorlen on a real X server, as a teacher uses it, at the normal
# scale and at QT_SCALE_FACTOR=2; the files it writes against tests/data.
#   quorlen.sh BUILD_DIR
BUILD=$(cd "$1" && pwd)
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
QUORLEN="$BUILD/quorlen/quorlen" PROGRAM=quorlen
drag() { xdotool mousemove --window "$1" --sync $(at "$2") mousedown 1 mousemove --window "$1" --sync $(at "$3") mouseup 1; }

for SCALE in 1 2; do
    # The half turn, seat 0 dragged onto seat 10, both taken back and done
    # again from the keyboard, then saved.
    start "$QUORLEN" "$WORK/q" quorlen/class.txt
    w=$(window Tavrin)
    click "$w" 旋转
    drag "$w" Command1_0 Command1_10
    keys "$w" ctrl+z ctrl+z ctrl+shift+z ctrl+y
    click "$w" 保存
    answer 保存完成 Return
    same "$WORK/q/default.txt" quorlen/Command5.txt

    # The exam panel: 36 typed lines, "横S正排(7*5)", then "保存", which
    # lies under the panel until it has gone.
    start "$QUORLEN" "$WORK/q" quorlen/class.txt
    w=$(window Tavrin)
    click "$w" Brasset
    type "$w" "$(seq -f 'S%02g' 36 | paste -sd '\r')"
    click "$w" '横S正排(7*5)' 保存
    answer 保存完成 Return
    same "$WORK/q/default.txt" quorlen/Command12.txt
done

# "另存为" through the real save dialog, which adds nothing to the name.
start "$QUORLEN" "$WORK/q" quorlen/class.txt
w=$(window Tavrin)
click "$w" 另存为
export_as plan
same "$WORK/q/plan.rtf" quorlen/class.rtf

install quorlen Tavrin
echo "quorlen end to end: passed"
