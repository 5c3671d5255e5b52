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
#
# Then huge answers, on a dictionary made here from the EDICT one (1,100,000
# lines, 88 MB), each measured once while another program pings Lexmoor's
# main dialog (lexmoor-poke fill): "bulk" (100,000 lines, the first lookup,
# which reads the file, then again), "huge" (1,000,000 lines), and "bulk"
# again, which replaces the million rows: the time until the result window
# shows, until its last row is in, and the longest a ping waited for an
# answer, with Lexmoor's memory before and after and its peak. Then the
# processor time Lexmoor spends while Ctrl+NonConvert is held for three
# seconds over the 100,000 lines. Where scripts/bench.sh made its gigabyte
# dictionary (build/dict/gigabyte-RAdoro.txt), the first lookup in it too.
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
# Lines of the huge dictionary: headword prefix and count.
huge_lines=("bulk 100000" "huge 1000000")
hold_ms=3000

if [ "${1:-}" = "--inside" ]; then
  # Runs inside the virtual screen: $2 the work directory, then the builds.
  work=$2
  shift 2
  . "$here/wine-env.sh"
  wineserver -p30 </dev/null >/dev/null 2>&1
  wine64 wineboot </dev/null >/dev/null 2>&1
  poke() { wine64 "$work/lexmoor-poke.exe" "$@" </dev/null | tr -d '\r'; }
  # Processor time of a process, in milliseconds.
  cpu_ms() { awk '{ print ($14 + $15) * 1000 / '"$(getconf CLK_TCK)"' }' "/proc/$1/stat"; }
  start() {
    cd "$work/$2"
    wine64 "$work/$1.exe" </dev/null >/dev/null 2>&1 &
    program=$!
    poke wait
  }
  stop() {
    poke close
    wait "$program"
  }

  printf '%-8s %-10s %-8s %-30s %8s %10s %10s\n' build dictionary related word rows first_ms median_ms
  for build in "$@"; do
    for dictionary in edict three; do
      start "$build" "$dictionary"
      for c in "${cases[@]}"; do
        read -r dict related word <<<"$c"
        [ "$dict" = "$dictionary" ] || continue
        poke related "$related"
        read -r rows first median <<<"$(poke time "$word" | sed 's/[a-z_]*=//g')"
        printf '%-8s %-10s %-8s %-30s %8s %10s %10s\n' "$build" "$dictionary" "$related" "$word" "$rows" "$first" \
          "$median"
      done
      stop
    done
  done

  echo
  echo "huge answers (times in ms from the message; memory in MB):"
  printf '%-8s %-22s %8s %8s %8s %12s %14s %14s %8s\n' build lookup rows answer shown last_row longest_unanswered \
    memory peak
  fill() {
    read -r rows answer shown last unanswered memory peak <<<"$(poke fill "$2" | sed 's/[a-z_]*=//g')"
    printf '%-8s %-22s %8s %8s %8s %12s %14s %14s %8s\n' "$1" "$3" "$rows" "$answer" "$shown" "$last" "$unanswered" \
      "$memory" "$peak"
  }
  for build in "$@"; do
    start "$build" huge
    fill "$build" bulk "bulk (reads the file)"
    fill "$build" bulk bulk
    fill "$build" huge huge
    fill "$build" bulk "bulk after huge"
    sleep 0.5  # lets the focus settle, or the held keys are lost
    before=$(cpu_ms "$program")
    poke hotkey "$hold_ms"
    poke idle
    printf '%-8s hot key held %d ms over "bulk": Lexmoor used %d ms of processor time\n' "$build" "$hold_ms" \
      $(($(cpu_ms "$program") - before))
    stop
    if [ -e "$work/gigabyte/RAdoro.txt" ]; then
      start "$build" gigabyte
      poke related on
      fill "$build" "requzingediedsesieserier's" "1 GB, first lookup"
      stop
    fi
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
  cd "$work/huge"
  printf '%-10s ' huge
  wine64 "$work/lexmoor-lookup-parts.exe" --runs 3 bulk huge </dev/null | tr -d '\r' | sed '2s/^/           /'
  printf '%-10s ' huge
  wine64 "$work/lexmoor-lookup-parts.exe" --first bulk </dev/null | tr -d '\r'
  if [ -e "$work/gigabyte/RAdoro.txt" ]; then
    cd "$work/gigabyte"
    printf '%-10s ' gigabyte
    wine64 "$work/lexmoor-lookup-parts.exe" --related --first "requzingediedsesieserier's" </dev/null | tr -d '\r'
  fi
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
mkdir "$work/edict" "$work/three" "$work/huge"
cp "$edict" "$work/edict/RAdoro.txt"
printf 'went\tv. goの過去形\r\ngo\tv. 行く\r\nabandon\tto give up\r\n' | iconv -f UTF-8 -t CP932 >"$work/three/RAdoro.txt"
# EDICT's lines again and again behind a prefix each query begins.
for lines in "${huge_lines[@]}"; do
  read -r prefix count <<<"$lines"
  LC_ALL=C awk -v prefix="$prefix" -v count="$count" \
    'NR == FNR { line[n++] = $0; next } END { for (i = 0; i < count; i++) print prefix line[(i * 7) % n] }' \
    "$edict" /dev/null >>"$work/huge/RAdoro.txt" || fail "could not make the huge dictionary in $work"
done
gigabyte="$top/build/dict/gigabyte-RAdoro.txt"
if [ -s "$gigabyte" ]; then
  mkdir "$work/gigabyte"
  ln -s "$gigabyte" "$work/gigabyte/RAdoro.txt"
else
  echo "time-lookups: no first lookup in a gigabyte: $gigabyte is missing (scripts/bench.sh makes it)" >&2
fi
# As a user's dictionary is: not written in the last moments.
touch -d '1 hour ago' "$work/edict/RAdoro.txt" "$work/three/RAdoro.txt" "$work/huge/RAdoro.txt"

wineserver -k 2>/dev/null || true
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" "$here/time-lookups.sh" --inside "$work" before after || status=$?
wineserver -k 2>/dev/null || true
[ $status -eq 0 ] || fail "timing under Wine failed"
