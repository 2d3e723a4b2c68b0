#!/usr/bin/env bash
# Installs a product of about 200 MB in about 5,000 files and 50 folders with
# the Windows build's Setup.exe under Wine, silently, end to end, and sets
# each phase against the plain operation under Wine in the same run:
#   unpacking  Setup.exe's start-up unpacking   / kelpack.exe extract of the same Data.Kel
#   copy       Setup.exe's copy phase           / xcopy /E /I of the unpacked tree
#   install    the whole silent install         / the sum of those two plain operations
# Below 1.0 the setup is faster. The plain operations are timed as whole Wine
# processes, the setup's phases by the lines of its step log as they appear:
# the start-up of a Wine process (a tenth of a second or two) counts against
# the plain operations only.
# Usage: bench/install_bench.sh [PERCENT]   PERCENT scales the payload (default 100).
# Needs the Windows build (KEL_WIN32_BUILD, default build/win32); prints best-of-BENCH_RUNS (3) times.
set -euo pipefail

percent=${1:-100}
runs=${BENCH_RUNS:-3}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/bench
win32=${KEL_WIN32_BUILD:-$root/build/win32}
work=$build/install-$percent
run() { "$root/scripts/wine-run.sh" "$@"; }
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="

source "$root/bench/bench-tools.sh"
require_tools install_bench.sh cmake ninja python3 wine
build_native_tools "$build"
ninja -C "$win32" Setup kelpack uninstall LarkNotes >/dev/null

source "$root/scripts/display.sh"
if [ -z "${DISPLAY:-}" ]; then start_display; fi
export WINEPREFIX="${KEL_WINEPREFIX:-$root/.wine}"
trap 'wineserver -k 2>/dev/null || true; stop_display' EXIT
run cmd /c exit 0 >/dev/null 2>&1 || true   # makes the prefix once
wineserver -p 2>/dev/null || true            # one server for every run below

# The project: the sample's skin and programs, the payload in Files, every
# file installed by one wildcard; no program folder, shortcut or start.
mkdir -p "$work"
cd "$work"
if ! made_by project.done "$build/bench/make_payload"; then
  rm -rf project
  cp -r "$root/samples/setup" project
  "$build/bench/make_payload" project/Files "$percent" 50 >/dev/null
  cp "$win32/samples/larknotes/LarkNotes.exe" "$win32/uninstall/uninstall.exe" project/Files/
  sed -i -e '/^Addfile=/d' -e 's/^Object=Setup\r$/Object=Setup\r\nAddfile=*\r/' \
    -e 's/^Folder=.*\r$/Folder=\r/' -e 's/^DesktopIcon=1/DesktopIcon=0/' -e 's/^LaunchProg=1/LaunchProg=0/' \
    project/Setup.ini
  record_maker project.done "$build/bench/make_payload"
fi
rm -rf cd
"$build/tools/kelpack/kelpack" build project cd --setup "$win32/app/Setup.exe" >/dev/null

win() { WINEPREFIX=$WINEPREFIX winepath -w "$1" 2>/dev/null; }
drive_c=$WINEPREFIX/drive_c
product='C:\kel-bench\Product'
kelpack_exe=$(win "$win32/tools/kelpack/kelpack.exe")
now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.3f", b - a }'; }
min() { awk -v a="$1" -v b="$2" 'BEGIN { print (a == "" || b < a) ? b : a }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
# Each run replaces the uninstall entry of the one before; only the last goes.
clean() { rm -rf unpacked "$drive_c/kel-bench" cd/temp*; }
# The output goes to a file: a program takes the null device for a console and
# draws its progress there, which Wine makes slow.
# Each timed operation starts with nothing left to write back from the one before.
timed() { local start; sync; start=$(now); "$@" >"$work/output.txt" 2>&1; elapsed "$start"; }

echo "product: $(find project/Files -type f | wc -l) files in $(find project/Files -mindepth 1 -type d | wc -l) folders," \
  "$(du -sb project/Files | cut -f1) bytes; Data.Kel $(stat -c %s cd/Data.Kel) bytes; best of $runs runs"

best_extract="" best_xcopy="" best_total="" best_unpack="" best_copy=""
for i in $(seq 0 "$runs"); do   # run 0 warms the caches and is not counted
  clean
  t_extract=$(timed wine "$kelpack_exe" extract "$(win "$work/cd/Data.Kel")" "$(win "$work")\\unpacked" --with-paths)
  t_xcopy=$(timed wine xcopy /E /I /Q /Y "$(win "$work")\\unpacked" 'C:\kel-bench\xcopied')
  clean
  sync
  read -r total unpack copy before removal < <(python3 "$root/bench/timed_install.py" "$work/run.log" \
    wine "$work/cd/Setup.exe" /S "/LOG=$(win "$work")\\run.log" "/D=$product" | sed 's/[a-z]*=//g')
  [ -f "$drive_c/kel-bench/Product/setup.log" ] || { echo "install_bench.sh: the setup did not install" >&2; exit 1; }
  [ "$i" -eq 0 ] && continue
  echo "run $i: extract $t_extract s, xcopy $t_xcopy s, silent install $total s" \
    "(unpacking $unpack s, copy phase $copy s; $before s before the unpacking, $removal s removing the working folder)"
  best_extract=$(min "$best_extract" "$t_extract"); best_xcopy=$(min "$best_xcopy" "$t_xcopy")
  best_total=$(min "$best_total" "$total"); best_unpack=$(min "$best_unpack" "$unpack"); best_copy=$(min "$best_copy" "$copy")
done
clean
wine reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Larkspur Notes' /f >/dev/null 2>&1 || true

plain_sum=$(awk -v a="$best_extract" -v b="$best_xcopy" 'BEGIN { printf "%.3f", a + b }')
echo "unpacking: Setup.exe $best_unpack s, kelpack.exe extract $best_extract s: ratio $(ratio "$best_unpack" "$best_extract") (target 1.05)"
echo "copy:      Setup.exe $best_copy s, xcopy $best_xcopy s: ratio $(ratio "$best_copy" "$best_xcopy") (target 1.2)"
echo "install:   Setup.exe /S $best_total s, extract + xcopy $plain_sum s: ratio $(ratio "$best_total" "$plain_sum") (target 1.0)"
