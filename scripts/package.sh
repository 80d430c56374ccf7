#!/usr/bin/env bash
# Makes the release packages into dist/, as root on Debian 12, and checks
# them:
#   Tavrin-VERSION-setup.exe   the Windows installer (NSIS), for one user, no administrator rights
#   Tavrin-VERSION-win64.zip   both .exe files and a Chinese read-me, for those who may not install
#   tavrin_VERSION_amd64.deb   the Debian package (CPack), which lintian must pass without errors
#
#   scripts/package.sh              make all three, then check them: the installer
#                                   under Wine, the .deb installed by apt into a
#                                   fresh Debian 12 (a chroot made by debootstrap)
#   scripts/package.sh build        only make them
#   scripts/package.sh screenshots  the installer's pictures in docs/, under Wine
#
# The Windows files come from scripts/windows-build.sh, which builds Qt for
# Windows first if its cache is missing (about 50 minutes, once).
set -euo pipefail
TAVRIN_NO_BUILD=1 source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
export DIST="${DIST:-$TOP/dist}"
DEB_BUILD_DIR="${DEB_BUILD_DIR:-$TOP/build-deb}"
WIN_BUILD_DIR="${WIN_BUILD_DIR:-$TOP/build-win64}"

log() { printf '== %s\n' "$*"; }

# The Linux programs as Debian builds its own: dpkg-buildflags' optimisation
# and hardening, for /usr; CPack strips them and reads their dependencies.
build_deb() {
    if [ ! -f "$DEB_BUILD_DIR/CMakeCache.txt" ]; then
        export DEB_BUILD_MAINT_OPTIONS=hardening=+all
        CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
            LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
            cmake -S "$TOP" -B "$DEB_BUILD_DIR" -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
            -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
    fi
    log "building the Linux programs in $DEB_BUILD_DIR"
    nice -n 10 cmake --build "$DEB_BUILD_DIR" --target quorlen brasset -j"$(nproc)" -- --no-print-directory >/dev/null
    (cd "$DEB_BUILD_DIR" && cpack -G DEB -B "$DEB_BUILD_DIR/package" >/dev/null)
    cp "$DEB_BUILD_DIR/package/${DEB##*/}" "$DEB"
    log "lintian $DEB"
    lintian --fail-on error --display-info "$DEB"
}

# The README's pictures of the installer under Wine, in a fresh prefix on a
# private Xvfb, on Wine's own desktop (explorer /desktop), which draws title
# bars, a taskbar and a Start menu as Windows does.
screenshots() {
    local work desktop
    work="$(mktemp -d)"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
    # shellcheck disable=SC2064
    trap "wineserver -k 2>/dev/null || true; kill $!; rm -rf '$work'" EXIT
    while ! grep -q . "$work/display"; do sleep 0.1; done
    export DISPLAY=":$(cat "$work/display")" HOME="$work" WINEPREFIX="$work/prefix" WINEDEBUG=-all \
        WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=" LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
    # on_desktop [PROGRAM...]: Wine's desktop, running the program.
    on_desktop() {
        wine explorer /desktop=shell,1024x768 "$@" 2>/dev/null &
        desktop="$(timeout 60 xdotool search --sync --name '^shell - Wine desktop$' | head -n1)"
    }
    # shot NAME: the desktop once it has changed and then stayed the same for
    # a second and a half, as docs/NAME.png.
    shot() {
        local still=0
        touch "$work/now.xwd" && mv "$work/now.xwd" "$work/before.xwd"
        for _ in $(seq 200); do
            sleep 0.3
            xwd -id "$desktop" -silent >"$work/now.xwd"
            if cmp -s "$work/now.xwd" "$work/before.xwd" || ! cmp -s "$work/now.xwd" "$work/last.xwd"; then
                still=0
            elif [ $((++still)) -ge 5 ]; then
                break
            fi
            cp "$work/now.xwd" "$work/last.xwd"
        done
        xwdtopnm <"$work/now.xwd" 2>/dev/null | pnmtopng -compression 9 >"$1/$2.png"
        echo "$1/$2.png"
    }
    on_desktop "$SETUP"
    timeout 60 xdotool search --sync --name ' 安装$' >/dev/null
    shot "$1" installer-welcome
    wineserver -k
    wine "$SETUP" /S && wineserver -w
    on_desktop
    # The Start button, its "Programs", the folder Tavrin; then Quorlen's entry.
    for point in "20 757" "48 686" "128 686"; do
        xdotool mousemove --window "$desktop" $point click 1 sleep 0.5
    done
    xdotool mousemove --window "$desktop" 225 705
    shot "$1" installer-start-menu
    xdotool key Escape key Escape key Escape
    on_desktop start /unix "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tavrin/Quorlen 座位编排.lnk"
    timeout 60 xdotool search --sync --name '^Tavrin$' >/dev/null
    shot "$1" installer-quorlen
}

main() {
    local what="${1:-all}" version layout
    case "$what" in
    build | all | screenshots) ;;
    *)
        echo "usage: $0 [build|screenshots]" >&2
        exit 2
        ;;
    esac
    install_packages \
        "dpkg-dev:dpkg-buildflags and dpkg-shlibdeps, for the Debian package" \
        "file:CPack finds the programs to read dependencies off with it" \
        "lintian:checks the Debian package against Debian's rules" \
        "debootstrap:makes the fresh Debian 12 the package is installed into" \
        "x11-apps:xwd takes the installer's pictures" \
        "netpbm:turns them into PNG files"
    mkdir -p "$DIST"
    "$TOP/scripts/windows-build.sh" setup
    version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$WIN_BUILD_DIR/CMakeCache.txt")"
    SETUP="$DIST/Tavrin-$version-setup.exe" DEB="$DIST/tavrin_${version}_amd64.deb"
    [ "$what" = screenshots ] && screenshots "$TOP/docs" && return 0
    build_deb
    [ "$what" = build ] || {
        layout="$(linux_layout)"
        "$TOP/tests/package/wine.sh" "$SETUP" "$layout"
        "$TOP/tests/package/deb.sh" "$DEB"
    }
    log "done in $((SECONDS / 60)) min $((SECONDS % 60)) s"
    ls -l "$DIST"
}

main "$@"
