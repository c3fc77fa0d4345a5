# Sourced by the scripts that run Windows programs. start_wine_session BUILD own|auto [RUNTIME...] uses the
# Wine runtimes given (8 or 10; by default $WINE, else 8), each in its prefix in BUILD (made on first use) at
# the display scale $SCALE (in per cent, 100 by default) with the fonts of $FONT (see wine-prefix.sh), and a
# display: "own" always starts an Xvfb of ours, "auto" only when $DISPLAY is empty. The first runtime is the
# one `wine` runs. On exit it puts the scale back to 100 % and Wine's own fonts, and ends the programs listed
# in session_pids, the prefixes' wineservers and our Xvfb, each by what we started and nothing else.
source "$(dirname "${BASH_SOURCE[0]}")/wine-runtime.sh"
xvfb_pid=
session_pids=()

# The system language the programs run in, as UI=zh or UI=en gives it (none: the locale as it is).
use_ui() {
  case ${UI:-} in
    zh) export LC_ALL=zh_CN.UTF-8 ;;
    en) export LC_ALL=en_US.UTF-8 ;;
    "") ;;
    *) echo "UI is zh or en, not $UI" >&2; return 2 ;;
  esac
}
session_runtimes=()
session_build=

start_xvfb() {
  local n tries
  for n in $(seq 91 140); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    # Large enough for the dialog and its message boxes at 200 %.
    Xvfb ":$n" -screen 0 1600x1400x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for tries in $(seq 50); do
      [[ -e /tmp/.X11-unix/X$n ]] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
  done
  echo "could not start Xvfb" >&2
  return 1
}

end_wine_session() {
  local pid runtime
  for pid in "${session_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for runtime in "${session_runtimes[@]}"; do
    (
      use_wine "$runtime"
      export WINEPREFIX=$(wine_prefix "$PWD/$session_build/wineprefix" "$runtime")
      [[ -d $WINEPREFIX ]] || exit 0
      scripts/wine-prefix.sh "$WINEPREFIX" 100 ""  # after a scaled run or test, the prefix is as it was
      wineserver -k 2>/dev/null || true
    )
  done
  if [[ -n $xvfb_pid ]]; then
    kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=
  fi
  return 0
}

start_wine_session() {
  local runtime
  session_build=$1
  session_runtimes=("${@:3}")
  ((${#session_runtimes[@]})) || session_runtimes=("${WINE:-8}")
  for runtime in "${session_runtimes[@]}"; do
    use_wine "$runtime" || exit 2
    # Fails plainly where the Debian 13 root cannot be made.
    [[ $runtime == 8 ]] || scripts/debian13-root.sh >/dev/null
  done
  use_wine "${session_runtimes[0]}"
  export WINEPREFIX=$(wine_prefix "$PWD/$1/wineprefix" "${session_runtimes[0]}")
  export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
  trap end_wine_session EXIT
  if [[ $2 == own || -z ${DISPLAY:-} ]]; then start_xvfb; fi
  scripts/wine-prefix.sh "$WINEPREFIX" "${SCALE:-100}" "${FONT:-}"
}
