#!/usr/bin/env bash
# Makes a dictionary file from Debian's English-Japanese data and prints its path.
#   scripts/make-dictionary.sh [freedict|edict]
#     freedict (default): build/dict/RAdoro.txt from dict-freedict-eng-jpn
#     edict:              build/dict/edict-RAdoro.txt from edict (larger, inverted)
# The file is made once and reused until the import tool or the data is newer.
# Installs what is missing (as root). Only the path goes to standard output.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"

fail() { echo "make-dictionary: $*" >&2; exit 1; }

source_name=${1:-freedict}
[ $# -le 1 ] || fail "usage: $0 [freedict|edict]"
case "$source_name" in
  freedict)
    package=dict-freedict-eng-jpn
    inputs=(/usr/share/dictd/freedict-eng-jpn.index /usr/share/dictd/freedict-eng-jpn.dict.dz)
    output="$top/build/dict/RAdoro.txt"
    import_args=(freedict --index "${inputs[0]}" --dict "${inputs[1]}")
    ;;
  edict)
    package=edict
    inputs=(/usr/share/edict/edict)
    output="$top/build/dict/edict-RAdoro.txt"
    import_args=(edict --edict "${inputs[0]}")
    ;;
  *) fail "unknown source '$source_name'; usage: $0 [freedict|edict]" ;;
esac

# The data and what building the native tree needs.
needed=(cmake make clang googletest zlib1g-dev "$package")
ensure_packages "${needed[@]}" || fail "the packages it needs are missing"
for f in "${inputs[@]}"; do
  [ -r "$f" ] || fail "$f is missing although $package is installed; reinstall it: apt-get install --reinstall $package"
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
for f in "$tool" "${inputs[@]}"; do
  [ "$fresh" -eq 1 ] && [ "$output" -nt "$f" ] || fresh=0
done
if [ "$fresh" -eq 0 ]; then
  mkdir -p "$(dirname "$output")" || fail "cannot create $(dirname "$output")"
  "$tool" "${import_args[@]}" -o "$output" >&2 || fail "importing $package into $output failed"
fi
echo "$output"
