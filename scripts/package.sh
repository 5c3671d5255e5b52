#!/usr/bin/env bash
# Builds the release package build/lexmoor-<version>-win64.zip: lexmoor.exe
# (MinGW-w64 build), RAdoro.txt made from the FreeDict data, the data
# licences and a readme in Japanese and English, ready to unpack and run.
#   scripts/package.sh [--exe FILE]
#     --exe FILE  package this lexmoor.exe instead of building one
# Prints the zip's path. The zip is replaced only when everything succeeded.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"

fail() { echo "package: $*" >&2; exit 1; }

exe=""
while [ $# -gt 0 ]; do
  case "$1" in
    --exe) [ $# -ge 2 ] && [ -n "$2" ] || fail "--exe needs a file"; exe=$2; shift 2 ;;
    *) fail "unknown argument '$1'; usage: $0 [--exe FILE]" ;;
  esac
done

version=$(sed -n 's/^project(lexmoor VERSION \([0-9][0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
[ -n "$version" ] || fail "no 'project(lexmoor VERSION x.y)' in $top/CMakeLists.txt"
zip_path="$top/build/lexmoor-$version-win64.zip"
readme="$top/packaging/readme.txt"
# Licence files of the data packages, and their names in the package.
declare -A licences=(
  [/usr/share/doc/dict-freedict-eng-jpn/copyright]=LICENSE-FreeDict.txt
)

# zip, and the packages whose licences are shipped.
ensure_packages zip binutils-mingw-w64-x86-64 dict-freedict-eng-jpn || fail "the packages it needs are missing"
for f in "${!licences[@]}" "$readme"; do
  [ -r "$f" ] || fail "$f is missing"
done

if [ -z "$exe" ]; then
  echo "package: building the Windows program" >&2
  build_windows_release >&2 || fail "the Windows build failed (build/windows-release)"
  exe="$top/build/windows-release/app/lexmoor.exe"
fi
[ -f "$exe" ] || fail "$exe does not exist"
# A Windows program starts with "MZ": catch a wrong file before users do.
[ "$(head -c 2 "$exe")" = "MZ" ] || fail "$exe is not a Windows program"

dictionary=$("$here/make-dictionary.sh" freedict) || fail "making the dictionary failed"
[ -s "$dictionary" ] || fail "$dictionary is empty"

mkdir -p "$top/build"
stage=$(mktemp -d "$top/build/package.XXXXXX")
trap 'rm -rf "$stage"' EXIT
files="$stage/files"
mkdir "$files"
# Without its debugging information: a quarter of the size.
x86_64-w64-mingw32-strip -o "$files/lexmoor.exe" "$exe" || fail "cannot strip $exe"
cp "$dictionary" "$files/RAdoro.txt"
# Text files for Notepad: CR LF line ends (the dictionary has them already).
for f in "${!licences[@]}"; do
  sed 's/\r$//; s/$/\r/' "$f" > "$files/${licences[$f]}"
done
# A byte order mark lets every Notepad, old ones too, read the readme as UTF-8.
{ printf '\xef\xbb\xbf'; sed "s/@VERSION@/$version/; s/\r$//; s/$/\r/" "$readme"; } > "$files/readme.txt"

# The files stand at the zip's top: Windows' "Extract All" makes the folder.
(cd "$files" && zip -q -X "$stage/package.zip" lexmoor.exe RAdoro.txt readme.txt "${licences[@]}") ||
  fail "zip failed"
mv -f "$stage/package.zip" "$zip_path" || fail "cannot move the zip to $zip_path"
echo "$zip_path"
