#!/usr/bin/env bash
# The Windows build's tests under Wine, as on a Chinese Windows: the whole
# offscreen suite, which holds every file written to the same expected bytes
# as on Linux, with ".rtf" opening in a stand-in for the word processor that
# copies what it is given, so the shell's "open" is seen to arrive; and the
# printouts, read as on Linux.
#   check.sh WINDOWS_BUILD_DIR [CTEST OPTIONS]   (scripts/windows-build.sh test runs it)
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$HERE/../e2e/lib.sh" # a display of its own, and set -euo pipefail
BUILD=$(cd "$1" && pwd)
trap 'wineserver -k 2>/dev/null || true; kill "${PIDS[@]}" 2>/dev/null; wait; rm -rf "$WORK"' EXIT
export WINEPREFIX="${WINEPREFIX:-/var/cache/tavrin/wine64}"
locale -a | grep -qix zh_CN.utf8 || fail "no zh_CN.UTF-8 locale (Wine's code page 936): run scripts/windows-build.sh setup"
[ -f "$WINEPREFIX/system.reg" ] || { mkdir -p "$WINEPREFIX" && "$HERE/../../scripts/wine-run.sh" wineboot -i >/dev/null 2>&1 && wineserver -w; }

mkdir "$WORK/opened" "$WORK/pdf"
TAVRIN_OPENED_DIR=$(winepath -w "$WORK/opened" 2>/dev/null)
export TAVRIN_OPENED_DIR
"$HERE/../../scripts/wine-run.sh" reg add 'HKCR\.rtf' /ve /d Tavrin.OpenCheck /f >/dev/null
"$HERE/../../scripts/wine-run.sh" reg add 'HKCR\Tavrin.OpenCheck\shell\open\command' /ve /f \
    /d "C:\windows\system32\cmd.exe /c copy /y \"%1\" \"$TAVRIN_OPENED_DIR\"" >/dev/null
# The printouts are kept, to be read here as on Linux.
TAVRIN_PDF_DIR=$(winepath -w "$WORK/pdf" 2>/dev/null) ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)" "${@:2}"
status=0
# The command line from a console, as an office's script runs it: brasset.com,
# speaking the console's code page (GBK under Wine's zh_CN). Without a
# stdin of its own, Wine's console waits on the terminal's.
summary=$(cd "$WORK" && "$HERE/../../scripts/wine-run.sh" "$BUILD/brasset/brasset.com" --exam \
    "$(winepath -w "$HERE/../data/exams/school.csv" 2>/dev/null)" --order mixed --seed 5 --rtf exam.rtf </dev/null |
    iconv -f GBK -t UTF-8 | tr -d '\r') || status=1
[ "$summary" = "考生 60 人，2 个考场，相邻同班 0 对，随机种子 5" ] && [ -s "$WORK/exam.rtf" ] ||
    { echo "FAIL: brasset.com --exam said: $summary"; status=1; }
shopt -s nullglob
for pdf in "$WORK"/pdf/*.pdf; do
    expected="$HERE/../data/$(basename "${pdf%.pdf}" | sed 's|-|/|')"
    pdftotext -layout "$pdf" - | cmp - "$expected" || status=1
done
exit $status
