#!/usr/bin/env bash
# Start-up under Wine: Setup.exe beside the sample payload against a minimal
# Windows program that only shows a window, measured in the same run. Each time
# runs from the launch until the program's window is visible in the X display;
# prints the best of the runs and the ratio (Setup.exe / minimal program,
# target 1.2).
# With --large, the same Setup.exe also starts beside the install
# benchmark's payload (about 205 MB in about 5,000 files, scaled by PERCENT,
# made as install_bench.sh makes it), and that start-up is set against the
# minimal program (target 1.2) and against the start-up with the sample
# payload (target 1.1): what the setup reads of its payload before its first
# page should not grow with the product.
# Usage: bench/startup_bench.sh [--large[=PERCENT]] [RUNS]
#   (default 7 runs after one to warm up; PERCENT 100)
# Needs the Windows build (KEL_WIN32_BUILD_DIR, default build/win32, with
# Setup, uninstall, LarkNotes and minimal_window built); builds kelpack and
# the payload maker natively in build/bench.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
large=""
case "${1:-}" in
  --large) large=100; shift ;;
  --large=*) large=${1#--large=}; shift ;;
  -*) echo "usage: bench/startup_bench.sh [--large[=PERCENT]] [RUNS]" >&2; exit 2 ;;
esac
runs=${1:-${BENCH_RUNS:-7}}
[ "$runs" -ge 1 ] 2>/dev/null || { echo "startup_bench.sh: RUNS must be a number from 1" >&2; exit 2; }
win32=${KEL_WIN32_BUILD_DIR:-$root/build/win32}
build=$root/build/bench

source "$root/bench/bench-tools.sh"
require_tools startup_bench.sh cmake ninja wine wineserver xdotool Xvfb
for file in "$win32/app/Setup.exe" "$win32/uninstall/uninstall.exe" "$win32/samples/larknotes/LarkNotes.exe" \
            "$win32/bench/minimal_window.exe"; do
  [ -f "$file" ] || { echo "startup_bench.sh: $file is missing; build it first" >&2; exit 2; }
done
build_native_tools "$build"
kelpack=$build/tools/kelpack/kelpack

export WINEPREFIX="${KEL_WINEPREFIX:-$root/.wine}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="
source "$root/scripts/display.sh"
# The launches' folders lie beside the large payload, so that they can link
# to its files instead of copying them.
work=$(mktemp -d "$build/startup.XXXXXX")
cleanup() {
  wineserver -k 2>/dev/null || true
  stop_display
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
start_display

# The prefix is made by the project's runner; the server then stays up between
# runs, so that no launch pays for starting it.
"$root/scripts/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1 || true
wineserver -w
wineserver -p

# The sample setup, with the same Setup.exe as the large one.
sample_project "$work/project"
"$kelpack" build "$work/project" "$work/setup" --setup "$win32/app/Setup.exe" >/dev/null
mkdir -p "$work/minimal"
cp "$win32/bench/minimal_window.exe" "$work/minimal/"
if [ -n "$large" ]; then
  install_setup "$build" "$large"
  large_setup=$build/install-$large/cd
fi

now() { date +%s.%N; }

# seconds_to_window TITLE FOLDER PROGRAM: launches a fresh copy of FOLDER's
# PROGRAM (the setup unpacks beside itself) and prints the seconds until a
# window titled TITLE is visible; the program is ended afterwards. The copy's
# files are links to FOLDER's, which nothing changes (a copy where links
# cannot be made). Fails when the program ends first (Wine at times ends a
# launch right after a new server starts; the caller tries once more).
seconds_to_window() {
  local title=$1 folder=$2 program=$3 run=$work/run start end pid
  rm -rf "$run"
  cp -rl "$folder" "$run" 2>/dev/null || { rm -rf "$run"; cp -r "$folder" "$run"; }
  start=$(now)
  (cd "$run" && exec wine "$program" >/dev/null 2>&1) &
  pid=$!
  until xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do
    if ! kill -0 "$pid" 2>/dev/null; then echo "startup_bench.sh: $program ended without a window" >&2; return 1; fi
    if awk -v s="$start" -v n="$(now)" 'BEGIN { exit !(n - s > 600) }'; then
      echo "startup_bench.sh: no window of $program after 600 s" >&2; exit 1
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
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# One launch of each to warm the caches, then $runs launches of each, the
# programs taking turns, so that all meet the same load of the machine;
# the best of each. A launch that fails ends the benchmark.
timed SetupForm "$work/setup" Setup.exe >/dev/null
timed MinimalWindow "$work/minimal" minimal_window.exe >/dev/null
if [ -n "$large" ]; then timed SetupForm "$large_setup" Setup.exe >/dev/null; fi
setup="" minimal="" large_time=""
for _ in $(seq "$runs"); do
  t=$(timed SetupForm "$work/setup" Setup.exe)
  setup=$(lower "$t" "$setup")
  t=$(timed MinimalWindow "$work/minimal" minimal_window.exe)
  minimal=$(lower "$t" "$minimal")
  if [ -n "$large" ]; then
    t=$(timed SetupForm "$large_setup" Setup.exe)
    large_time=$(lower "$t" "$large_time")
  fi
done
echo "start-up until the window is visible, best of $runs runs under Wine (the programs in turn)"
if [ -n "$large" ]; then
  echo "large payload: $(find "$build/install-$large/project/Files" -type f | wc -l) files," \
    "$(du -sb "$build/install-$large/project/Files" | cut -f1) bytes; Data.Kel $(stat -c %s "$large_setup/Data.Kel") bytes"
  printf '%-28s %8ss\n' "Setup.exe, large payload" "$large_time"
fi
printf '%-28s %8ss\n' "Setup.exe, sample payload" "$setup" "minimal window" "$minimal"
printf '%-28s %8s   target 1.2\n' "ratio sample / minimal" "$(ratio "$setup" "$minimal")"
if [ -n "$large" ]; then
  printf '%-28s %8s   target 1.2\n' "ratio large / minimal" "$(ratio "$large_time" "$minimal")"
  printf '%-28s %8s   target 1.1\n' "ratio large / sample" "$(ratio "$large_time" "$setup")"
fi
