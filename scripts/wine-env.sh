#!/usr/bin/env bash
# Wine environment for the Windows program: one prefix per build folder, prepared on first use.
#   source scripts/wine-env.sh <build folder>   sets WINEPREFIX and friends, prepares the prefix
#   scripts/wine-env.sh <build folder>          only prepares the prefix
# Preparing takes 10-20 s once; later calls only check a stamp file.

coilcalc_wine_env() {
  local build_dir
  build_dir=$(cd "${1:?usage: wine-env.sh <build folder>}" && pwd) || return 1
  # Debian's wine64 package keeps wine64, wineserver and wineboot here, not on PATH.
  case ":$PATH:" in *:/usr/lib/wine:*) ;; *) export PATH="/usr/lib/wine:$PATH" ;; esac
  export WINEPREFIX="$build_dir/wine-prefix"
  export WINEARCH=win64
  export WINEDEBUG="${WINEDEBUG:--all}"
  # No Mono or Gecko installers, no desktop menu entries.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

  local stamp="$WINEPREFIX/.coilcalc-ready"
  [ -f "$stamp" ] && return 0
  if ! command -v wine64 >/dev/null; then
    echo "wine-env.sh: wine64 not found (install the wine64 package: scripts/setup-debian.sh)" >&2
    return 1
  fi
  echo "wine-env.sh: preparing the Wine prefix $WINEPREFIX" >&2
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  # Wine 8 does not look in its own font folder: without these, "MS Sans Serif" falls back to
  # another face and dialog units come out 7x13 instead of 6x13 pixels.
  local fonts=/usr/share/wine/fonts
  if [ -d "$fonts" ]; then
    cp -n "$fonts"/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  else
    echo "wine-env.sh: $fonts missing (package fonts-wine): dialog metrics will differ" >&2
  fi
  # Unmanaged windows: Wine draws the caption itself and closing a window takes no 2 s wait
  # for a window manager that is not there.
  wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
  touch "$stamp"
}

# The Windows form of a Unix path, as Wine's Z: drive shows it.
coilcalc_windows_path() {
  local path
  path=$(realpath "$1")
  printf 'Z:%s' "${path//\//\\}"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  coilcalc_wine_env "$@"
elif [ $# -gt 0 ]; then
  coilcalc_wine_env "$@"
fi
