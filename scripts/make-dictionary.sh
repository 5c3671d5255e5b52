#!/usr/bin/env bash
# Makes a dictionary file from Debian's English-Japanese data and prints its path.
#   scripts/make-dictionary.sh [default|freedict|edict]
#     default:  build/dict/RAdoro.txt, FreeDict (dict-freedict-eng-jpn) with EDICT
#               (edict) filling its gaps: what scripts/run.sh and the package use
#     freedict: build/dict/freedict-RAdoro.txt from dict-freedict-eng-jpn
#     edict:    build/dict/edict-RAdoro.txt from edict (larger, inverted)
# Each has lines for the inflected forms of its headwords and related words, made with WordNet
# (wordnet-base) and the word lists of wamerican and wbritish.
# The file is made once and reused until the import tool or the data is newer.
# Installs what is missing (as root). Only the path goes to standard output.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"

fail() { echo "make-dictionary: $*" >&2; exit 1; }

usage="usage: $0 [default|freedict|edict]"
source_name=${1:-default}
[ $# -le 1 ] || fail "$usage"
freedict_files=(/usr/share/dictd/freedict-eng-jpn.index /usr/share/dictd/freedict-eng-jpn.dict.dz)
edict_file=/usr/share/edict/edict
case "$source_name" in
  default)
    packages=(dict-freedict-eng-jpn edict)
    inputs=("${freedict_files[@]}" "$edict_file")
    output="$top/build/dict/RAdoro.txt"
    import_args=(freedict+edict --index "${inputs[0]}" --dict "${inputs[1]}" --edict "${inputs[2]}")
    ;;
  freedict)
    packages=(dict-freedict-eng-jpn)
    inputs=("${freedict_files[@]}")
    output="$top/build/dict/freedict-RAdoro.txt"
    import_args=(freedict --index "${inputs[0]}" --dict "${inputs[1]}")
    ;;
  edict)
    packages=(edict)
    inputs=("$edict_file")
    output="$top/build/dict/edict-RAdoro.txt"
    import_args=(edict --edict "${inputs[0]}")
    ;;
  *) fail "unknown source '$source_name'; $usage" ;;
esac
# The inflections' data, read by the import by default.
form_packages=(wordnet-base wamerican wbritish)
form_inputs=(/usr/share/wordnet/index.noun /usr/share/wordnet/index.verb /usr/share/wordnet/index.adj
  /usr/share/wordnet/index.adv /usr/share/wordnet/noun.exc /usr/share/wordnet/verb.exc
  /usr/share/wordnet/adj.exc /usr/share/wordnet/adv.exc /usr/share/wordnet/data.noun
  /usr/share/wordnet/data.verb /usr/share/wordnet/data.adj /usr/share/wordnet/data.adv
  /usr/share/dict/american-english /usr/share/dict/british-english)

# The data and what building the native tree needs.
needed=(cmake make clang googletest zlib1g-dev "${packages[@]}" "${form_packages[@]}")
ensure_packages "${needed[@]}" || fail "the packages it needs are missing"
for f in "${inputs[@]}" "${form_inputs[@]}"; do
  [ -r "$f" ] || fail "$f is missing although its package is installed; reinstall it: apt-get install --reinstall \
$(dpkg -S "$f" 2>/dev/null | cut -d: -f1 || echo "${packages[*]} ${form_packages[*]}")"
done

# The import tool, kept up to date with its sources (a no-op when it is).
# Configured every time: a tree configured before the tool existed lacks its target.
cmake -S "$top" -B "$top/build/native" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || fail "configuring $top/build/native failed"
cmake --build "$top/build/native" --target lexmoor-import -j "$jobs" >&2 || fail "building lexmoor-import failed"
tool="$top/build/native/tools/import/lexmoor-import"
[ -x "$tool" ] || fail "$tool was not built"

fresh=1
[ -s "$output" ] || fresh=0
for f in "$tool" "${inputs[@]}" "${form_inputs[@]}"; do
  [ "$fresh" -eq 1 ] && [ "$output" -nt "$f" ] || fresh=0
done
if [ "$fresh" -eq 0 ]; then
  mkdir -p "$(dirname "$output")" || fail "cannot create $(dirname "$output")"
  "$tool" "${import_args[@]}" -o "$output" >&2 || fail "importing ${packages[*]} into $output failed"
fi
echo "$output"
