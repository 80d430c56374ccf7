#!/usr/bin/env bash
# Installs what the build needs (Debian packages only) and builds into build/.
# Sourced by run.sh and test.sh; quick when everything is already there.
set -euo pipefail

TOP="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$TOP/build}"
source "$TOP/scripts/packages.sh"

# package: why it is needed
PACKAGES=(
    "g++:the C++ compiler"
    "make:runs the build"
    "cmake:configures the build and runs the tests (CTest)"
    "qt6-base-dev:Qt 6 Widgets, the toolkit of both programs"
    "libgl-dev:OpenGL headers that Qt's CMake files ask for"
    "fonts-wqy-zenhei:a Chinese font, so the captions render instead of boxes"
    "qt6-translations-l10n:Qt's own dialogs and buttons in Chinese"
    "librsvg2-bin:draws the programs' window icons from their SVG files at build time"
    "libxlsxwriter-dev:writes the exam office's workbooks (.xlsx)"
    "qt6-base-private-dev:Qt's own zip reader, which opens the .xlsx class lists"

    # The programs on a real X server: end-to-end tests, screenshots, start-up benchmark.
    "xvfb:a private X server for the end-to-end tests"
    "xauth:xvfb-run, the README's way to show a window without a desktop, needs it"
    "xdotool:clicks and types into the real programs in the end-to-end tests"
    "desktop-file-utils:checks the installed menu entries as desktops read them"
    "poppler-utils:pdftotext reads back what the tests print to PDF"
    "python3-openpyxl:reads back the workbooks the tests write, as a spreadsheet program would"
    "libxcb1-dev:the start-up benchmark watches the X server map each window"
    "imagemagick:import takes the README's screenshots (scripts/screenshots.sh)"
    "xclip:puts the lists the screenshots paste on the clipboard"

    # Hardening: fuzzing and static analysis.
    "clang:compiles the fuzz targets (libFuzzer is clang's)"
    "libclang-rt-14-dev:clang's libFuzzer and sanitizer runtimes"
    "clang-tidy:static analysis (scripts/analyse.sh)"
    "cppcheck:static analysis (scripts/analyse.sh)"
)

# build DIR [cmake options...] [-- targets...]: configures once, then builds
# incrementally, everything or only the targets named.
build() {
    local dir="$1" options=() targets=()
    shift
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
    [ $# -eq 0 ] || { shift; targets=(--target "$@"); }
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$TOP" -B "$dir" "${options[@]}" >/dev/null
    fi
    cmake --build "$dir" -j"$(nproc)" "${targets[@]}" -- --no-print-directory >/dev/null
}

install_packages "${PACKAGES[@]}"
# Scripts that need the packages but build elsewhere (scripts/fuzz.sh) set
# TAVRIN_NO_BUILD before sourcing this.
[ -n "${TAVRIN_NO_BUILD:-}" ] || build "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo
