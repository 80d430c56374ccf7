#!/usr/bin/env bash
# The Windows installer silently in a fresh Wine prefix: each shortcut starts its program in
# Documents\Tavrin, where Quorlen, started from the Start menu, saves default.txt; a silent
# uninstall takes all it made and leaves the plan.     wine.sh SETUP.EXE LINUX_BUILD/layout.tsv
SETUP=$(realpath "$1") LAYOUT=$(realpath "$2") PROGRAM=quorlen TIMEOUT=60 # Wine starts slowly
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$HERE/../e2e/lib.sh"
trap 'wineserver -k 2>/dev/null || true; kill "${PIDS[@]}" 2>/dev/null; wait; rm -rf "$WORK"' EXIT
unset QT_QPA_PLATFORM # Qt's own Windows platform, as on Windows
export HOME="$WORK" WINEPREFIX="$WORK/prefix" WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
locale -a | grep -qix zh_CN.utf8 || fail "no zh_CN.UTF-8 locale (Chinese shortcut names): run scripts/windows-build.sh setup"
wine() { "$HERE/../../scripts/wine-run.sh" "$@" 2>"$WORK/errors" && wineserver -w; }
U="$WINEPREFIX/drive_c/users/$(id -un)" WIN="C:\\users\\$(id -un)"
MENU="$U/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tavrin"
# Each shortcut with the program it starts; everything the installer makes.
LINKS=("$MENU/Quorlen 座位编排.lnk:quorlen" "$MENU/Brasset 考场编排.lnk:brasset"
    "$U/Desktop/Quorlen 座位编排.lnk:quorlen" "$U/Desktop/Brasset 考场编排.lnk:brasset")
MADE=("${LINKS[@]%:*}" "$MENU/卸载 Tavrin.lnk" "$U/AppData/Local/Programs/Tavrin/"{quorlen,brasset,uninstall}.exe)
# made yes|no: all of it there and listed among the installed programs, or all of it gone.
made() {
    for path in "${MADE[@]}"; do [ "$([ -e "$path" ] && echo yes || echo no)" = "$1" ] || fail "$path: not $1"; done
    [ "$(grep -q '^\[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Tavrin\]' \
        "$WINEPREFIX/user.reg" && echo yes || echo no)" = "$1" ] || fail "uninstall entry: not $1"
}
field() { lnkinfo "$1" | sed -n "s/^\s*$2\s*: //p"; }

wine "$SETUP" /S
made yes
for link in "${LINKS[@]}"; do
    [ "$(field "${link%:*}" 'Local path')" = "$WIN\\AppData\\Local\\Programs\\Tavrin\\${link#*:}.exe" ] &&
        [ "$(field "${link%:*}" 'Working directory')" = "$WIN\\Documents\\Tavrin" ] ||
        fail "${link%:*} does not start ${link#*:}.exe in Documents\\Tavrin"
done
"$HERE/../../scripts/wine-run.sh" start /unix "${LINKS[0]%:*}"
click "$(window Tavrin)" 保存
answer 保存完成 Return
wineserver -k
wine "$U/AppData/Local/Programs/Tavrin/uninstall.exe" /S
made no
same "$U/Documents/Tavrin/default.txt" quorlen/empty.txt
echo "installer under Wine: passed"
