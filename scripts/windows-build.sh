#!/usr/bin/env bash
# Builds quorlen.exe and brasset.exe for 64-bit Windows on Debian 12 (as
# root), and runs the test suite built for Windows under Wine.
#
#   scripts/windows-build.sh          everything below, in order
#   scripts/windows-build.sh qt       only Qt for Windows, into its cache
#   scripts/windows-build.sh exe      Qt if missing, then the two programs
#   scripts/windows-build.sh setup    the above, then the installer and the zip in dist/
#   scripts/windows-build.sh test     the above, then the tests and the installer under Wine
#
# Debian has MinGW-w64 but no Qt for it, so Debian's own Qt source (the same
# version as the Qt the Linux build uses) is cross-built once, static, into
# a cache outside the repository and reused; that takes about 50 minutes on
# two cores. The programs are linked statically: each .exe is one file that
# needs no DLL beside it.
set -euo pipefail

TOP="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
QT_WIN="${QT_WIN:-/var/cache/tavrin/qt6-win64}"
QT_WIN_WORK="${QT_WIN_WORK:-/var/tmp/tavrin-qt6-win64}"
XLSX_WIN="${XLSX_WIN:-/var/cache/tavrin/xlsxwriter-win64}"
XLSX_WIN_WORK="${XLSX_WIN_WORK:-/var/tmp/tavrin-xlsxwriter-win64}"
WIN_BUILD_DIR="${WIN_BUILD_DIR:-$TOP/build-win64}"
DIST="${DIST:-$TOP/dist}"
export WINEPREFIX="${WINEPREFIX:-/var/cache/tavrin/wine64}"
JOBS="$(nproc)"

source "$TOP/scripts/packages.sh"
# package: why it is needed
PACKAGES=(
    "g++-mingw-w64-x86-64-posix:the Windows compilers"
    "cmake:Qt's build and the programs' build"
    "ninja-build:Qt's build"
    "perl:Qt's build"
    "dpkg-dev:apt-get source unpacks Qt's and libxlsxwriter's source"
    "libz-mingw-w64-dev:zlib for Windows, which libxlsxwriter packs the workbooks with"
    "libxlsxwriter-dev:the libxlsxwriter version whose source is built for Windows"
    "qt6-base-dev:Qt's own tools (moc, rcc, uic) run on this machine"
    "libgl-dev:Qt's CMake files ask for OpenGL headers"
    "qt6-translations-l10n:Qt's buttons in Chinese, built into the programs"
    "librsvg2-bin:draws the programs' icons from their SVG files"
    "icoutils:makes the .ico files of the icons"
    "wine:runs the Windows tests"
    "wine64:runs the 64-bit Windows programs"
    "xvfb:the display the Windows tests run on"
    "xauth:the display's access rights"
    "xdotool:clicks in Quorlen, installed under Wine"
    "locales:the zh_CN.UTF-8 locale, for Wine's Chinese code page"
    "fonts-wqy-zenhei:a Chinese font under Wine"
    "fonts-dejavu-core:the fonts the tests measure captions with"
    "poppler-utils:reads the printouts the tests make"
    "nsis:makes the installer"
    "zip:makes the zip"
    "liblnk-utils:the installer's test reads the shortcuts it made"
    "g++:builds, for Linux, the program that tells that test where Quorlen's buttons are"
    "make:runs that Linux build"
)

log() { printf '== %s\n' "$*"; }

# Wine takes its ANSI code page from the locale: 936 (GBK) under zh_CN.UTF-8,
# as on a Chinese Windows. Without it the tests' files come out in another
# code page, and the installer cannot make its shortcuts with Chinese names.
chinese_locale() {
    locale -a | grep -qix zh_CN.utf8 && return 0
    log "making the zh_CN.UTF-8 locale"
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >>/etc/locale.gen
    locale-gen >/dev/null
}

# apt-get source needs a deb-src entry; Debian's cloud images have none.
# The entry is made from the machine's own binary sources, so the source
# comes from the same mirror the machine already uses.
ensure_deb_src() {
    if grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        return 0
    fi
    log "adding source packages to apt, from the machine's own sources"
    local list=/etc/apt/sources.list.d/tavrin-deb-src
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb\([[:space:]]\)/deb-src\1/p' /etc/apt/sources.list >"$list.list"
    fi
    local file
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        case "$file" in "$list.sources") continue ;; esac
        # deb822 stanzas: the same entry with the source type.
        sed 's/^Types:.*$/Types: deb-src/' "$file"
        echo
    done >"$list.sources"
    [ -s "$list.list" ] || rm -f "$list.list"
    [ -s "$list.sources" ] || rm -f "$list.sources"
    apt-get update -qq
}

# Only what Quorlen, Brasset and their tests use; the tablet header is not in
# Debian's source, and ICU (for other code pages than the system's) is
# replaced by the Win32 code-page API in common/ansitext. Print support is
# in for printing and the PDF output.
QT_CONFIGURE=(
    -xplatform win32-g++ -static -release
    -qt-host-path /usr -no-pkg-config
    -no-icu -no-opengl -no-dbus -no-feature-tabletevent
    -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz
    -no-feature-sql -no-feature-network
    -nomake examples -nomake tests
)

# What the cache was built from: Qt's version and the configure options. A
# change to either builds it again; the same ones reuse it.
qt_stamp() {
    printf '%s\n' "$(dpkg-query -W -f='${source:Version}' qt6-base-dev)" "${QT_CONFIGURE[@]}"
}

# built CACHE STAMP: whether CACHE was built, completely, from what STAMP says.
built() { [ -f "$1/.build-complete" ] && [ "$(cat "$1/.build-complete")" = "$2" ]; }

# debian_source PACKAGE VERSION WORK: Debian's source of that version,
# unpacked into the emptied folder WORK; prints the source folder.
debian_source() {
    ensure_deb_src >&2
    rm -rf "$3"
    mkdir -p "$3"
    (cd "$3" && apt-get source -qq "$1=$2" >/dev/null 2>&1)
    find "$3" -maxdepth 1 -mindepth 1 -type d -name "$1-*" | head -n1
}

build_qt() {
    built "$QT_WIN" "$(qt_stamp)" && return 0
    local version src
    version="$(dpkg-query -W -f='${source:Version}' qt6-base-dev)"
    log "building Qt $version for Windows into $QT_WIN (about 50 minutes)"
    rm -rf "$QT_WIN"
    src="$(debian_source qt6-base "$version" "$QT_WIN_WORK")"
    mkdir -p "$QT_WIN_WORK/build"
    (cd "$QT_WIN_WORK/build" && "$src/configure" -prefix "$QT_WIN" "${QT_CONFIGURE[@]}" -- \
        -DCMAKE_TOOLCHAIN_FILE="$TOP/scripts/mingw-w64-x86_64.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
    nice -n 10 cmake --build "$QT_WIN_WORK/build" --parallel "$JOBS"
    cmake --install "$QT_WIN_WORK/build" >/dev/null
    # Qt's license texts go out with every package that holds the programs.
    mkdir -p "$QT_WIN/licenses"
    cp -r "$src"/LICENSES/. "$QT_WIN/licenses/" 2>/dev/null || cp "$src"/LICENSE.* "$QT_WIN/licenses/"
    qt_stamp >"$QT_WIN/.build-complete"
    rm -rf "$QT_WIN_WORK"
    log "Qt for Windows is in $QT_WIN ($(du -sh "$QT_WIN" | cut -f1))"
}

# libxlsxwriter writes the exam office's workbooks. Debian has no build of it
# for MinGW either: its source, the version the Linux build uses, comes the
# way Qt's does and is built static, with its own minizip and MinGW's zlib,
# into a folder of its own that the programs' build is pointed at
# (TAVRIN_XLSXWRITER_ROOT). A minute or two.
xlsxwriter_stamp() { dpkg-query -W -f='${source:Version}' libxlsxwriter-dev; }

build_xlsxwriter() {
    built "$XLSX_WIN" "$(xlsxwriter_stamp)" && return 0
    local version src
    version="$(xlsxwriter_stamp)"
    log "building libxlsxwriter $version for Windows into $XLSX_WIN"
    rm -rf "$XLSX_WIN"
    src="$(debian_source libxlsxwriter "$version" "$XLSX_WIN_WORK")"
    cmake -S "$src" -B "$XLSX_WIN_WORK/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$TOP/scripts/mingw-w64-x86_64.cmake" \
        -DCMAKE_INSTALL_PREFIX="$XLSX_WIN" -DBUILD_SHARED_LIBS=OFF \
        -DUSE_SYSTEM_MINIZIP=OFF -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF \
        -DUSE_DTOA_LIBRARY=ON >/dev/null # numbers written alike whatever the desktop's language
    nice -n 10 cmake --build "$XLSX_WIN_WORK/build" --parallel "$JOBS" >/dev/null
    cmake --install "$XLSX_WIN_WORK/build" >/dev/null
    # zlib beside it, so that the programs' build searches this folder only;
    # both licenses go out with the packages, as Qt's do.
    cp /usr/x86_64-w64-mingw32/lib/libz.a "$XLSX_WIN/lib/"
    mkdir -p "$XLSX_WIN/licenses"
    cp "$(find "$src" -maxdepth 1 -iname 'license*' | head -n1)" "$XLSX_WIN/licenses/libxlsxwriter.txt"
    cp /usr/share/doc/libz-mingw-w64-dev/copyright "$XLSX_WIN/licenses/zlib.txt"
    xlsxwriter_stamp >"$XLSX_WIN/.build-complete"
    rm -rf "$XLSX_WIN_WORK"
}

build_exe() {
    build_xlsxwriter
    if [ -f "$WIN_BUILD_DIR/CMakeCache.txt" ]; then
        # A build folder made before the workbooks learns where libxlsxwriter is.
        cmake -B "$WIN_BUILD_DIR" -DTAVRIN_XLSXWRITER_ROOT="$XLSX_WIN" >/dev/null
    else
        # The toolchain is named again so that a Qt cache built from another
        # clone of the repository still finds this one's.
        cmake -S "$TOP" -B "$WIN_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$QT_WIN/lib/cmake/Qt6/qt.toolchain.cmake" \
            -DQT_CHAINLOAD_TOOLCHAIN_FILE="$TOP/scripts/mingw-w64-x86_64.cmake" \
            -DCMAKE_CROSSCOMPILING_EMULATOR="$TOP/scripts/wine-run.sh" \
            -DTAVRIN_XLSXWRITER_ROOT="$XLSX_WIN" >/dev/null
    fi
    log "building the Windows programs and tests in $WIN_BUILD_DIR"
    cmake --build "$WIN_BUILD_DIR" --parallel "$JOBS" >/dev/null
    local exe dlls
    for exe in quorlen/quorlen.exe brasset/brasset.exe brasset/brasset.com; do
        # One file each: nothing but Windows' own DLLs may be imported.
        dlls="$(x86_64-w64-mingw32-objdump -p "$WIN_BUILD_DIR/$exe" | sed -n 's/^\s*DLL Name: //p' |
            grep -iE '^(qt6|lib|libstdc|libgcc|libwinpthread)' || true)"
        if [ -n "$dlls" ]; then
            echo "$exe needs DLLs that Windows does not have: $dlls" >&2
            exit 1
        fi
        printf '%6s  %s\n' "$(du -h "$WIN_BUILD_DIR/$exe" | cut -f1)" "$WIN_BUILD_DIR/$exe"
    done
}

# windows_text: text as Windows' Notepad reads it, lines ended by CR LF.
windows_text() { sed 's/\r*$/\r/'; }

# The installer and the zip, from the programs, a Chinese read-me (UTF-8
# with a byte-order mark, which every Notepad shows right), the project's
# license and Qt's, which is linked into both programs.
build_setup() {
    local cache="$WIN_BUILD_DIR/CMakeCache.txt" stage="$WIN_BUILD_DIR/package" version name license
    version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$cache")"
    name="Tavrin-$version"
    rm -rf "$stage"
    mkdir -p "$stage/$name/licenses/Qt" "$DIST"
    {
        printf '\xef\xbb\xbf'
        sed -e "s/@VERSION@/$version/g" -e "s/@QT_VERSION@/$(head -n1 "$QT_WIN/.build-complete")/" \
            -e "s|@HOMEPAGE@|$(sed -n 's/^CMAKE_PROJECT_HOMEPAGE_URL:STATIC=//p' "$cache")|" \
            "$TOP/packaging/README-windows.txt" | windows_text
    } >"$stage/$name/README.txt"
    windows_text <"$TOP/LICENSE" >"$stage/$name/LICENSE.txt"
    for license in "$QT_WIN"/licenses/*; do
        windows_text <"$license" >"$stage/$name/licenses/Qt/${license##*/}"
    done
    for license in "$XLSX_WIN"/licenses/*; do
        windows_text <"$license" >"$stage/$name/licenses/${license##*/}"
    done
    SETUP="$DIST/$name-setup.exe"
    log "making $SETUP and $DIST/$name-win64.zip"
    makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DOUTFILE="$SETUP" \
        -DBUILD="$WIN_BUILD_DIR" -DFILES="$stage/$name" "$TOP/packaging/tavrin.nsi"
    cp "$WIN_BUILD_DIR"/quorlen/quorlen.exe "$WIN_BUILD_DIR"/brasset/brasset.exe \
        "$WIN_BUILD_DIR"/brasset/brasset.com "$stage/$name/"
    rm -f "$DIST/$name-win64.zip"
    (cd "$stage" && zip -q -9 -r -X "$DIST/$name-win64.zip" "$name")
}

main() {
    local what="${1:-all}" layout
    case "$what" in
    qt | exe | setup | test | all) ;;
    *)
        echo "usage: $0 [qt|exe|setup|test|all]" >&2
        exit 2
        ;;
    esac
    install_packages "${PACKAGES[@]}"
    chinese_locale
    build_qt
    [ "$what" = qt ] && return 0
    build_xlsxwriter
    build_exe
    [ "$what" = exe ] && return 0
    build_setup
    [ "$what" = setup ] && return 0
    "$TOP/tests/wine/check.sh" "$WIN_BUILD_DIR"
    layout="$(linux_layout)"
    "$TOP/tests/package/wine.sh" "$SETUP" "$layout"
    log "done in $((SECONDS / 60)) min $((SECONDS % 60)) s"
}

main "$@"
