#!/usr/bin/env bash
# Times, under Wine in a virtual screen, how long a running Lexmoor takes to
# answer the look-up-the-clipboard message (the whole lookup, the list filling
# and the placement run inside it), for two builds of the program in one run
# on this machine, then shows where the time of the second build's answers
# goes (lexmoor-lookup-parts).
#   scripts/time-lookups.sh BEFORE_EXE [AFTER_EXE]
# AFTER_EXE is build/windows/app/lexmoor.exe unless given. The lookups: "a" and
# "s" on the EDICT dictionary, the benchmark's worst case (a query that tries
# seventeen words, related words on), "reviews" (related on) and "apple", and
# the last two on a three-line dictionary. Each figure is the median of ten
# answers after a first one; the first, which reads the dictionary, is shown too.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# What is looked up: dictionary, related words, word.
cases=(
  "edict off a"
  "edict off s"
  "edict on requzingediedsesieserier's"
  "edict on reviews"
  "edict off apple"
  "three on reviews"
  "three off apple"
)

if [ "${1:-}" = "--inside" ]; then
  # Runs inside the virtual screen: $2 the work directory, then the builds.
  work=$2
  shift 2
  . "$here/wine-env.sh"
  wineserver -p30 </dev/null >/dev/null 2>&1
  wine64 wineboot </dev/null >/dev/null 2>&1
  poke() { wine64 "$work/lexmoor-poke.exe" "$@" </dev/null | tr -d '\r'; }
  printf '%-8s %-10s %-8s %-30s %8s %10s %10s\n' build dictionary related word rows first_ms median_ms
  for build in "$@"; do
    for dictionary in edict three; do
      cd "$work/$dictionary"
      wine64 "$work/$build.exe" </dev/null >/dev/null 2>&1 &
      program=$!
      poke wait
      for c in "${cases[@]}"; do
        read -r dict related word <<<"$c"
        [ "$dict" = "$dictionary" ] || continue
        poke related "$related"
        read -r rows first median <<<"$(poke time "$word" | sed 's/[a-z_]*=//g')"
        printf '%-8s %-10s %-8s %-30s %8s %10s %10s\n' "$build" "$dictionary" "$related" "$word" "$rows" "$first" \
          "$median"
      done
      poke close
      wait "$program"
    done
  done
  echo
  echo "where the time of an answer goes ($build, in one process; medians in ms):"
  for c in "${cases[@]}"; do
    read -r dict related word <<<"$c"
    cd "$work/$dict"
    flag=()
    [ "$related" = on ] && flag=(--related)
    printf '%-10s ' "$dict"
    wine64 "$work/lexmoor-lookup-parts.exe" "${flag[@]}" "$word" </dev/null | tr -d '\r'
  done
  exit 0
fi

fail() { echo "time-lookups: $*" >&2; exit 1; }
[ $# -ge 1 ] && [ $# -le 2 ] || fail "usage: $0 BEFORE_EXE [AFTER_EXE]"
. "$here/common.sh"
before=$(readlink -f "$1")
after=$(readlink -f "${2:-$top/build/windows/app/lexmoor.exe}")
tools="$top/build/windows/tools/win"
for f in "$before" "$after" "$tools/lexmoor-poke.exe" "$tools/lexmoor-lookup-parts.exe"; do
  [ -f "$f" ] || fail "$f is missing (build it first: scripts/common.sh build_windows)"
done
"$here/setup.sh"
. "$here/wine-env.sh"
edict=$("$here/make-dictionary.sh" edict)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$before" "$work/before.exe"
cp "$after" "$work/after.exe"
cp "$tools/lexmoor-poke.exe" "$tools/lexmoor-lookup-parts.exe" "$work/"
mkdir "$work/edict" "$work/three"
cp "$edict" "$work/edict/RAdoro.txt"
printf 'went\tv. goの過去形\r\ngo\tv. 行く\r\nabandon\tto give up\r\n' | iconv -f UTF-8 -t CP932 >"$work/three/RAdoro.txt"
# As a user's dictionary is: not written in the last moments.
touch -d '1 hour ago' "$work/edict/RAdoro.txt" "$work/three/RAdoro.txt"

wineserver -k 2>/dev/null || true
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" "$here/time-lookups.sh" --inside "$work" before after || status=$?
wineserver -k 2>/dev/null || true
[ $status -eq 0 ] || fail "timing under Wine failed"
