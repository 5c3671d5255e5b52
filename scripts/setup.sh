#!/usr/bin/env bash
# Installs what building, running and testing Lexmoor need on Debian 12, once:
# packages, the ja_JP.UTF-8 and en_US.UTF-8 locales and a Wine prefix with Managed=N.
# Safe to run again: every step is skipped when already done.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/common.sh"
. "$here/wine-env.sh"

packages=(
  g++-mingw-w64-x86-64-posix cmake make g++ clang libclang-rt-14-dev googletest
  zlib1g-dev libz-mingw-w64-dev wine64 fonts-wine xvfb xauth locales fonts-ipafont-gothic imagemagick
  dict-freedict-eng-jpn edict wordnet-base wamerican wbritish zip unzip ccache
)

ensure_packages "${packages[@]}"

# Japanese for the program's own runs; US English (code page 1252 under Wine)
# for the second run of the GUI tests.
missing_locales=()
for want in ja_JP en_US; do
  locale -a 2>/dev/null | grep -qi "^$want\.utf8\$" || missing_locales+=("$want")
done
if [ ${#missing_locales[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "setup: the locales ${missing_locales[*]/%/.UTF-8} are missing; run this script as root to generate them" >&2
    exit 1
  fi
  for want in "${missing_locales[@]}"; do
    grep -q "^$want.UTF-8 UTF-8" /etc/locale.gen || echo "$want.UTF-8 UTF-8" >> /etc/locale.gen
  done
  locale-gen >/dev/null
fi

# The prefix is made once. Managed=N must be set before explorer first starts:
# with a managed X11 driver, hiding a window costs two seconds without a window manager.
# The Japanese system fonts the dialogs ask for are mapped to the IPA fonts.
if [ ! -f "$WINEPREFIX/.lexmoor-ready" ]; then
  echo "setup: creating the Wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  wineserver -k 2>/dev/null || true
  env -u DISPLAY WINEDLLOVERRIDES="mscoree,mshtml=" wine64 wineboot -i >/dev/null 2>&1
  env -u DISPLAY wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  for pair in "ＭＳ ゴシック=IPAGothic" "ＭＳ Ｐゴシック=IPAPGothic" "MS UI Gothic=IPAPGothic"; do
    env -u DISPLAY wine64 reg add 'HKCU\Software\Wine\Fonts\Replacements' \
      /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null 2>&1
  done
  wineserver -w
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg"; then
    echo "setup: could not set Managed=N in $WINEPREFIX/user.reg" >&2
    exit 1
  fi
  touch "$WINEPREFIX/.lexmoor-ready"
fi
