#!/usr/bin/env bash
# How much of English text the lookup finds, word by word as a user copies it
# (punctuation and all), and how often it shows the word's own entry or its
# base form's first, on the FreeDict, EDICT and default dictionaries, each
# next to itself without form lines (and the default next to FreeDict alone).
#   scripts/found-rate.sh [docs]   # documentation: manual pages and Perl's tutorials
#   scripts/found-rate.sh prose    # Debian's fortune cookies and the Debian FAQ
#   scripts/found-rate.sh TEXT...  # other UTF-8 or ASCII texts
# The documentation: the manual pages of sections 5 and 7 of "manpages" and of
# the commands of coreutils, findutils, grep, sed, tar, gzip and bash, rendered
# by groff without hyphenation, and Perl's tutorials from "perl-doc". Made once
# in build/found-rate/. Installs the packages it needs (as root).
# Prints two lines per dictionary, "<name>-before" and "<name>":
#   found_rate <name> tokens=<n> as_copied=<x>% with_rule=<y>% words=<w> right_first=<r>% wrong_base=<b>%
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"

fail() { echo "found-rate: $*" >&2; exit 1; }

corpus="$top/build/found-rate"
man_packages=(manpages coreutils findutils grep sed tar gzip bash)
tutorials=(perlintro perlrequick perlretut perlreftut perldsc perllol perlootut perlopentut perlpacktut
  perlunitut perlthrtut perldebtut)

# The manual pages of the packages above, as a reader sees them: plain text,
# no words hyphenated across lines. Pages that only include another are left out.
render_manual_pages() {
  local out=$1 pages page first
  pages=$(for package in "${man_packages[@]}"; do dpkg -L "$package"; done |
    grep -E '^/usr/share/man/man(1/|[57]/.*\.[57]\.gz$)' | sort) ||
    fail "cannot list the manual pages of ${man_packages[*]}"
  : >"$out.tmp" || fail "cannot write $out.tmp"
  for page in $pages; do
    [ -f "$page" ] && [ ! -L "$page" ] || continue
    first=$(zcat "$page" | head -n 1) || true
    case "$first" in .so\ *) continue ;; esac
    zcat "$page" | GROFF_NO_SGR=1 groff -t -mandoc -Tutf8 -rHY=0 -dAD=l -rLL=78n 2>/dev/null | col -bx \
      >>"$out.tmp" || fail "cannot render $page"
  done
  mv "$out.tmp" "$out" || fail "cannot write $out"
}

render_tutorials() {
  local out=$1 name pod
  : >"$out.tmp" || fail "cannot write $out.tmp"
  for name in "${tutorials[@]}"; do
    pod=$(ls /usr/share/perl/5.*/pod/"$name".pod 2>/dev/null | head -n 1)
    [ -n "$pod" ] || fail "$name.pod is missing although perl-doc is installed"
    pod2text "$pod" >>"$out.tmp" || fail "cannot render $pod"
  done
  mv "$out.tmp" "$out" || fail "cannot write $out"
}

texts=("$@")
if [ ${#texts[@]} -eq 0 ] || [ "${texts[*]}" = docs ]; then
  ensure_packages groff-base bsdextrautils perl-doc "${man_packages[@]}" ||
    fail "the packages with the documentation are missing"
  mkdir -p "$corpus" || fail "cannot create $corpus"
  [ -s "$corpus/manual-pages.txt" ] || render_manual_pages "$corpus/manual-pages.txt"
  [ -s "$corpus/perl-tutorials.txt" ] || render_tutorials "$corpus/perl-tutorials.txt"
  texts=("$corpus/manual-pages.txt" "$corpus/perl-tutorials.txt")
elif [ "${texts[*]}" = prose ]; then
  ensure_packages fortunes debian-faq || fail "the packages with the prose are missing"
  mkdir -p "$corpus" || fail "cannot create $corpus"
  faq=/usr/share/doc/debian/FAQ/debian-faq.en.txt.gz
  [ -r "$faq" ] || fail "$faq is missing although debian-faq is installed"
  gzip -dc "$faq" >"$corpus/debian-faq.en.txt.tmp" || fail "cannot unpack $faq"
  mv "$corpus/debian-faq.en.txt.tmp" "$corpus/debian-faq.en.txt"
  texts=("$corpus/debian-faq.en.txt")
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
default=$("$here/make-dictionary.sh" default) || fail "cannot make the default dictionary"
# The same without form lines: the dictionaries as they were.
mkdir -p "$corpus" || fail "cannot create $corpus"
tool="$top/build/native/tools/import/lexmoor-import"
for source in freedict edict; do
  "$tool" "$source" --no-forms --fresh -o "$corpus/$source-without-forms.txt" >/dev/null ||
    fail "importing $source without form lines failed"
done
cmake --build "$top/build/native" --target found_rate -j "$jobs" >/dev/null || fail "building found_rate failed"
"$top/build/native/tools/bench/found_rate" \
  --dict "freedict=$freedict" --before "freedict=$corpus/freedict-without-forms.txt" \
  --dict "edict=$edict" --before "edict=$corpus/edict-without-forms.txt" \
  --dict "default=$default" --before "default=$corpus/freedict-without-forms.txt" \
  "${texts[@]}"
