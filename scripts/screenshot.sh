#!/usr/bin/env bash
# Starts Lexmoor in a virtual screen, shows both its dialogs (the main dialog
# and the result window for a lookup) and writes a picture of the screen.
#   scripts/screenshot.sh [OUT.png] [WORD]     (default build/screenshot.png, "run")
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

if [ "${1:-}" = "--inside" ]; then
  # Runs inside the virtual screen.
  out=$2 word=$3 poke=$4
  . "$here/wine-env.sh"
  wineserver -p30 </dev/null >/dev/null 2>&1
  wine64 wineboot </dev/null >/dev/null 2>&1
  wine64 lexmoor.exe </dev/null >/dev/null 2>&1 &
  program=$!
  wine64 "$poke" wait
  wine64 "$poke" show
  wine64 "$poke" related on
  wine64 "$poke" type "$word"
  wine64 "$poke" cursor 330 60
  wine64 "$poke" translate
  sleep 1
  import -window root "png:$out"
  wine64 "$poke" close
  wait "$program"
  exit 0
fi

out=$(readlink -f "${1:-build/screenshot.png}")
word=${2:-run}
"$here/setup.sh"
. "$here/common.sh"
. "$here/wine-env.sh"
build_windows >/dev/null
prepare_run_dir
cp "$top/build/windows/tools/win/lexmoor-poke.exe" "$run_dir/"
wineserver -k 2>/dev/null || true
cd "$run_dir"
xvfb-run -a -s "-screen 0 1024x600x24" "$here/screenshot.sh" --inside "$out.tmp" "$word" lexmoor-poke.exe
wineserver -k 2>/dev/null || true
mv "$out.tmp" "$out"
echo "screenshot: $out"
