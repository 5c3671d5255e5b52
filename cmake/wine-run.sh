#!/usr/bin/env bash
# Runs a Windows executable under Wine for CTest. A persistent wineserver is
# started once: without it every test pays seconds of start-up, and Wine's helper
# processes can keep ctest's output pipe open.
set -eu
. "$(dirname "$(readlink -f "$0")")/../scripts/wine-env.sh"
if [ ! -f "$WINEPREFIX/.lexmoor-ready" ]; then
  echo "wine-run: no Wine prefix at $WINEPREFIX; run scripts/setup.sh first" >&2
  exit 1
fi
if ! wineserver -k0 2>/dev/null && ! pgrep -u "$(id -u)" -x wineserver >/dev/null; then
  wineserver -p30 </dev/null >/dev/null 2>&1  # else it holds ctest's output pipe for 30 s
  wine64 wineboot >/dev/null 2>&1 </dev/null
fi
exec wine64 "$@"
