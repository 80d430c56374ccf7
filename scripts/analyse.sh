#!/usr/bin/env bash
# Static analysis of every file the build compiles: clang-tidy with the checks
# chosen in .clang-tidy, then cppcheck. Both read how each file is compiled
# from compile_commands.json: build/ for the programs, tests and benchmarks,
# build-fuzz/ for the fuzz targets. Any finding fails the script.
#   scripts/analyse.sh
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

# The fuzz folder is built as scripts/fuzz.sh builds it: cppcheck reads
# every file its compile commands name, Qt's generated ones included, and
# they exist only once built.
FUZZ_DIR="${FUZZ_DIR:-$TOP/build-fuzz}"
build "$FUZZ_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DTAVRIN_FUZZ=ON

# cppcheck matches its file filters against absolute paths.
BUILD_DIR="$(cd "$BUILD_DIR" && pwd)"
FUZZ_DIR="$(cd "$FUZZ_DIR" && pwd)"

failed=0

# analyse DIR FOLDER...: the files of the given source folders, compiled as
# DIR's compile_commands.json says. Qt's moc output in DIR is not ours.
analyse() {
    local dir="$1"
    shift
    local folders filters=() folder
    folders="$(
        IFS='|'
        echo "$*"
    )"
    for folder in "$@"; do
        filters+=("--file-filter=$TOP/$folder/*")
    done

    echo "== clang-tidy: $*"
    run-clang-tidy -quiet -j"$(nproc)" -p "$dir" "^$TOP/($folders)/" >"$dir/clang-tidy.log" 2>&1 ||
        failed=1
    # clang-tidy counts the warnings it hid in Qt's headers; only findings
    # in our files are worth a line.
    sed 's/\x1b\[[0-9;]*m//g' "$dir/clang-tidy.log" |
        grep -vE '^([0-9]+ warnings? generated\.|Suppressed [0-9]+ warnings|Use -header-filter|clang-tidy(-[0-9]+)? .*-p=)' ||
        true

    echo "== cppcheck: $*"
    # cppcheck reads no system headers, so it is told Qt's conventions
    # (--library) and the few macros that the moc output of the tests uses,
    # which it would otherwise take for syntax errors.
    cppcheck --project="$dir/compile_commands.json" "${filters[@]}" --library=qt \
        --enable=warning,style,performance,portability --inline-suppr \
        --suppress=missingIncludeSystem --error-exitcode=1 -j"$(nproc)" --quiet \
        -DQ_MOC_OUTPUT_REVISION=68 -DQT_BEGIN_MOC_NAMESPACE= -DQT_END_MOC_NAMESPACE= \
        -DQT_WARNING_PUSH= -DQT_WARNING_POP= \
        --template='{file}:{line}: {severity}: {message} [{id}]' || failed=1
}

analyse "$BUILD_DIR" common seating quorlen rooms brasset exams tests bench tools
analyse "$FUZZ_DIR" fuzz

if [ "$failed" -ne 0 ]; then
    echo "static analysis found something; see above"
    exit 1
fi
echo "static analysis: no findings"
