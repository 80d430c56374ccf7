#!/usr/bin/env bash
# Takes the README's pictures of both programs on a private Xvfb: Quorlen's
# filled classroom with the podium at the front and at the back, its exam
# panel, context menu, print preview, random seating and about window; Brasset with eight
# rooms filled and its print preview; both again at QT_SCALE_FACTOR=2. The
# real programs are driven with xdotool as the end-to-end tests drive them,
# clicking the controls where the build's layout.tsv has them, and ImageMagick
# takes the pictures. Installs and builds what is missing, then writes the
# PNG files into docs/ (or the folder given).
#   scripts/screenshots.sh [folder]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
mkdir -p "${1:-$TOP/docs}"
FOLDER="$(cd "${1:-$TOP/docs}" && pwd)"
BUILD="$BUILD_DIR"
source "$TOP/tests/e2e/lib.sh" # the Xvfb, start, window, click, keys, type
DATA="$WORK"                   # where start finds the saved plan

# names N: made-up names of two or three characters, as a class list has them.
names() {
    awk -v n="$1" 'BEGIN {
        f = split("王 李 张 刘 陈 杨 赵 黄 周 吴 徐 孙 胡 朱 高 林 何 郭", family, " ")
        g = split("伟 芳 娜 秀英 敏 静 丽 强 磊 军 洋 勇 艳 杰 娟 涛 明 超 晓燕 霞 平 刚 桂英 文博", given, " ")
        for (i = 0; i < n; i++) print family[i % f + 1] given[(i * 7 + int(i / f)) % g + 1] }'
}
# The pointer leaves the window after each click, so that no tool tip or
# hovered button shows in a picture.
press() { click "$@" && xdotool mousemove 0 0; }
grab() { import "$@" ppm:- 2>/dev/null | md5sum; }
# after WINDOW COMMAND...: the command, then a wait until the window shows something else.
after() {
    local w=$1 before
    shift
    before=$(grab -window "$w")
    "$@"
    for _ in $(seq 100); do
        [ "$(grab -window "$w")" = "$before" ] || return 0
        sleep 0.1
    done
    fail "nothing changed after $*"
}
# paste WINDOW LINES: pasted with Ctrl+V into the window's focused box, as a
# list copied from a spreadsheet arrives.
# xclip serves the clipboard until the server goes, and then says so: not worth showing.
paste_lines() { printf '%s' "$2" | xclip -selection clipboard 2>/dev/null && after "$1" keys "$1" ctrl+v; }
# shot NAME IMPORT_OPTION...: what import takes with these options, once it
# is drawn (more than a bare background) and has stayed the same three looks
# in a row, as NAME.png.
shot() {
    local name=$1 same=0 last="" now
    shift
    for _ in $(seq 100); do
        now=$(import "$@" "$WORK/shot.ppm" && md5sum <"$WORK/shot.ppm")
        if [ "$now" = "$last" ] && [ "$(identify -format %k "$WORK/shot.ppm")" -gt 2 ]; then
            [ $((++same)) -ge 2 ] && break
        else
            same=0
        fi
        last=$now
        sleep 0.2
    done
    import "$@" +repage -strip -define png:exclude-chunks=date,time "$FOLDER/$name.png"
    echo "wrote $FOLDER/$name.png"
}
# other WINDOW: the program's window that comes up beside this one.
other() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --all --onlyvisible --pid "$PID" 2>/dev/null | grep -vx "$1" | head -n1) || true
        [ -z "$id" ] || { echo "$id" && return 0; }
        sleep 0.1
    done
    fail "no window came up beside $1"
}
# close WINDOW KEY: the key closes the window in front of this one.
close() {
    keys "$(other "$1")" "$2"
    for _ in $(seq 100); do
        [ -n "$(xdotool search --all --onlyvisible --pid "$PID" | grep -vx "$1")" ] || return 0
        sleep 0.1
    done
    fail "a window beside $1 stayed open"
}
# quit: the program started last ends, so that the next has the screen to itself.
quit() { if [ -n "${PID:-}" ]; then kill "$PID" 2>/dev/null || true; wait "$PID" 2>/dev/null || true; fi; }

names 33 | sed 's/$/\r/' | iconv -t GBK >"$WORK/class.txt"
printf 'NULL\r\nNULL\r\n' >>"$WORK/class.txt"
PROGRAM=quorlen
for SCALE in 1 2; do
    quit
    start "$BUILD/quorlen/quorlen" "$WORK/q" class.txt
    w=$(window Tavrin)
    if [ "$SCALE" = 2 ]; then shot quorlen-scale2 -window "$w" && continue; fi
    shot quorlen -window "$w"
    after "$w" press "$w" 讲台位置
    shot quorlen-podium-back -window "$w"
    after "$w" press "$w" Brasset
    paste_lines "$w" "$(names 40)"
    shot quorlen-exam-panel -window "$w"
    after "$w" press "$w" 返回
    # The menu of a right-click beside a seat (on a seat it fixes the seat),
    # with the window around it.
    read -r x y <<<"$(at Command1_17)"
    xdotool mousemove --window "$w" --sync $((x - 41)) "$y" click 3 mousemove 0 0
    other "$w" >/dev/null
    eval "$(xdotool getwindowgeometry --shell "$w")"
    shot quorlen-context-menu -window root -crop "${WIDTH}x$HEIGHT+$X+$Y"
    close "$w" Escape
    # Ctrl+P asks for a title line first.
    keys "$w" ctrl+p
    paste_lines "$(window 打印)" "三年二班 9月1日"
    answer 打印 Return
    shot quorlen-print-preview -window "$(other "$w")"
    close "$w" Escape
    # The random seating: a seat fixed by a right-click, rules typed into the
    # dialog of Ctrl+R, and a run with the seed typed.
    xdotool mousemove --window "$w" --sync $(at Command1_0) click 3 mousemove 0 0
    keys "$w" ctrl+r
    d=$(window 随机排座)
    keys "$d" alt+s ctrl+a && type "$d" 20240901
    mapfile -t n < <(names 33)
    for rule in "alt+a ${n[3]}、${n[8]}"$'\n'"${n[12]}、${n[20]}" "alt+t ${n[5]}、${n[6]}" "alt+f ${n[30]}"$'\n'"张三"; do
        keys "$d" "${rule%% *}"
        paste_lines "$d" "${rule#* }"
    done
    after "$d" keys "$d" alt+s Return
    shot quorlen-reseat -window "$d"
    close "$w" Escape
    # The about window opens on a double-click on the designer's panel.
    xdotool mousemove --window "$w" --sync $(at StatusBar1_3) click --repeat 2 --delay 80 1 mousemove 0 0
    shot quorlen-about -window "$(other "$w")"
done

PROGRAM=brasset
for SCALE in 1 2; do
    quit
    start "$BUILD/brasset/brasset" "$WORK/b"
    w=$(window Form1)
    press "$w" Text2 # persons per room
    keys "$w" ctrl+a
    type "$w" 36
    press "$w" Text1 # the names
    paste_lines "$w" "$(names 288)"
    after "$w" press "$w" 编排
    if [ "$SCALE" = 2 ]; then shot brasset-scale2 -window "$w" && continue; fi
    shot brasset -window "$w"
    keys "$w" ctrl+p
    shot brasset-print-preview -window "$(other "$w")"
done
