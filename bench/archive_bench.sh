#!/usr/bin/env bash
# Packs and extracts a ~200 MB payload with kelpack and with zip/unzip, side by
# side, and prints the best-of-3 wall-clock times and the ratios
# (kelpack / standard tool: below 1.0 means kelpack is faster), beside the
# targets: pack at the default level and extraction against zip -r -6 and
# unzip, the archive's size against zip's at the default and the highest level.
# Usage: bench/archive_bench.sh [PERCENT]   PERCENT scales the payload (default 100).
# Uses its own Release build in build/bench.
set -euo pipefail

percent=${1:-100}
runs=${BENCH_RUNS:-3}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/bench
work=$build/work-$percent

source "$root/bench/bench-tools.sh"
require_tools archive_bench.sh cmake ninja zip unzip
build_native_tools "$build"
kelpack=$build/tools/kelpack/kelpack

mkdir -p "$work"
cd "$work"
if ! made_by payload.done "$build/bench/make_payload"; then
  rm -rf payload
  "$build/bench/make_payload" payload "$percent"
  record_maker payload.done "$build/bench/make_payload"
fi

now() { date +%s.%N; }

# best_of NAME PREPARE COMMAND: runs PREPARE then times COMMAND, once untimed to
# warm the cache, then $runs times; records the best time and every time.
# COMMAND may use $run, the run's number (0 for the untimed one). Each timed
# run starts with nothing left to write back from the one before.
declare -A best times
best_of() {
  local name=$1 prepare=$2 command=$3 start end t min="" run=0
  eval "$prepare"
  eval "$command" >/dev/null
  for run in $(seq "$runs"); do
    eval "$prepare"
    sync
    start=$(now)
    eval "$command" >/dev/null
    end=$(now)
    t=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')
    times[$name]+=" $t"
    if [ -z "$min" ] || awk -v t="$t" -v m="$min" 'BEGIN { exit !(t < m) }'; then min=$t; fi
  done
  best[$name]=$min
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "payload: $(find payload -type f | wc -l) files, $(find payload -type f -printf '%s\n' | awk '{ s += $1 } END { print s }') bytes; best of $runs runs"

best_of kelpack_pack "rm -f X.kel" "$kelpack pack X.kel payload"
best_of kelpack_max "rm -f M.kel" "$kelpack pack M.kel payload --level maximum"
best_of zip_pack "rm -f X.zip" "zip -r -6 -q X.zip payload"
# Each extraction writes into a folder of its own, and all of them go only
# after the last run: files removed just before a run make the file system
# pass over each freshly freed inode whenever it creates a file (for about a
# minute), which costs either tool seconds that are not its own. For the same
# reason a run started within a minute of the one before is slower.
rm -rf out
best_of kelpack_extract "" "$kelpack extract X.kel out/kelpack-\$run --with-paths"
best_of unzip_extract "" "unzip -o -q X.zip -d out/unzip-\$run"

# Both tools must give back the payload as it was.
diff -r payload out/kelpack-1 >/dev/null || { echo "archive_bench.sh: kelpack extracted something else" >&2; exit 1; }
diff -r payload out/unzip-1/payload >/dev/null || { echo "archive_bench.sh: unzip extracted something else" >&2; exit 1; }

kel_size=$(stat -c %s X.kel)
max_size=$(stat -c %s M.kel)
zip_size=$(stat -c %s X.zip)
printf '%-13s %12s %12s %8s %8s\n' "" kelpack "zip/unzip" ratio target
printf '%-13s %11ss %11ss %8s %8s\n' pack "${best[kelpack_pack]}" "${best[zip_pack]}" \
  "$(ratio "${best[kelpack_pack]}" "${best[zip_pack]}")" 0.15
printf '%-13s %12s %12s %8s %8s\n' size "$kel_size" "$zip_size" "$(ratio "$kel_size" "$zip_size")" 0.97
printf '%-13s %11ss %11ss %8s %8s\n' "pack maximum" "${best[kelpack_max]}" "${best[zip_pack]}" \
  "$(ratio "${best[kelpack_max]}" "${best[zip_pack]}")" -
printf '%-13s %12s %12s %8s %8s\n' "size maximum" "$max_size" "$zip_size" "$(ratio "$max_size" "$zip_size")" 0.93
printf '%-13s %11ss %11ss %8s %8s\n' extract "${best[kelpack_extract]}" "${best[unzip_extract]}" \
  "$(ratio "${best[kelpack_extract]}" "${best[unzip_extract]}")" 0.25
for name in kelpack_pack kelpack_max zip_pack kelpack_extract unzip_extract; do
  printf '%-16s runs:%s\n' "$name" "${times[$name]}"
done
rm -rf out
