#!/usr/bin/env bash
# Installs a product of about 205 MB in about 5,000 files and 50 folders with
# the Windows build's Setup.exe under Wine, silently, end to end, and sets it
# against the plain operation under Wine in the same run:
#   install  the whole Setup.exe /S   / kelpack.exe extract --with-paths of the
#            same Data.Kel into a folder of the same drive (target 1.1)
# Below 1.0 the setup is faster. Both are timed as whole Wine processes. The
# phases that the setup's step log shows, when it shows them (an unpacking
# of the payload, a copy phase), are printed beside each run's time.
# Then one more install, not timed, samples the disk space in use while it
# runs: the setup folder and the destination lie on a filesystem of their
# own (a tmpfs that Wine sees as a drive; where none can be mounted, their
# folders are walked instead), and the prefix's temporary folder is walked
# too. Its peak is set against the installed product's size plus its largest
# file (target at most 1.0): the one file that may be on the disk twice while
# it is written. The journal's copies of replaced files lie elsewhere and do
# not count; on this fresh install there are none.
# With --huge[=GIB] the product is one sparse file of GIB GiB (default 5)
# instead, and only the times are taken, with the setup's peak memory.
# Usage: bench/install_bench.sh [PERCENT | --huge[=GIB]]   PERCENT scales the payload (default 100).
# Needs the Windows build (KEL_WIN32_BUILD, default build/win32); prints best-of-BENCH_RUNS (3) times.
set -euo pipefail

huge=""
case "${1:-}" in
  --huge) huge=5; shift ;;
  --huge=*) huge=${1#--huge=}; shift ;;
esac
percent=${1:-100}
runs=${BENCH_RUNS:-3}
[ "$runs" -ge 1 ] 2>/dev/null || { echo "install_bench.sh: BENCH_RUNS must be a number from 1" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/bench
win32=${KEL_WIN32_BUILD:-$root/build/win32}
work=$build/install-$percent
if [ -n "$huge" ]; then work=$build/huge-$huge; fi
run() { "$root/scripts/wine-run.sh" "$@"; }
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="

source "$root/bench/bench-tools.sh"
require_tools install_bench.sh cmake ninja python3 wine
build_native_tools "$build"
ninja -C "$win32" Setup kelpack uninstall LarkNotes >/dev/null

source "$root/scripts/display.sh"
if [ -z "${DISPLAY:-}" ]; then start_display; fi
export WINEPREFIX="${KEL_WINEPREFIX:-$root/.wine}"
disk="" drive_link=""   # the filesystem of the disk run and its drive, once made
cleanup() {
  wineserver -k 2>/dev/null || true
  if [ -n "$drive_link" ]; then rm -f "$drive_link"; fi
  if [ -n "$disk" ] && mountpoint -q "$disk"; then
    umount "$disk" 2>/dev/null || umount -l "$disk" || echo "install_bench.sh: cannot unmount $disk" >&2
  fi
  if [ -n "$disk" ]; then rmdir "$disk" 2>/dev/null || true; fi
  stop_display
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
run cmd /c exit 0 >/dev/null 2>&1 || true   # makes the prefix once
wineserver -p 2>/dev/null || true            # one server for every run below

if [ -n "$huge" ]; then huge_setup "$build" "$huge"; else install_setup "$build" "$percent"; fi
cd "$work"

win() { WINEPREFIX=$WINEPREFIX winepath -w "$1" 2>/dev/null; }
drive_c=$WINEPREFIX/drive_c
product='C:\kel-bench\Product'
extracted='C:\kel-bench\Extracted'
kelpack_exe=$(win "$win32/tools/kelpack/kelpack.exe")
now() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.3f", b - a }'; }
min() { awk -v a="$1" -v b="$2" 'BEGIN { print (a == "" || b < a) ? b : a }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
# Each run replaces the uninstall entry of the one before; only the last goes.
clean() { rm -rf "$drive_c/kel-bench" cd/temp*; }
# The output goes to a file: a program takes the null device for a console and
# draws its progress there, which Wine makes slow.
# Each timed operation starts with nothing left to write back from the one
# before. A command that fails ends the benchmark with its output.
timed() {
  local start
  sync
  start=$(now)
  if ! "$@" >"$work/output.txt" 2>&1; then
    echo "install_bench.sh: failed: $*" >&2
    tail -n 20 "$work/output.txt" >&2
    return 1
  fi
  elapsed "$start"
}
# check_installed FOLDER: every product file is in FOLDER with its bytes, so
# that a setup that leaves files out is not timed as a fast one.
check_installed() {
  local differences
  [ -f "$1/setup.log" ] || { echo "install_bench.sh: the setup did not install into $1" >&2; exit 1; }
  differences=$(diff -rq project/Files "$1" | grep -v "^Only in $1" || true)
  if [ -n "$differences" ]; then
    echo "install_bench.sh: the installed product differs from its files:" >&2
    head -n 10 <<<"$differences" >&2
    exit 1
  fi
}
# The seconds of one phase in timed_install.py's line ("total=1.0 copy=0.5"); empty when it is not there.
phase() { sed -n "s/.*\\b$1=\\([0-9.]*\\).*/\\1/p" <<<"$2"; }

product_bytes=$(du -sb project/Files | cut -f1)
echo "product: $(find project/Files -type f | wc -l) files in $(find project/Files -mindepth 1 -type d | wc -l) folders," \
  "$product_bytes bytes; Data.Kel $(stat -c %s cd/Data.Kel) bytes; best of $runs runs"

declare -A best=()
phase_names=(unpack copy before removal)
declare -A phase_texts=([unpack]="unpacking %s s" [copy]="copy phase %s s" [before]="%s s before the unpacking"
                        [removal]="%s s removing the working folder")
for i in $(seq 0 "$runs"); do   # run 0 warms the caches and is not counted
  clean
  t_extract=$(timed wine "$kelpack_exe" extract "$(win "$work/cd/Data.Kel")" "$extracted" --with-paths)
  clean
  sync
  phases=$(python3 "$root/bench/timed_install.py" "$work/run.log" \
    wine "$work/cd/Setup.exe" /S "/LOG=$(win "$work")\\run.log" "/D=$product")
  peak_memory=$(phase peak_kb "$phases")
  [ "$i" -eq "$runs" ] && check_installed "$drive_c/kel-bench/Product"
  [ "$i" -eq 0 ] && continue
  total=$(phase total "$phases")
  found=()
  for name in "${phase_names[@]}"; do
    seconds=$(phase "$name" "$phases")
    [ -n "$seconds" ] || continue
    # shellcheck disable=SC2059
    found+=("$(printf "${phase_texts[$name]}" "$seconds")")
    best[$name]=$(min "${best[$name]:-}" "$seconds")
  done
  shown=""
  for text in "${found[@]}"; do shown+="${shown:+, }$text"; done
  echo "run $i: extract $t_extract s, silent install $total s${shown:+ ($shown)}"
  best[extract]=$(min "${best[extract]:-}" "$t_extract")
  best[total]=$(min "${best[total]:-}" "$total")
done
clean

echo "install: Setup.exe /S ${best[total]} s, kelpack.exe extract --with-paths ${best[extract]} s:" \
  "ratio $(ratio "${best[total]}" "${best[extract]}") (target 1.1)"
if [ -n "${best[unpack]:-}" ] || [ -n "${best[copy]:-}" ]; then
  echo "phases:    unpacking ${best[unpack]:--} s, copy phase ${best[copy]:--} s (best of each, for reference)"
fi
echo "memory:    peak resident memory of Setup.exe in the last run ${peak_memory:--} KB"
if [ -n "$huge" ]; then exit 0; fi   # no room for a tmpfs of that size

# The disk run. Wine reaches the filesystem through a drive letter of its own.
temp_folder=$(winepath -u "$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')" 2>/dev/null || true)
[ -d "$temp_folder" ] || { echo "install_bench.sh: cannot find the prefix's temporary folder" >&2; exit 1; }
letter=""
for candidate in x w v u t s r q p o n m l k; do
  if [ ! -e "$WINEPREFIX/dosdevices/$candidate:" ] && [ ! -L "$WINEPREFIX/dosdevices/$candidate:" ]; then
    letter=$candidate
    break
  fi
done
disk_bytes=$(($(du -sb cd | cut -f1) + 4 * product_bytes + 64 * 1024 * 1024))
disk=$work/disk
mkdir -p "$disk"
if [ -n "$letter" ] && mount -t tmpfs -o "size=$disk_bytes,mode=0755" kel-bench-disk "$disk" 2>/dev/null; then
  drive_link=$WINEPREFIX/dosdevices/$letter:
  ln -s "$disk" "$drive_link"
  cp -r cd "$disk/cd"
  setup_folder=$disk/cd
  destination=$disk/Product
  destination_win="$letter:\\Product"
  watched=(--filesystem "$disk" --folder "$temp_folder")
  method="the setup folder and the destination on a tmpfs of their own, and the temporary folder"
  size_format=%k   # the tmpfs counts whole pages: a file's, in KiB
  size_unit=1024
else
  rmdir "$disk" 2>/dev/null || true
  disk=""
  setup_folder=$work/cd
  destination=$drive_c/kel-bench/Product
  destination_win=$product
  watched=(--folder "$destination" --folder "$setup_folder" --folder "$temp_folder")
  method="no filesystem could be mounted: the destination, the setup folder and the temporary folder walked"
  size_format=%s   # the walk counts the files' sizes
  size_unit=1
fi
clean
sync
disk_result=$(python3 "$root/bench/peak_disk.py" "${watched[@]}" -- \
  wine "$setup_folder/Setup.exe" /S "/LOG=$(win "$work")\\disk-run.log" "/D=$destination_win") || {
  echo "install_bench.sh: the setup of the disk run failed; its log ends:" >&2
  tail -n 20 "$work/disk-run.log" >&2
  exit 1
}
check_installed "$destination"
peak=$(sed -n 's/.*peak=\([0-9]*\).*/\1/p' <<<"$disk_result")
sizes=$(find "$destination" -type f -printf "$size_format\n")
installed=$(awk -v unit="$size_unit" '{ s += $1 } END { printf "%d", s * unit }' <<<"$sizes")
largest=$(awk -v unit="$size_unit" '$1 > m { m = $1 } END { printf "%d", m * unit }' <<<"$sizes")
echo "disk:      peak $peak bytes in use during Setup.exe /S ($method);" \
  "product $installed bytes installed, largest file $largest bytes:" \
  "ratio peak / (product + largest file) $(ratio "$peak" $((installed + largest))) (target 1.0)"
clean
wine reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Larkspur Notes' /f >/dev/null 2>&1 || true
