#!/usr/bin/env bash
# The real program, started as a user starts it and driven only from other
# processes: it starts hidden with its tray icon, looks up a copied word on
# Ctrl+NonConvert at the cursor, follows a row on a double-click, registers a
# pronunciation on a Ctrl+double-click, runs once however often it is started,
# and ends on command 1002. Started from another folder, it finds the
# dictionary beside itself, or says where it looked.
#   program_test.sh LEXMOOR_EXE POKE_EXE WINE_RUN
set -euo pipefail
exe=$1 poke_exe=$2 wine_run=$3

. "$(dirname "$0")/../support/wine_test.sh"
# Poke's row output in UTF-8, for comparing with the texts below.
rows() { poke rows "${1:-0}" | iconv -f CP932 -t UTF-8; }
expect_eq() {  # what expected actual
  [ "$2" = "$3" ] || fail "$1: expected [$2], got [$3]"
  echo "ok: $1"
}

printf 'went\tv. goの過去形\r\ngo\tv. 行く\r\nabandon\tto give up\r\n' | iconv -f UTF-8 -t CP932 >"$dir/RAdoro.txt"
cp "$dir/RAdoro.txt" "$dir/original"
cd "$dir"

"$wine_run" "$exe" </dev/null >/dev/null 2>&1 &
program=$!
poke wait
echo "ok: started and hid its main dialog"

poke cursor 200 150
poke copy went
poke hotkey 300
expect_eq "hot key lookup of the clipboard" 'went\tv. goの過去形\n' "$(rows)"
expect_eq "result window at the cursor" "visible 200 150 409 232" "$(poke window)"

poke dblclick 0
expect_eq "double-click follows the past form's word" 'go\tv. 行く\n' "$(rows)"

poke type abandon
poke translate
expect_eq "TRANSLATE looks up the edit box" 'abandon\tto give up\n' "$(rows)"

poke dblclick 0 ctrl &
clicking=$!
poke pronounce "@'b&nd@n アバンドン"
wait "$clicking"
expect_eq "pronunciation registered in code page 932" \
  "$(printf 'went\tv. goの過去形\r\ngo\tv. 行く\r\nabandon\t[@'"'"'b&nd@n アバンドン]\tto give up\r\n')" \
  "$(iconv -f CP932 -t UTF-8 RAdoro.txt)"
cmp -s original RAdoro.txt.bak || fail "RAdoro.txt.bak does not hold the dictionary as it was"
[ ! -e RAdoro.txt.next ] || fail "the work file RAdoro.txt.next was left behind"
echo "ok: the previous dictionary kept as RAdoro.txt.bak"

cp RAdoro.txt registered
poke dblclick 0 ctrl &
clicking=$!
poke pronounce --escape
wait "$clicking"
cmp -s registered RAdoro.txt || fail "Escape in the pronunciation dialog changed the dictionary"
echo "ok: Escape writes nothing"

status=0
"$wine_run" "$exe" </dev/null >/dev/null 2>&1 || status=$?
expect_eq "a second start ends at once" 0 "$status"
for _ in $(seq 50); do [ "$(poke dialogs)" = visible ] && break; sleep 0.1; done
expect_eq "the first start's one main dialog shows" visible "$(poke dialogs)"

stop() {
  poke close
  status=0
  wait "$program" || status=$?
  expect_eq "$1: command 1002 ends the program" 0 "$status"
}
stop "first start"

# lexmoor.exe in a folder of its own, started from another, as the Startup
# folder, the Run key or a shortcut without "Start in" start it.
mkdir program elsewhere
cp "$exe" program/lexmoor.exe
for dictionary in beside none; do
  [ $dictionary = beside ] && cp original program/RAdoro.txt || rm program/RAdoro.txt
  (cd elsewhere && exec "$wine_run" ../program/lexmoor.exe </dev/null >/dev/null 2>&1) &
  program=$!
  if [ $dictionary = none ]; then
    message=$(poke message)
    for path in "$dir/elsewhere/RAdoro.txt" "$dir/program/RAdoro.txt"; do
      [[ "$message" == *"Z:${path//\//\\}"* ]] || fail "no dictionary: the message does not name $path: $message"
    done
    echo "ok: no dictionary: the message names the paths looked at"
    cp original program/RAdoro.txt  # found without a restart
  fi
  poke wait
  poke copy went
  poke lookup-clipboard >/dev/null
  expect_eq "started from another folder, dictionary $dictionary" 'went\tv. goの過去形\n' "$(rows)"
  stop "started from another folder, dictionary $dictionary"
done
