#!/usr/bin/env bash
# Runs a Windows executable under Wine and exits with its exit status.
# Uses the project's own Wine prefix (made once) and, when no display is
# set, a private Xvfb display for the length of the run.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${KEL_WINEPREFIX:-$root/.wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installers: nothing here needs them and they cannot be fetched.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=}"

xvfb_pid=""
stop_display() {
  [ -n "$xvfb_pid" ] || return 0
  wineserver -w 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
}
trap stop_display EXIT

if [ -z "${DISPLAY:-}" ]; then
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$number_file" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$number_file")"
  rm -f "$number_file"
fi

# The prefix is made once; parallel runs wait for the first to finish it.
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot --init >/dev/null 2>&1
    wineserver -w
  fi
) 9>"$WINEPREFIX.lock"

wine "$@"
