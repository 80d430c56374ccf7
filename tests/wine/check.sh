#!/usr/bin/env bash
# The Windows build's tests under Wine, as on a Chinese Windows: the whole
# offscreen suite, which holds every file written to the same expected bytes
# as on Linux, with ".rtf" opening in a stand-in for the word processor that
# copies what it is given, so the shell's "open" is seen to arrive; and the
# printouts, read as on Linux.
#   check.sh WINDOWS_BUILD_DIR [CTEST OPTIONS]   (scripts/windows-build.sh test runs it)
set -euo pipefail
BUILD=$(cd "$1" && pwd)
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEPREFIX="${WINEPREFIX:-/var/cache/tavrin/wine64}"
WORK=$(mktemp -d)
trap 'wineserver -k 2>/dev/null; kill "$XVFB" 2>/dev/null; rm -rf "$WORK"' EXIT

# Wine's ANSI code page is 936 under a Chinese locale.
if ! locale -a | grep -qix zh_CN.utf8; then
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >>/etc/locale.gen
    locale-gen >/dev/null
fi
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" 2>/dev/null &
XVFB=$!
for _ in $(seq 100); do grep -q . "$WORK/display" && break || sleep 0.1; done
export DISPLAY=":$(cat "$WORK/display")"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$HERE/run.sh" wineboot -i >/dev/null 2>&1
    wineserver -w
fi

mkdir "$WORK/opened"
TAVRIN_OPENED_DIR=$(winepath -w "$WORK/opened" 2>/dev/null)
export TAVRIN_OPENED_DIR
command="C:\\windows\\system32\\cmd.exe /c copy /y \"%1\" \"$TAVRIN_OPENED_DIR\""
command=${command//\\/\\\\}
cat >"$WORK/open.reg" <<REG
REGEDIT4

[HKEY_CLASSES_ROOT\\.rtf]
@="Tavrin.OpenCheck"

[HKEY_CLASSES_ROOT\\Tavrin.OpenCheck\\shell\\open\\command]
@="${command//\"/\\\"}"
REG
"$HERE/run.sh" regedit /S "$(winepath -w "$WORK/open.reg" 2>/dev/null)"
# The printouts are kept, to be read here as on Linux.
mkdir "$WORK/pdf"
TAVRIN_PDF_DIR=$(winepath -w "$WORK/pdf" 2>/dev/null) ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)" "${@:2}"
status=0
for pdf in "$WORK"/pdf/*.pdf; do
    expected="$HERE/../data/$(basename "${pdf%.pdf}" | sed 's|-|/|')"
    pdftotext -layout "$pdf" - | cmp - "$expected" || status=1
done
exit $status
