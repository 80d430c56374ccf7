#!/usr/bin/env bash
# Opens a Quorlen and a Brasset export (the expected files the tests hold the
# programs to) with LibreOffice, headless, as a teacher on a system that does
# not guess GBK would, and finds every name in what it read, names GB2312
# lacks (镕 堃 喆 昇) too; names holding markup are read as markup, by design.
set -euo pipefail
DATA="$(cd "$(dirname "${BASH_SOURCE[0]}")/../data" && pwd)"
command -v soffice >/dev/null || { echo "LibreOffice is missing: scripts/libreoffice-check.sh" \
    "installs Debian's libreoffice-writer-nogui and runs this check" >&2 && exit 1; }
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cp "$DATA/quorlen/class.rtf" "$DATA/brasset/odd.rtf" "$WORK/"
HOME="$WORK" soffice --headless --convert-to txt:Text --outdir "$WORK" "$WORK"/*.rtf >/dev/null 2>&1
status=0
for file in "$WORK"/*.rtf; do
    names=$(iconv -f GBK -t UTF-8 "$file" | sed -n 's/^<td>[ \t]*\([^<&]*[^<& \t]\)[ \t]*<\/td>\r$/\1/p')
    missing=$(grep -vxFf <(sed $'s/^\xEF\xBB\xBF//; s/^[ \t]*//; s/[ \t]*$//' "${file%.rtf}.txt") <<<"$names" || true)
    echo "$(basename "$file"): $(wc -l <<<"$names") names, $(grep -c . <<<"$missing" || true) not found ${missing//$'\n'/, }"
    [ -z "$missing" ] || status=1
done
exit $status
