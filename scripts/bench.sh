#!/usr/bin/env bash
# Measures the lookup engine on the FreeDict and EDICT dictionaries, in one run
# per dictionary: the engine against one raw read of the file and against a
# literal word-by-word reading. Prints one line per dictionary.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
. "$here/common.sh"
freedict=$("$here/make-dictionary.sh" freedict)
edict=$("$here/make-dictionary.sh" edict)
cmake --build "$top/build/native" --target lookup_bench -j "$jobs" >/dev/null
"$top/build/native/tools/bench/lookup_bench" "$freedict" "$edict"
