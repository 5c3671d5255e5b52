#!/usr/bin/env bash
# Runs a Windows executable under Wine for CTest. A persistent wineserver and
# the prefix's services are started once, apart from the test's output: started
# by the test itself, they would keep ctest's output pipe open after it ends,
# and each test would pay Wine's start-up again.
set -eu
. "$(dirname "$(readlink -f "$0")")/../scripts/wine-env.sh"
if [ ! -f "$WINEPREFIX/.lexmoor-ready" ]; then
  echo "wine-run: no Wine prefix at $WINEPREFIX; run scripts/setup.sh first" >&2
  exit 1
fi
# Exits at once with status 2 when a server already runs for this prefix.
if wineserver -p30 </dev/null >/dev/null 2>&1; then
  wine64 wineboot </dev/null >/dev/null 2>&1
fi
exec wine64 "$@"
