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

main() {
    local what="${1:-all}" version
    case "$what" in
    build | all) ;;
    *)
        echo "usage: $0 [build]" >&2
        exit 2
        ;;
    esac
    PACKAGES=(
        "dpkg-dev:dpkg-buildflags and dpkg-shlibdeps, for the Debian package"
        "file:CPack finds the programs to read dependencies off with it"
        "lintian:checks the Debian package against Debian's rules"
        "debootstrap:makes the fresh Debian 12 the package is installed into"
    )
    install_missing
    mkdir -p "$DIST"
    "$TOP/scripts/windows-build.sh" setup
    version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$WIN_BUILD_DIR/CMakeCache.txt")"
    SETUP="$DIST/Tavrin-$version-setup.exe" DEB="$DIST/tavrin_${version}_amd64.deb"
    build_deb
    [ "$what" = build ] || {
        "$TOP/tests/package/wine.sh" "$SETUP"
        "$TOP/tests/package/deb.sh" "$DEB"
    }
    log "done in $((SECONDS / 60)) min $((SECONDS % 60)) s"
    ls -l "$DIST"
}

main "$@"
