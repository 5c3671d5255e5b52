#!/usr/bin/env bash
# Measures the lookup engine on the FreeDict, EDICT and default dictionaries, in
# one run per dictionary: the engine against one raw read of the file and against a
# literal word-by-word reading, and lookups one after another that keep what a
# read learned. Then the latter on a large dictionary made from the EDICT one,
# about ten times its size (build/dict/large-RAdoro.txt, made once).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
. "$here/common.sh"
freedict=$("$here/make-dictionary.sh" freedict)
edict=$("$here/make-dictionary.sh" edict)
default=$("$here/make-dictionary.sh" default)
cmake --build "$top/build/native" --target lookup_bench make_dictionary -j "$jobs" >/dev/null
large="$top/build/dict/large-RAdoro.txt"
generator="$top/build/native/tools/bench/make_dictionary"
if [ ! -s "$large" ] || [ "$edict" -nt "$large" ] || [ "$generator" -nt "$large" ]; then
  "$generator" --from "$edict" "$large" 10 >&2
fi
"$top/build/native/tools/bench/lookup_bench" "$freedict" "$edict" "$default"
"$top/build/native/tools/bench/lookup_bench" --scale-only "$large"
