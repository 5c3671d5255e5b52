#!/usr/bin/env bash
# Builds lexmoor.exe and starts it under Wine on this machine's display, in
# build/run/, which holds its dictionary RAdoro.txt.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/setup.sh"
. "$here/common.sh"
. "$here/wine-env.sh"

if [ -z "${DISPLAY:-}" ]; then
  echo "run: there is no display (DISPLAY is not set), so the program's windows could not be seen." >&2
  echo "run: scripts/screenshot.sh starts it in a virtual screen and writes a picture of its dialogs." >&2
  exit 1
fi

build_windows >/dev/null
prepare_run_dir
# A server started without this display would fail to create windows.
wineserver -k 2>/dev/null || true
cd "$run_dir"
echo "run: Lexmoor runs from $run_dir; it lives in the notification area."
echo "run: copy a word and press Ctrl+NonConvert, or click the tray icon and type a word."
exec wine64 lexmoor.exe
