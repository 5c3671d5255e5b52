#!/usr/bin/env bash
# Builds everything and runs every test: native unit tests, then the Windows
# program's tests under Wine inside Xvfb.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
. "$here/common.sh"
. "$here/wine-env.sh"

start=$(date +%s)
build_native
build_native_checked
build_windows

echo "== native tests"
ctest --test-dir "$top/build/native" --output-on-failure -j "$jobs"

echo "== native tests, unoptimised with asserts and sanitizers"
ctest --test-dir "$top/build/native-checked" --output-on-failure -j "$jobs"

# A Wine process now and then exits at start with status 1 and no output at
# all, before the program's main (seen twice in some thousands of starts, never
# when repeated): a Wine test that fails is run once more, and counts as failed
# only when it fails again.
wine_retry=(--repeat until-pass:2)

echo "== Windows tests under Wine"
# A server left over from a run without a display would make dialog creation fail.
wineserver -k 2>/dev/null || true
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$top/build/windows" --output-on-failure "${wine_retry[@]}" || status=$?
wineserver -k 2>/dev/null || true
[ $status -eq 0 ] || { echo "test: Windows tests failed" >&2; exit $status; }

echo "== the windows again, under Wine in US English (code page 1252)"
# Every text that crosses a window must come out the same under another
# system code page: the GUI tests (label gui) run once more.
LEXMOOR_LANG=en_US.UTF-8 xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$top/build/windows" -L gui --output-on-failure "${wine_retry[@]}" || status=$?
wineserver -k 2>/dev/null || true
[ $status -eq 0 ] || { echo "test: Windows tests under code page 1252 failed" >&2; exit $status; }

echo "== all tests passed in $(( $(date +%s) - start )) s"
