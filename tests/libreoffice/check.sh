#!/usr/bin/env bash
# Opens a Quorlen and a Brasset export with LibreOffice, headless, as a
# teacher on a system that does not guess GBK would, and finds every name
# of the tables in what it read, names GB2312 lacks (镕 堃 喆 昇) too. The
# exports are the expected files the tests hold both programs to. Installs
# Debian's libreoffice-writer-nogui when it is missing (it is large, so this
# is not part of ./test.sh).
#   tests/libreoffice/check.sh
set -euo pipefail
DATA="$(cd "$(dirname "${BASH_SOURCE[0]}")/../data" && pwd)"
if ! command -v soffice >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends libreoffice-writer-nogui >/dev/null
fi
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
status=0
for export in quorlen/class.rtf brasset/odd.rtf; do
    cp "$DATA/$export" "$WORK/"
    file="$WORK/$(basename "$export")"
    HOME="$WORK" soffice --headless --convert-to txt:Text --outdir "$WORK" "$file" >/dev/null 2>&1
    # The names as written, less the ones holding markup, which the word
    # processor reads as markup by design.
    found=0 missing=0
    while IFS= read -r name; do
        if grep -qF -- "$name" "${file%.rtf}.txt"; then found=$((found + 1)); else
            echo "  not found: $name"
            missing=$((missing + 1))
        fi
    done < <(iconv -f GBK -t UTF-8 "$file" | sed -n 's/^<td>\(.*\)<\/td>\r$/\1/p' | grep -v '^$' | grep -v '[<&]' | sed 's/^[ \t]*//; s/[ \t]*$//')
    echo "$export: $found names found, $missing missing"
    [ "$missing" -eq 0 ] || status=1
done
exit $status
