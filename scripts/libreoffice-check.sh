#!/usr/bin/env bash
# Reads a Quorlen and a Brasset export with LibreOffice (tests/libreoffice/check.sh),
# installing Debian's libreoffice-writer-nogui first when it is missing. It is large,
# so neither ./test.sh nor the set-up installs it; run this after changing an export.
set -euo pipefail
TOP="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$TOP/scripts/packages.sh"
install_packages "libreoffice-writer-nogui:opens the exports as a word processor does"
exec "$TOP/tests/libreoffice/check.sh"
