#!/usr/bin/env bash
# What the scripts share, sourced by them: configuring a preset when its folder is not yet
# configured, the Wine prefix of a build folder, and Windows programs run under Wine on a
# private Xvfb screen.
#   source scripts/lib.sh
#   coilcalc_configure PRESET [BUILD_DIR]   configures PRESET into BUILD_DIR (default: the
#                                           preset's own build/PRESET) unless already done
#   coilcalc_wine_env BUILD_DIR             sets WINEPREFIX and friends, prepares the prefix
#   coilcalc_windows_path PATH              the path as Wine's Z: drive shows it
#   coilcalc_wine_on_xvfb NAME PROGRAM.exe [ARGS...]   runs it, its exit status is returned
# Preparing a Wine prefix takes 10-20 s once; later calls only check a stamp file. Any failed
# step stops with a message and leaves the prefix unstamped, so the next call starts it again.

# Configuring again would only cost time, and a build folder may have been configured with
# options of its own (scripts/storm.sh's folder, for one).
coilcalc_configure() {
  local preset=$1 build_dir=${2:-build/$1}
  if [ ! -f "$build_dir/CMakeCache.txt" ]; then
    cmake --preset "$preset" -B "$build_dir" >/dev/null
  fi
}

# What a ready prefix holds; a prefix stamped with anything else is made again. Prefixes of
# the first kind were stamped even when Wine had not set them up and had no fonts.
COILCALC_WINE_PREFIX_KIND="coilcalc wine prefix 2: wineboot, Wine's fonts, unmanaged windows"

coilcalc_wine_env() {
  local build_dir
  build_dir=$(cd "${1:?usage: coilcalc_wine_env <build folder>}" && pwd) || return 1
  # Debian's wine64 package keeps wine64 and wineserver here, not on PATH.
  case ":$PATH:" in *:/usr/lib/wine:*) ;; *) export PATH="/usr/lib/wine:$PATH" ;; esac
  export WINEPREFIX="$build_dir/wine-prefix"
  export WINEARCH=win64
  export WINEDEBUG="${WINEDEBUG:--all}"
  # No Mono or Gecko installers, no desktop menu entries.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

  local stamp="$WINEPREFIX/.coilcalc-ready"
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$COILCALC_WINE_PREFIX_KIND" ]; then
    return 0
  fi
  coilcalc_prepare_wine_prefix "$build_dir" "$stamp"
}

# Reports a failed step of the preparation, with the end of Wine's log when there is one.
coilcalc_wine_prefix_failed() {
  local log=$1 message=$2
  echo "lib.sh: $message" >&2
  if [ -s "$log" ]; then
    echo "lib.sh: the last lines of $log:" >&2
    tail -n 20 "$log" >&2
  fi
  echo "lib.sh: the Wine prefix $WINEPREFIX is NOT ready" >&2
  return 1
}

coilcalc_prepare_wine_prefix() {
  local build_dir=$1 stamp=$2
  local log="$build_dir/wine-prefix.log"
  local started=$SECONDS
  # Wine's programs (wineboot, reg) come with the wine64 package's loader, not as commands.
  local command
  for command in wine64 wineserver; do
    if ! command -v "$command" >/dev/null; then
      echo "lib.sh: $command not found (package wine64: run scripts/setup-debian.sh)" >&2
      return 1
    fi
  done
  # Wine 8 does not look in its own font folder: without these, "MS Sans Serif" falls back to
  # another face (dialog units 7x13 instead of 6x13 pixels) and the title-bar buttons, drawn
  # with Marlett, show letters instead of their glyphs.
  local fonts=/usr/share/wine/fonts font
  for font in sserife.fon marlett.ttf; do
    if [ ! -f "$fonts/$font" ]; then
      echo "lib.sh: $fonts/$font missing (package fonts-wine: run scripts/setup-debian.sh)" >&2
      return 1
    fi
  done

  echo "lib.sh: preparing the Wine prefix $WINEPREFIX (log: $log)" >&2
  : >"$log" || return 1
  if [ -e "$WINEPREFIX" ]; then
    # A prefix without the current stamp was left half-made or made another way: start over.
    # Its server, if one still runs, goes first.
    echo "lib.sh: removing the unfinished or outdated prefix first" >&2
    if wineserver -k >>"$log" 2>&1; then wineserver -w >>"$log" 2>&1; fi
    rm -rf -- "$WINEPREFIX" ||
      { coilcalc_wine_prefix_failed "$log" "cannot remove $WINEPREFIX"; return 1; }
  fi
  mkdir -p -- "$WINEPREFIX" ||
    { coilcalc_wine_prefix_failed "$log" "cannot create $WINEPREFIX"; return 1; }

  wine64 wineboot -i >>"$log" 2>&1 ||
    { coilcalc_wine_prefix_failed "$log" "wine64 wineboot -i failed"; return 1; }
  wineserver -w >>"$log" 2>&1 ||
    { coilcalc_wine_prefix_failed "$log" "wineserver -w failed after wineboot"; return 1; }

  local target="$WINEPREFIX/drive_c/windows/Fonts"
  [ -d "$target" ] ||
    { coilcalc_wine_prefix_failed "$log" "wineboot made no folder $target"; return 1; }
  cp -- "$fonts"/* "$target/" ||
    { coilcalc_wine_prefix_failed "$log" "cannot copy $fonts into $target"; return 1; }
  for font in sserife.fon marlett.ttf; do
    [ -f "$target/$font" ] ||
      { coilcalc_wine_prefix_failed "$log" "$target/$font missing after the copy"; return 1; }
  done

  # Unmanaged windows: Wine draws the caption itself and closing a window takes no 2 s wait
  # for a window manager that is not there.
  wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$log" 2>&1 ||
    { coilcalc_wine_prefix_failed "$log" "wine64 reg add (unmanaged windows) failed"; return 1; }
  wineserver -w >>"$log" 2>&1 ||
    { coilcalc_wine_prefix_failed "$log" "wineserver -w failed after reg add"; return 1; }

  printf '%s\n' "$COILCALC_WINE_PREFIX_KIND" >"$stamp" ||
    { coilcalc_wine_prefix_failed "$log" "cannot write $stamp"; return 1; }
  echo "lib.sh: Wine prefix ready in $((SECONDS - started)) s" >&2
}

# The Windows form of a Unix path, as Wine's Z: drive shows it.
coilcalc_windows_path() {
  local path
  path=$(realpath "$1")
  printf 'Z:%s' "${path//\//\\}"
}

# Runs PROGRAM under Wine on a new Xvfb screen; wineserver goes down before the X server
# does, so no Wine process outlives its screen. NAME is the inner shell's name in `ps`.
coilcalc_wine_on_xvfb() {
  local name=$1
  shift
  # shellcheck disable=SC2016  # the inner shell expands its own arguments
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    wine64 "$@"
    status=$?
    wineserver -k 2>/dev/null
    exit $status' "$name" "$@"
}
