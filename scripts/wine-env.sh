# Sourced by the scripts and by the test wrapper: where Wine lives and how it runs.
export WINEPREFIX="${LEXMOOR_WINEPREFIX:-$HOME/.wine-lexmoor}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
case ":$PATH:" in *:/usr/lib/wine:*) ;; *) export PATH="/usr/lib/wine:$PATH" ;; esac
