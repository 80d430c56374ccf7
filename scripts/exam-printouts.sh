#!/usr/bin/env bash
# The README's pictures of 考务编排: a made-up grade of 600 in 12 classes,
# seated by Brasset's command line into a workbook, a print pack and a table
# document (kept in build/exam-demo/), the first page of each part of the
# print pack (门贴, 桌贴, 签到表, 总表), and the window itself with the same
# grade pasted and arranged. Builds Brasset if missing; writes the PNG files
# into docs/ (or the folder given).
#   scripts/exam-printouts.sh [folder]
set -euo pipefail
TAVRIN_NO_BUILD=1
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
build "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -- brasset
mkdir -p "${1:-$TOP/docs}" "$BUILD_DIR/exam-demo"
FOLDER="$(cd "${1:-$TOP/docs}" && pwd)"
BUILD="$BUILD_DIR"
source "$TOP/tests/e2e/lib.sh" # the Xvfb, start, window, keys, type
cd "$BUILD_DIR/exam-demo"

# 50 a class, 学号 with the class in front, names of two or three characters.
python3 - <<'EOF'
import random
r = random.Random(2026)
family = "王李张刘陈杨赵黄周吴徐孙胡朱高林何郭马罗梁宋郑谢韩唐冯于董程曹袁邓许傅沈曾彭吕苏卢蒋蔡贾丁魏薛叶余潘杜戴夏钟汪田任姜范方石姚谭廖邹熊金陆郝孔白崔康毛邱秦江史顾侯邵孟龙万段雷钱汤尹黎易常武乔贺赖龚文"
given = "伟 芳 娜 敏 静 丽 强 磊 军 洋 勇 艳 杰 涛 明 超 霞 平 刚 桂英 文博 浩宇 子涵 欣怡 梓轩 雨萱 俊杰 思远 佳琪 一诺 嘉怡 宇航 晨曦 雅婷 志强 秀兰 建国 子豪 诗涵 明轩".split()
with open("grade600.csv", "w", encoding="utf-8") as f:
    f.write("班级,学号,姓名,成绩\n")
    for c in range(1, 13):
        for n in range(1, 51):
            f.write(f"初二({c})班,{c:02d}{n:02d},{r.choice(family)}{r.choice(given)},{r.randint(38, 100)}\n")
EOF
TITLE="2026学年第一学期期末考试 数学 1月15日 8:00–10:00"
TIMEFORMAT="took %Rs"
time "$BUILD/brasset/brasset" --exam grade600.csv --order mixed --seed 2026 --prefix 2026 --title "$TITLE" \
    --xlsx grade600.xlsx --pdf grade600.pdf --rtf grade600.rtf 2>&1
echo "written in $PWD:" grade600.*

# Each page's footer names its part ("门贴 · ", "按班级总表 · "); the first page of each is drawn.
declare -A first
pages=$(pdfinfo grade600.pdf | awk '/^Pages:/ { print $2 }')
for ((page = 1; page <= pages; page++)); do
    part=$(pdftotext -f $page -l $page grade600.pdf - | grep -oEm1 '(门贴|桌贴|签到表|总表) · ') || continue
    first[${part% · }]=${first[${part% · }]:-$page}
done
for pair in 门贴:door 桌贴:labels 签到表:signin 总表:overview; do
    page=${first[${pair%:*}]:?"no ${pair%:*} in grade600.pdf"}
    pdftoppm -r 100 -f "$page" -l "$page" -png -singlefile grade600.pdf "$WORK/page"
    convert "$WORK/page.png" -trim -bordercolor white -border 24 +repage -strip \
        -define png:exclude-chunks=date,time "$FOLDER/exam-${pair#*:}.png"
    echo "wrote $FOLDER/exam-${pair#*:}.png (page $page)"
done

# The window: Ctrl+E does not reach Brasset while one of its text boxes has
# the focus (there it is the key for the end of the line), so 考务编排… is
# opened from the right-click menu. The list is pasted as a spreadsheet
# copies it; the settings are set with the keyboard from 行, where the focus
# stands after the paste.
start "$BUILD/brasset/brasset" "$WORK/b"
w=$(window Form1)
xdotool mousemove --window "$w" --sync 4 4 click 3 mousemove 0 0 sleep 0.5 key Down Down Return
e=$(window 考务编排)
xdotool windowsize --sync "$e" 1120 720
tr , '\t' <grade600.csv | xclip -selection clipboard 2>/dev/null
keys "$e" ctrl+shift+v Tab Tab Tab Tab Tab Down Down Tab Tab Tab ctrl+a # 顺序: 打乱，同班不相邻
type "$e" 2026 && keys "$e" Tab && type "$e" 2026 && keys "$e" Tab         # 随机种子, 考号前缀
printf '%s' "$TITLE" | xclip -selection clipboard 2>/dev/null
keys "$e" ctrl+v F5
# Taken once it has looked the same twice in a row.
last=""
for _ in $(seq 50); do
    now=$(import -window "$e" ppm:- | md5sum)
    [ "$now" != "$last" ] || break
    last=$now && sleep 0.3
done
import -window "$e" +repage -strip -define png:exclude-chunks=date,time "$FOLDER/exam-window.png"
echo "wrote $FOLDER/exam-window.png"
