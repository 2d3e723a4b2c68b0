#!/usr/bin/env bash
# Runs a Windows executable under Wine and exits with its exit status.
# Uses the project's own Wine prefix (made once) and, when no display is
# set, a private Xvfb display for the length of the run.
# KEL_WINEPREFIX names another prefix; KEL_WINEUSER the Windows user it is
# made for and run as (Wine names the profile folder after $USER when it
# makes the prefix, and takes the profile from $USER at every start).
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${KEL_WINEPREFIX:-$root/.wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installers: nothing here needs them and they cannot be fetched.
# No menu builder: Wine starts it for each saved shell link, and it works on
# the link file while the program under test reads or removes it.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=;winemenubuilder.exe=d}"
if [ -n "${KEL_WINEUSER:-}" ]; then
  export USER="$KEL_WINEUSER" LOGNAME="$KEL_WINEUSER"
fi

source "$root/scripts/display.sh"
if [ -z "${DISPLAY:-}" ]; then
  start_display
  # Wine's processes let go of the display before it goes.
  trap 'wineserver -w 2>/dev/null || true; stop_display' EXIT
fi

# The prefix is made once; parallel runs wait for the first to finish it.
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot --init >/dev/null 2>&1
    # A crash prints its backtrace and ends the program instead of waiting in a dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    wineserver -w
  fi
  # Wine links the user's desktop and document folders to the Unix home,
  # which every prefix of this machine shares: runs side by side would make
  # and remove the same shortcuts there. Each prefix gets folders of its own.
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$link" ]; then rm -f "$link" && mkdir -p "$link"; fi
  done
) 9>"$WINEPREFIX.lock"

wine "$@"
