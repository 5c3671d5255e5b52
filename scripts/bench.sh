#!/usr/bin/env bash
# Measures the lookup engine on the FreeDict, EDICT and default dictionaries, in
# one run per dictionary: the engine against one raw read of the file and against a
# literal word-by-word reading, and lookups one after another that keep what a
# read learned. Then the latter on large dictionaries made from the EDICT one,
# about ten times its size and about a gigabyte (build/dict/large-RAdoro.txt
# and build/dict/gigabyte-RAdoro.txt, made once; the gigabyte is left out,
# with a message, where the disk or the memory lacks room to make it).
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
# Made from the EDICT dictionary's lines 62 times over: 1.1 GB. Making it
# holds it in memory about three times over.
gigabyte="$top/build/dict/gigabyte-RAdoro.txt"
gigabyte_times=62
gigabyte_disk_kb=$((2 * 1024 * 1024))
gigabyte_memory_kb=$((5 * 1024 * 1024))
if [ ! -s "$gigabyte" ] || [ "$edict" -nt "$gigabyte" ] || [ "$generator" -nt "$gigabyte" ]; then
  rm -f "$gigabyte"
  free_disk=$(df -Pk "$(dirname "$gigabyte")" | awk 'NR == 2 { print $4 }')
  free_memory=$(awk '/^MemAvailable:/ { print $2 }' /proc/meminfo)
  if [ "$free_disk" -lt $gigabyte_disk_kb ]; then
    echo "bench: no 1 GB scale line: $(dirname "$gigabyte") has $((free_disk / 1024)) MB free, making it needs 2 GB" >&2
  elif [ "$free_memory" -lt $gigabyte_memory_kb ]; then
    echo "bench: no 1 GB scale line: $((free_memory / 1024)) MB of memory available, making it needs 5 GB" >&2
  else
    "$generator" --from "$edict" "$gigabyte" $gigabyte_times >&2
  fi
fi
"$top/build/native/tools/bench/lookup_bench" "$freedict" "$edict" "$default"
if [ -s "$gigabyte" ]; then
  "$top/build/native/tools/bench/lookup_bench" --scale-only "$large" "$gigabyte"
else
  "$top/build/native/tools/bench/lookup_bench" --scale-only "$large"
fi
