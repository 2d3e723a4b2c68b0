#!/usr/bin/env bash
# Builds the fuzz configuration (clang, libFuzzer, ASan, UBSan) in build/fuzz,
# writes the seed corpora and runs the archive fuzzer, the BMP and JPEG fuzzers
# and the setup description fuzzer, one after the other.
# Usage: scripts/fuzz.sh [SECONDS]   (default 60, for each fuzzer: four times that in all)
# Exits non-zero when a fuzzer finds a crash; the input is kept in build/fuzz/artifacts
# (the other fuzzers' with the prefixes bmp-, jpeg- and setup-ini-).
# Inputs that once found a fault live in tests/fuzz/regressions (archive),
# tests/fuzz/regressions-bmp, tests/fuzz/regressions-jpeg and
# tests/fuzz/regressions-setup-ini, and are run first.
set -euo pipefail

seconds=${1:-60}
case $seconds in
  '' | *[!0-9]*) echo "usage: $0 [SECONDS]" >&2; exit 2 ;;
esac

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/fuzz

for tool in clang clang++ cmake ninja; do
  command -v "$tool" >/dev/null || { echo "fuzz.sh: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 2; }
done

if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -G Ninja -S "$root" -B "$build" \
    -DKEL_FUZZ=ON -DKEL_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
ninja -C "$build" -j2 archive_fuzzer make_seeds bmp_fuzzer make_bmp_seeds jpeg_fuzzer \
  setup_ini_fuzzer make_setup_ini_seeds

mkdir -p "$build/corpus" "$build/seeds" "$build/corpus-bmp" "$build/seeds-bmp" "$build/corpus-jpeg" \
  "$build/corpus-setup-ini" "$build/artifacts"
"$build/tests/fuzz/make_seeds" "$build/seeds"
"$build/tests/fuzz/make_bmp_seeds" "$build/seeds-bmp"
"$build/tests/fuzz/make_setup_ini_seeds" "$root/samples/setup/Setup.ini" "$build/seeds-setup-ini" \
  "$build/setup-ini.dict"

# Runs one fuzzer with the common options; the remaining arguments are corpus
# folders, of which missing ones are left out, and options (-name=value).
run_fuzzer() {
  local name=$1 prefix=$2
  shift 2
  local folders=() options=(-max_len=65536)
  for argument in "$@"; do
    case $argument in
      -*) options+=("$argument") ;;
      *) [ -d "$argument" ] && folders+=("$argument") ;;
    esac
  done
  "$build/tests/fuzz/$name" \
    -max_total_time="$seconds" \
    -rss_limit_mb=2048 \
    -timeout=30 \
    -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$prefix" \
    "${options[@]}" \
    "${folders[@]}"
}

report_crash() {
  local name=$1 rc=$2
  echo "fuzz.sh: $name stopped with status $rc; inputs in $build/artifacts/:" >&2
  ls -l "$build/artifacts" >&2 || true
  echo "fuzz.sh: replay one with: $build/tests/fuzz/$name FILE" >&2
}

# Runs one fuzzer and reports a crash; the script ends with the status of the last one.
rc=0
fuzz() {
  local status=0
  run_fuzzer "$@" || status=$?
  [ "$status" -eq 0 ] || { report_crash "$1" "$status"; rc=$status; }
}

fuzz archive_fuzzer "" "$build/corpus" "$build/seeds" "$root/tests/fuzz/regressions"
fuzz bmp_fuzzer bmp- "$build/corpus-bmp" "$build/seeds-bmp" "$root/tests/fuzz/regressions-bmp"

# The JPEG decoder starts from the test pictures.
jpeg_seeds=$build/seeds-jpeg
mkdir -p "$jpeg_seeds"
cp "$root"/tests/data/pictures/*.jpg "$jpeg_seeds/"
fuzz jpeg_fuzzer jpeg- "$build/corpus-jpeg" "$jpeg_seeds" "$root/tests/fuzz/regressions-jpeg"

# Descriptions are small: longer inputs would only slow the runs down.
fuzz setup_ini_fuzzer setup-ini- -max_len=2048 -dict="$build/setup-ini.dict" \
  "$build/corpus-setup-ini" "$build/seeds-setup-ini" "$root/tests/fuzz/regressions-setup-ini"
exit "$rc"
