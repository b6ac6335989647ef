#!/usr/bin/env bash
# Runs every unit test of tests/core under valgrind's memcheck and fails on
# any error or leak (definite, indirect or possible).
# test_killedsave is left out: its kills are timed against a child that runs
# at full speed while valgrind slows the test itself, so whether kills land
# before or after the file is replaced says nothing there. The sanitizer
# build runs it.
# Usage: tests/memcheck.sh [build folder, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
# Qt compiles regular expressions (QDir's name filters among them) to machine
# code at run time; memcheck cannot follow that code and reports its reads as
# uninitialised. Interpreted, the same expressions are checked like the rest.
export QT_ENABLE_REGEXP_JIT=0
failed=0
for source in tests/core/test_*.cpp; do
    test=$(basename "$source" .cpp)
    [ "$test" = test_killedsave ] && continue
    log="$build/tests/$test.memcheck.log"
    if valgrind --tool=memcheck --leak-check=full \
        --show-leak-kinds=definite,indirect,possible \
        --errors-for-leak-kinds=definite,indirect,possible \
        --suppressions=tests/valgrind.supp --error-exitcode=99 \
        --log-file="$log" "$build/tests/$test" >/dev/null; then
        echo "$test: clean ($(grep -o 'ERROR SUMMARY: [0-9]* errors' "$log"))"
    else
        echo "$test: FAILED, see $log"
        failed=1
    fi
done
exit $failed
