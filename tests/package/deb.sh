#!/usr/bin/env bash
# The Debian package installed by apt, without recommended packages, into a fresh Debian 12
# that debootstrap makes from the machine's own mirror: a Chinese font, the menu entries and
# icons are there, and both programs started from /usr/bin show their windows.  deb.sh PACKAGE.deb
DEB=$(realpath "$1")
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"
ROOT="$WORK/root"
MIRROR=$(apt-get indextargets --format '$(REPO_URI) $(CODENAME)' 'Identifier: Packages' |
    awk '$2 == "bookworm" { print $1; exit }')
debootstrap --variant=minbase bookworm "$ROOT" "$MIRROR" >"$WORK/errors" 2>&1 || fail "debootstrap from $MIRROR"
cp "$DEB" "$ROOT/tmp/"
chroot "$ROOT" sh -c "apt-get update -qq && apt-get install -y -qq --no-install-recommends /tmp/${DEB##*/}" \
    >"$WORK/errors" 2>&1 || fail "apt could not install ${DEB##*/}"
chroot "$ROOT" fc-list :lang=zh | grep -q . || fail "no Chinese font: the captions would be boxes"
for program in quorlen:Tavrin brasset:Form1; do
    name=${program%:*}
    desktop-file-validate "$ROOT/usr/share/applications/$name.desktop" || fail "$name.desktop"
    [ -s "$ROOT/usr/share/icons/hicolor/scalable/apps/$name.svg" ] || fail "no icon for $name"
    (exec chroot "$ROOT" "/usr/bin/$name" >/dev/null 2>"$WORK/errors") &
    PID=$! && PIDS+=($PID)
    window "${program#*:}" >/dev/null
done
echo "Debian package in a fresh Debian 12: passed"
