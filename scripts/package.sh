#!/usr/bin/env bash
# Builds the release package build/lexmoor-<version>-win64.zip: lexmoor.exe and
# lexmoor-import.exe (MinGW-w64 builds), the dictionary RAdoro.txt, the EDICT
# dictionary RAdoro-EDICT.txt beside it, the English forms' data the importer
# reads (forms/: WordNet's index, exception and data files without their
# glosses, and the American and British word lists), a readme in Japanese and
# English, and every licence in packaging/licenses/, ready to unpack and run.
#   scripts/package.sh [--exe FILE] [--import-exe FILE] [--output ZIP]
#     --exe FILE         package this lexmoor.exe instead of building one
#     --import-exe FILE  package this lexmoor-import.exe instead of building one
#     --output ZIP       write the package there
# Prints the zip's path. The zip is replaced only when everything succeeded.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"

fail() { echo "package: $*" >&2; exit 1; }

# The dictionary the program starts with (a source of make-dictionary.sh).
main_dictionary=default

exe="" import_exe="" zip_path=""
while [ $# -gt 0 ]; do
  case "$1" in
    --exe | --import-exe | --output)
      [ $# -ge 2 ] && [ -n "$2" ] || fail "$1 needs a file"
      case "$1" in --exe) exe=$2 ;; --import-exe) import_exe=$2 ;; --output) zip_path=$2 ;; esac
      shift 2 ;;
    *) fail "unknown argument '$1'; usage: $0 [--exe FILE] [--import-exe FILE] [--output ZIP]" ;;
  esac
done

version=$(sed -n 's/^project(lexmoor VERSION \([0-9][0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
[ -n "$version" ] || fail "no 'project(lexmoor VERSION x.y)' in $top/CMakeLists.txt"
zip_path=${zip_path:-$top/build/lexmoor-$version-win64.zip}
readme="$top/packaging/readme.txt"
licences="$top/packaging/licenses"

# What the readme says of the dictionary the program starts with.
case "$main_dictionary" in
  freedict)
    main_ja="FreeDict の英日辞書 (FreeDict+WikDict、Wiktionary のデータから作成)"
    main_en="the FreeDict English-Japanese dictionary (FreeDict+WikDict, made from Wiktionary data)" ;;
  default)
    main_ja="FreeDict の英日辞書に、そこにない語を EDICT から補い、語形変化と派生語などの行を加えたもの"
    main_en="the FreeDict English-Japanese dictionary, with the words it lacks taken from EDICT and lines for inflected forms and related words" ;;
  *) fail "no description of the dictionary '$main_dictionary' for the readme" ;;
esac

ensure_packages zip unzip binutils-mingw-w64-x86-64 wordnet-base wamerican wbritish ||
  fail "the packages it needs are missing"
wordnet=/usr/share/wordnet
word_lists=(/usr/share/dict/american-english /usr/share/dict/british-english)
[ -r "$readme" ] || fail "$readme is missing"
licence_files=("$licences"/LICENSE-*.txt)
[ -e "${licence_files[0]}" ] || fail "no LICENSE-*.txt in $licences"

if [ -z "$exe" ] || [ -z "$import_exe" ]; then
  echo "package: building the Windows programs" >&2
  build_windows_release >&2 || fail "the Windows build failed (build/windows-release)"
  exe=${exe:-$top/build/windows-release/app/lexmoor.exe}
  import_exe=${import_exe:-$top/build/windows-release/tools/import/lexmoor-import.exe}
fi
# A Windows program starts with "MZ": catch a wrong file before users do.
for f in "$exe" "$import_exe"; do
  [ -f "$f" ] || fail "$f does not exist"
  [ "$(head -c 2 "$f")" = "MZ" ] || fail "$f is not a Windows program"
done

dictionary=$("$here/make-dictionary.sh" "$main_dictionary") || fail "making the dictionary failed"
edict_dictionary=$("$here/make-dictionary.sh" edict) || fail "making the EDICT dictionary failed"
for f in "$dictionary" "$edict_dictionary"; do [ -s "$f" ] || fail "$f is empty"; done

mkdir -p "$top/build"
stage=$(mktemp -d "$top/build/package.XXXXXX")
trap 'rm -rf "$stage"' EXIT
files="$stage/files"
mkdir "$files"
# Without their debugging information: a quarter of the size.
x86_64-w64-mingw32-strip -o "$files/lexmoor.exe" "$exe" || fail "cannot strip $exe"
x86_64-w64-mingw32-strip -o "$files/lexmoor-import.exe" "$import_exe" || fail "cannot strip $import_exe"
cp "$dictionary" "$files/RAdoro.txt"
cp "$edict_dictionary" "$files/RAdoro-EDICT.txt"
# What lexmoor-import.exe makes form lines from, as the Debian packages hold it
# but for the data files' glosses, which it does not read: 9 MB zipped with them, 5.6 without.
mkdir -p "$files/forms/wordnet" "$files/forms/words"
for f in "$wordnet"/index.{noun,verb,adj,adv} "$wordnet"/{noun,verb,adj,adv}.exc "${word_lists[@]}"; do
  [ -s "$f" ] || fail "$f is missing or empty"
done
cp "$wordnet"/index.{noun,verb,adj,adv} "$wordnet"/{noun,verb,adj,adv}.exc "$files/forms/wordnet/"
cp "${word_lists[@]}" "$files/forms/words/"
for part in noun verb adj adv; do
  [ -s "$wordnet/data.$part" ] || fail "$wordnet/data.$part is missing or empty"
  sed 's/ | .*$//' "$wordnet/data.$part" >"$files/forms/wordnet/data.$part" || fail "cannot copy $wordnet/data.$part"
done
# Text files for Notepad: CR LF line ends (the dictionaries have them already).
for f in "${licence_files[@]}"; do
  sed 's/\r$//; s/$/\r/' "$f" > "$files/$(basename "$f")" || fail "cannot copy $f"
done
# A byte order mark lets every Notepad, old ones too, read the readme as UTF-8.
{
  printf '\xef\xbb\xbf'
  sed "s/@VERSION@/$version/; s|@MAIN_DICTIONARY_JA@|$main_ja|; s|@MAIN_DICTIONARY_EN@|$main_en|; s/\r$//; s/$/\r/" "$readme"
} > "$files/readme.txt" || fail "cannot write the readme"
! grep -q '@[A-Z_]*@' "$files/readme.txt" || fail "$readme holds a placeholder package.sh does not fill"

# The files stand at the zip's top: Windows' "Extract All" makes the folder.
(cd "$files" && zip -q -r -X -9 "$stage/package.zip" lexmoor.exe lexmoor-import.exe RAdoro.txt RAdoro-EDICT.txt \
  readme.txt $(cd "$files" && ls LICENSE-*.txt) forms) || fail "zip failed"
unzip -tq "$stage/package.zip" >/dev/null || fail "the zip does not test sound"
mkdir -p "$(dirname "$zip_path")"
mv -f "$stage/package.zip" "$zip_path" || fail "cannot move the zip to $zip_path"
echo "package: $(du -k "$zip_path" | cut -f1) KB" >&2
echo "$zip_path"
