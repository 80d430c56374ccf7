#!/usr/bin/env bash
# The Windows build's emulator: runs a Windows program under Wine as on a Chinese Windows
# (LANG=zh_CN.UTF-8 gives Wine the ANSI code page 936); CMake runs the
# Windows build's tests through it, on the display check.sh provides.
set -euo pipefail
export WINEPREFIX="${WINEPREFIX:-/var/cache/tavrin/wine64}" WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}" # no Mono or Gecko prompts
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 QT_FORCE_STDERR_LOGGING=1
# The offscreen platform of a static Qt reads its fonts from one folder: the
# fonts of the Linux tests, so that captions measure the same.
fonts="$WINEPREFIX/qt-fonts"
if [ ! -d "$fonts" ]; then
    mkdir -p "$fonts"
    ln -s /usr/share/fonts/truetype/dejavu/DejaVuSans{,-Bold}.ttf \
        /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc "$fonts/"
fi
export QT_QPA_FONTDIR="${QT_QPA_FONTDIR:-Z:$fonts}"
# Wine hides variables named QT_... from Windows programs and hands them
# WINEQT_... as QT_... instead.
while IFS= read -r name; do export "WINE$name=${!name}"; done < <(compgen -e | grep '^QT_')
exec wine "$@"
