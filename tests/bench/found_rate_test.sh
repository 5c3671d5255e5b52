#!/usr/bin/env bash
# found_rate on the sample dictionary: a text whose figures are known, and the
# inputs it must refuse loudly.
#   found_rate_test.sh FOUND_RATE SAMPLE_DICTIONARY
set -uo pipefail
tool=$1
sample=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
status=0
check() {  # what, expected, actual
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1: expected [$2], got [$3]" >&2
    status=1
  fi
}

# Ten tokens split by blanks, TABs and line ends: found as copied "run" twice
# and "apple"; with the rule also "(cat)", “dogs,” and books’; never "zebra.",
# "...", "e.g." and 스, which code page 932 lacks. Seven are words, all but
# "zebra" shown their own line or their base's ("dogs": dog) first.
printf 'run (cat)\t\xe2\x80\x9cdogs,\xe2\x80\x9d zebra.\r\n... \xec\x8a\xa4 books\xe2\x80\x99\n\napple run e.g.' >"$dir/text.txt"
out=$("$tool" --dict "sample=$sample" "$dir/text.txt" 2>"$dir/err")
check "exit status" 0 $?
check "figures" "found_rate sample tokens=10 as_copied=30.0% with_rule=60.0% words=7 right_first=85.7% wrong_base=0.0%" "$out"
check "not in code page 932" "1 not in code page 932" "$(grep -o '1 not in code page 932' "$dir/err")"

# A dictionary that finds less than the one it replaces stops the tool.
grep -av '^cat' "$sample" >"$dir/less.txt"
"$tool" --dict "sample=$dir/less.txt" --before "sample=$sample" "$dir/text.txt" >"$dir/out" 2>"$dir/err"
check "lost word: exit status" 1 $?
grep -q '"(cat)" is found in .*sample-RAdoro.txt but not in .*less.txt' "$dir/err" ||
  { echo "FAIL: the lost word is not named" >&2; status=1; }
"$tool" --dict "sample=$sample" --before "other=$sample" "$dir/text.txt" >"$dir/out" 2>"$dir/err"
check "--before without its --dict: exit status" 2 $?

# Refused, naming what is wrong.
"$tool" --dict "sample=$sample" "$dir/missing.txt" >"$dir/out" 2>"$dir/err"
check "missing text: exit status" 1 $?
grep -q "missing.txt: cannot open the text" "$dir/err" || { echo "FAIL: missing text not named" >&2; status=1; }
"$tool" --dict "sample=$dir/none.txt" "$dir/text.txt" >"$dir/out" 2>"$dir/err"
check "missing dictionary: exit status" 1 $?
grep -q "none.txt: cannot open the dictionary" "$dir/err" || { echo "FAIL: missing dictionary not named" >&2; status=1; }
"$tool" --dict "$sample" "$dir/text.txt" >"$dir/out" 2>"$dir/err"
check "--dict without a name: exit status" 2 $?
check "--dict without a name: output" "" "$(cat "$dir/out")"
: >"$dir/blank.txt"
"$tool" --dict "sample=$sample" "$dir/blank.txt" >"$dir/out" 2>"$dir/err"
check "no words: exit status" 1 $?

[ $status -eq 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit $status
