# shellcheck shell=bash
# What the set-up scripts (setup.sh, windows-build.sh, package.sh) share:
# the one way they install what they need, Debian's packages from the
# machine's own apt sources, and the Linux build's layout of the windows.
# Sourced; TOP is the repository.

# install_packages NAME:REASON...: installs those not installed yet, saying
# why each is needed; on a system without apt, lists them and stops.
install_packages() {
    local entry missing=() sudo=()
    for entry; do
        dpkg-query -W -f='${Status}' "${entry%%:*}" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$entry")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if ! command -v apt-get >/dev/null 2>&1; then
        echo "This system has no apt. Please install these packages (or your system's equivalents) and run again:"
        printf '  %s\n' "${missing[@]/:/: }"
        exit 1
    fi
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing${sudo:+ with sudo}:"
    printf '  %s\n' "${missing[@]/:/: }"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]%%:*}" >/dev/null
}

# linux_layout: the path of the Linux build's layout.tsv, made first if
# needed: where Quorlen's buttons are, for the installer's test under Wine,
# which clicks "保存" in the Windows program laid out the same way.
linux_layout() {
    local dir="${BUILD_DIR:-$TOP/build}"
    [ -f "$dir/CMakeCache.txt" ] || cmake -S "$TOP" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$dir" --target layout_tsv -j"$(nproc)" >/dev/null
    echo "$dir/layout.tsv"
}
