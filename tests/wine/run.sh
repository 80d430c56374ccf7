#!/usr/bin/env bash
# Runs one Windows program of the build under Wine, as on a Chinese Windows:
# LANG=zh_CN.UTF-8 gives Wine the code page 936 (GBK) as its ANSI code page.
# The Windows build's tests run through this (CMake's cross-compiling
# emulator); it needs an X display, which check.sh provides.
set -euo pipefail
export WINEPREFIX="${WINEPREFIX:-/var/cache/tavrin/wine64}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer prompts when the prefix is made.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
# Qt's warnings to the console rather than to the Windows debugger.
export QT_FORCE_STDERR_LOGGING=1
# Qt's offscreen platform, which the tests draw on, reads its fonts on
# Windows from one folder, and a static Qt has none: the fonts the Linux
# tests get, so that captions measure the same.
if [ -z "${QT_QPA_FONTDIR:-}" ]; then
    fonts="$WINEPREFIX/qt-fonts"
    if [ ! -d "$fonts" ]; then
        mkdir -p "$fonts"
        ln -s /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf \
            /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf \
            /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc "$fonts/"
    fi
    export QT_QPA_FONTDIR="Z:$fonts"
fi
# Wine keeps variables beginning with QT_ from Windows programs and hands
# them WINEQT_... as QT_... instead; the tests need QT_QPA_PLATFORM.
while IFS= read -r name; do
    export "WINE$name=${!name}"
done < <(compgen -e | grep '^QT_')
exec wine "$@"
