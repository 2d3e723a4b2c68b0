#!/usr/bin/env bash
# Start-up under Wine: Setup.exe beside the sample payload against a minimal
# Windows program that only shows a window, measured in the same run. Each time
# runs from the launch until the program's window is visible in the X display;
# prints the best of the runs and the ratio (Setup.exe / minimal program).
# Usage: bench/startup_bench.sh [RUNS]   (default 7 runs after one to warm up)
# Needs the Windows build (KEL_WIN32_BUILD_DIR, default build/win32, with
# Setup, uninstall, LarkNotes and minimal_window built) and a native kelpack
# (KELPACK, default build/native/tools/kelpack/kelpack).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-${BENCH_RUNS:-7}}
win32=${KEL_WIN32_BUILD_DIR:-$root/build/win32}
kelpack=${KELPACK:-$root/build/native/tools/kelpack/kelpack}

source "$root/bench/bench-tools.sh"
require_tools startup_bench.sh wine wineserver xdotool Xvfb
for file in "$kelpack" "$win32/app/Setup.exe" "$win32/bench/minimal_window.exe"; do
  [ -x "$file" ] || { echo "startup_bench.sh: $file is missing; build it first" >&2; exit 2; }
done

export WINEPREFIX="${KEL_WINEPREFIX:-$root/.wine}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="
source "$root/scripts/display.sh"
work=$(mktemp -d)
cleanup() {
  wineserver -k 2>/dev/null || true
  stop_display
  rm -rf "$work"
}
trap cleanup EXIT
start_display

# The prefix is made by the project's runner; the server then stays up between
# runs, so that no launch pays for starting it.
"$root/scripts/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1 || true
wineserver -w
wineserver -p

"$root/scripts/make-sample-setup.sh" "$kelpack" "$work/setup" >/dev/null
mkdir -p "$work/minimal"
cp "$win32/bench/minimal_window.exe" "$work/minimal/"

now() { date +%s.%N; }

# seconds_to_window TITLE FOLDER PROGRAM: launches a fresh copy of FOLDER's
# PROGRAM (the setup unpacks beside itself) and prints the seconds until a
# window titled TITLE is visible; the program is ended afterwards. Fails when
# the program ends first (Wine at times ends a launch right after a new
# server starts; the caller tries once more).
seconds_to_window() {
  local title=$1 folder=$2 program=$3 run=$work/run start end pid
  rm -rf "$run"
  cp -r "$folder" "$run"
  start=$(now)
  (cd "$run" && exec wine "$program" >/dev/null 2>&1) &
  pid=$!
  until xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do
    if ! kill -0 "$pid" 2>/dev/null; then echo "startup_bench.sh: $program ended without a window" >&2; return 1; fi
    if awk -v s="$start" -v n="$(now)" 'BEGIN { exit !(n - s > 60) }'; then
      echo "startup_bench.sh: no window of $program after 60 s" >&2; exit 1
    fi
    sleep 0.005
  done
  end=$(now)
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  # Wine ends the program's Windows process with its Unix one; wait until its window is gone.
  while xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do sleep 0.05; done
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }'
}

# timed TITLE FOLDER PROGRAM: one launch's seconds, tried once more when Wine ends it early.
timed() { seconds_to_window "$@" || seconds_to_window "$@"; }
lower() { awk -v t="$1" -v m="$2" 'BEGIN { print (m == "" || t < m) ? t : m }'; }

# One launch of each to warm the caches, then $runs launches of each, the two
# programs taking turns, so that both meet the same load of the machine;
# the best of each.
timed SetupForm "$work/setup" Setup.exe >/dev/null
timed MinimalWindow "$work/minimal" minimal_window.exe >/dev/null
setup="" minimal=""
for _ in $(seq "$runs"); do
  setup=$(lower "$(timed SetupForm "$work/setup" Setup.exe)" "$setup")
  minimal=$(lower "$(timed MinimalWindow "$work/minimal" minimal_window.exe)" "$minimal")
done
echo "start-up until the window is visible, best of $runs runs under Wine (the two programs in turn)"
printf '%-16s %8ss\n' Setup.exe "$setup" "minimal window" "$minimal"
printf '%-16s %8s   target 1.2\n' ratio "$(awk -v a="$setup" -v b="$minimal" 'BEGIN { printf "%.2f", a / b }')"
