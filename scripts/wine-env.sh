# Sourced by the scripts and by the test wrapper: where Wine lives and how it runs.
export WINEPREFIX="${LEXMOOR_WINEPREFIX:-$HOME/.wine-lexmoor}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
# The locale gives Wine its ANSI code page: Japanese (932) unless LEXMOOR_LANG
# names another, e.g. en_US.UTF-8 (1252) for the second run of the GUI tests.
export LANG="${LEXMOOR_LANG:-ja_JP.UTF-8}"
export LC_ALL="$LANG"
case ":$PATH:" in *:/usr/lib/wine:*) ;; *) export PATH="/usr/lib/wine:$PATH" ;; esac
