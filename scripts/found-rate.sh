#!/usr/bin/env bash
# How much of English prose the lookup finds, word by word as a user copies it
# (punctuation and all), on the FreeDict and EDICT dictionaries. The prose: the
# fortune cookies of Debian's "fortunes" package and the Debian FAQ
# ("debian-faq"), installed when missing. Prints one line per dictionary:
#   found_rate <name> tokens=<n> as_copied=<x>% with_rule=<y>%
#   scripts/found-rate.sh [TEXT...]   # other UTF-8 or ASCII texts instead
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"

fail() { echo "found-rate: $*" >&2; exit 1; }

texts=("$@")
if [ ${#texts[@]} -eq 0 ]; then
  ensure_packages fortunes debian-faq || fail "the packages with the prose are missing"
  prose="$top/build/found-rate"
  mkdir -p "$prose" || fail "cannot create $prose"
  faq=/usr/share/doc/debian/FAQ/debian-faq.en.txt.gz
  [ -r "$faq" ] || fail "$faq is missing although debian-faq is installed"
  gzip -dc "$faq" >"$prose/debian-faq.en.txt.tmp" || fail "cannot unpack $faq"
  mv "$prose/debian-faq.en.txt.tmp" "$prose/debian-faq.en.txt"
  texts=("$prose/debian-faq.en.txt")
  # The cookie files themselves: not their .dat indexes, not the .u8 links to
  # them, and not the pictures drawn in letters.
  for f in /usr/share/games/fortunes/*; do
    case "$f" in *.dat | *.u8 | */ascii-art) continue ;; esac
    [ -f "$f" ] && texts+=("$f")
  done
  [ ${#texts[@]} -gt 1 ] || fail "no cookie files in /usr/share/games/fortunes although fortunes is installed"
fi

freedict=$("$here/make-dictionary.sh" freedict) || fail "cannot make the FreeDict dictionary"
edict=$("$here/make-dictionary.sh" edict) || fail "cannot make the EDICT dictionary"
cmake --build "$top/build/native" --target found_rate -j "$jobs" >/dev/null || fail "building found_rate failed"
"$top/build/native/tools/bench/found_rate" --dict "freedict=$freedict" --dict "edict=$edict" "${texts[@]}"
