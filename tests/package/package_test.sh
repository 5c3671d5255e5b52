#!/usr/bin/env bash
# The release package as a Windows user meets it: unpacked, it holds both
# programs, both dictionaries, the readme and the licences; a dictionary file
# dropped onto lexmoor-import.exe (its path the only argument, from a working
# directory of its own) becomes the RAdoro.txt beside it, as the native
# importer makes it from Debian's inflection data (the package's folder "forms"
# holds the same, but for the glosses), keeping a registered pronunciation, and the running
# program finds its words at the next lookup; a file it refuses leaves
# RAdoro.txt byte for byte as it was. Every outcome is read from the message box.
#   package_test.sh LEXMOOR_EXE IMPORT_EXE POKE_EXE WINE_RUN NATIVE_TREE
set -euo pipefail
exe=$1 import_exe=$2 poke_exe=$3 wine_run=$4 native=$5
top=$(cd "$(dirname "$0")/../.." && pwd)
box_title="Lexmoor 辞書の取り込み"

. "$top/tests/support/wine_test.sh"
native_tools "$native"

windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }

"$top/scripts/package.sh" --exe "$exe" --import-exe "$import_exe" --output "$dir/lexmoor.zip" >/dev/null ||
  fail "scripts/package.sh failed"
echo "ok: the zip holds $(du -k "$dir/lexmoor.zip" | cut -f1) KB"
folder="$dir/My Lexmoor"
mkdir "$folder" "$dir/elsewhere" "$dir/fixtures"
unzip -q "$dir/lexmoor.zip" -d "$folder"
for f in lexmoor.exe lexmoor-import.exe RAdoro.txt RAdoro-EDICT.txt readme.txt \
  $(cd "$top/packaging/licenses" && ls LICENSE-*.txt); do
  [ -s "$folder/$f" ] || fail "the unpacked zip lacks $f"
done
for f in wordnet/index.noun wordnet/verb.exc wordnet/data.adj words/american-english words/british-english; do
  [ -s "$folder/forms/$f" ] || fail "the unpacked zip lacks forms/$f"
done
echo "ok: unpacked, it holds both programs, both dictionaries, the forms' data, the readme and every licence"
forms=(--wordnet /usr/share/wordnet --words /usr/share/dict/american-english --words /usr/share/dict/british-english)
# Explorer's Properties name each program and the package's version.
version=$(sed -n 's/^project(lexmoor VERSION \([0-9][0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
for f in "lexmoor.exe	Lexmoor ポップアップ英和辞書" "lexmoor-import.exe	Lexmoor 辞書の取り込み"; do
  said=$(poke version "$(windows_path "$folder/${f%%	*}")") || fail "${f%%	*}: no version information"
  [ "$said" = "$version	${f#*	}" ] || fail "${f%%	*}: version information [$said], not [$version	${f#*	}]"
done
echo "ok: both programs carry version $version and their descriptions"
"$writer" "$dir/fixtures" >"$dir/list" || fail "write_fixtures could not write the fixtures"

# "cat" carries a pronunciation as a registration writes it (Ctrl+double-click;
# tests/program drives that), and the program runs from its folder, as the
# readme says.
sed -i '0,/^cat\t/s//cat\t[kat]\t/' "$folder/RAdoro.txt"
grep -aq $'^cat\t\\[kat\\]\t' "$folder/RAdoro.txt" || fail "the dictionary has no line for cat"
(cd "$folder" && exec "$wine_run" ./lexmoor.exe </dev/null >/dev/null 2>&1) &
program=$!
poke wait

# Drops FILE onto the importer; prints the box's text; its exit status is the importer's.
drop() {
  local status=0
  (cd "$dir/elsewhere" && exec "$wine_run" "$folder/lexmoor-import.exe" "$(windows_path "$1")" </dev/null >/dev/null 2>&1) &
  local importer=$!
  poke box "$box_title"
  wait "$importer" || status=$?
  return $status
}

# The running program's next clipboard lookup of "cat" lists the new line.
expect_cat_shown() {
  poke copy cat
  poke lookup-clipboard >/dev/null
  local expected shown
  expected=$(grep -ai -m1 '^cat' "$folder/RAdoro.txt" | tr -d '\r' | sed 's/\t/\\t/g')'\n'
  shown=$(poke rows | sed -n 1p)  # reads them all: a closed pipe would fail poke
  [ "$shown" = "$expected" ] ||
    fail "$1: the running program shows [$(iconv -f CP932 -t UTF-8 <<<"$shown")], not the new line of cat"
}

# A dictionary of each kind (tests/import tries every encoding and line end of
# each against the native importer), and every input to refuse.
kinds=(slashes-sjis-crlf.txt words-utf8-lf.csv squares-utf16le-crlf.txt tsv-utf8bom-crlf.txt RAdoro-utf8-lf.txt
  slashes.txt.gz stardict.idx freedict.index edict-words)
for name in "${kinds[@]}"; do grep -q " $name\$" "$dir/list" || fail "write_fixtures wrote no $name"; done
drops=0
while read -r kind name; do
  [ "$kind" = bad ] || [[ " ${kinds[*]} " == *" $name "* ]] || continue
  fixture="$dir/fixtures/$name"
  cp "$folder/RAdoro.txt" "$dir/before.txt"
  status=0
  said=$(drop "$fixture") || status=$?
  [[ "$said" == *"$(windows_path "$fixture")"* ]] || fail "$name: the message does not name the file: $said"
  if [ "$kind" = bad ]; then
    [ "$status" -eq 1 ] || fail "$name: the importer exited with $status"
    [[ "$said" == 辞書を取り込めませんでした* ]] || fail "$name: the message does not say it failed: $said"
    cmp -s "$dir/before.txt" "$folder/RAdoro.txt" || fail "$name: RAdoro.txt changed"
    [ ! -e "$folder/RAdoro.txt.next" ] || fail "$name: a work file was left behind"
  else
    [ "$status" -eq 0 ] || fail "$name: the importer exited with $status: $said"
    [[ "$said" == 辞書を取り込みました* ]] || fail "$name: the message does not say it succeeded: $said"
    [[ "$said" == *"辞書: $(windows_path "$folder/RAdoro.txt")"* ]] || fail "$name: the message does not say where: $said"
    cp "$dir/before.txt" "$dir/expected.txt"
    "$native_import" auto "$fixture" "${forms[@]}" -o "$dir/expected.txt" >/dev/null || fail "$name: the native importer failed"
    if [ "$kind" = good ]; then
      cmp -s "$dir/expected.txt" "$folder/RAdoro.txt" || fail "$name: RAdoro.txt is not what the native importer makes"
    else  # characters code page 932 lacks: each system substitutes its own way
      cmp -s <(cut -f1 "$dir/expected.txt") <(cut -f1 "$folder/RAdoro.txt") ||
        fail "$name: RAdoro.txt has other headwords than the native importer makes"
    fi
    cmp -s "$dir/before.txt" "$folder/RAdoro.txt.bak" || fail "$name: RAdoro.txt.bak is not the previous dictionary"
    grep -aq $'^cat\t\\[kat\\]\t' "$folder/RAdoro.txt" || fail "$name: the registered pronunciation was lost"
    expect_cat_shown "$name"
  fi
  echo "ok: $kind $name"
  drops=$((drops + 1))
done <"$dir/list"
[ "$drops" -eq $((${#kinds[@]} + $(grep -c '^bad ' "$dir/list"))) ] || fail "only $drops fixtures were dropped"

# The other dictionary of the package takes the first one's place the same way.
cp "$folder/RAdoro.txt" "$dir/expected.txt"
"$native_import" auto "$folder/RAdoro-EDICT.txt" "${forms[@]}" -o "$dir/expected.txt" >/dev/null || fail "the native importer failed"
start=$(date +%s)
said=$(drop "$folder/RAdoro-EDICT.txt") || fail "RAdoro-EDICT.txt was not imported: $said"
echo "ok: RAdoro-EDICT.txt imported in $(($(date +%s) - start)) s"
cmp -s "$dir/expected.txt" "$folder/RAdoro.txt" || fail "RAdoro.txt is not the EDICT dictionary"
grep -aq $'^cat\t\\[kat\\]\t' "$folder/RAdoro.txt" || fail "the registered pronunciation was lost to EDICT"
expect_cat_shown RAdoro-EDICT.txt
echo "ok: RAdoro-EDICT.txt dropped: the EDICT dictionary in use, the registration kept"

poke close
wait "$program" || true
program=
