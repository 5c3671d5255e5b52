#!/usr/bin/env bash
# The Windows importer against the native one: every fixture, in every format,
# encoding and line end, gives the same dictionary bytes from both (where it
# holds characters code page 932 lacks, the same lines of the same headwords:
# each system substitutes its own way), and every input that one refuses the
# other refuses too, writing nothing.
#   windows_import_test.sh WINDOWS_IMPORT_EXE NATIVE_TREE WINE_RUN
set -euo pipefail
exe=$1 native=$2 wine_run=$3

. "$(dirname "$0")/../support/wine_test.sh"
native_tools "$native"
mkdir "$dir/in" "$dir/native" "$dir/windows"
"$writer" "$dir/in" >"$dir/list" || fail "write_fixtures could not write the fixtures"
cd "$dir/in"

# The inflections' data named for both, so that the form lines are compared
# too: for one encoding of each format (the others hold the same entries, and
# loading the data costs two seconds under Wine), not for refused inputs.
with_forms=(--wordnet /usr/share/wordnet --words /usr/share/dict/american-english --words /usr/share/dict/british-english)
checked=0
while read -r kind name; do
  native_status=0 windows_status=0
  case "$kind $name" in
    bad\ * | *-utf8-lf.* | *-utf8bom-crlf.* | *-utf16le-crlf.*) forms=(--no-forms) ;;
    *) forms=("${with_forms[@]}") ;;
  esac
  "$native_import" auto "$name" "${forms[@]}" -o "../native/$name.txt" >/dev/null 2>&1 || native_status=$?
  "$wine_run" "$exe" auto "$name" "${forms[@]}" -o "../windows/$name.txt" >/dev/null 2>"$dir/windows.err" </dev/null ||
    windows_status=$?
  if [ "$kind" != bad ]; then
    [ "$native_status" -eq 0 ] || fail "$name: the native importer failed ($native_status)"
    [ "$windows_status" -eq 0 ] ||
      fail "$name: the Windows importer failed ($windows_status): $(tr -d '\r' <"$dir/windows.err")"
    if [ "$kind" = good ]; then
      cmp -s "../native/$name.txt" "../windows/$name.txt" || fail "$name: the two dictionaries differ"
    else
      cmp -s <(cut -f1 "../native/$name.txt") <(cut -f1 "../windows/$name.txt") ||
        fail "$name: the two dictionaries differ in their headwords"
    fi
  else
    [ "$native_status" -eq 1 ] && [ "$windows_status" -eq 1 ] ||
      fail "$name: expected both importers to refuse it, got exit codes $native_status and $windows_status"
    [ ! -e "../native/$name.txt" ] && [ ! -e "../windows/$name.txt" ] || fail "$name: a refused import wrote its output"
  fi
  echo "ok: $kind $name"
  checked=$((checked + 1))
done <"$dir/list"
[ "$checked" -gt 20 ] || fail "only $checked fixtures were listed"
[ -z "$(ls -A "$dir/native" | grep -v '\.txt$' || true)$(ls -A "$dir/windows" | grep -v '\.txt$' || true)" ] ||
  fail "work files were left behind"
echo "ok: $checked fixtures alike"
