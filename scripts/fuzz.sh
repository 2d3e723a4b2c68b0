#!/usr/bin/env bash
# Builds the fuzz configuration (clang, libFuzzer, ASan, UBSan) in build/fuzz,
# writes the seed corpora and runs the archive fuzzer, then the BMP and JPEG fuzzers.
# Usage: scripts/fuzz.sh [SECONDS]   (default 60, for each fuzzer)
# Exits non-zero when a fuzzer finds a crash; the input is kept in build/fuzz/artifacts
# (the picture fuzzers' with the prefixes bmp- and jpeg-).
# Inputs that once found a fault live in tests/fuzz/regressions (archive),
# tests/fuzz/regressions-bmp and tests/fuzz/regressions-jpeg, and are run first.
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
ninja -C "$build" -j2 archive_fuzzer make_seeds bmp_fuzzer make_bmp_seeds jpeg_fuzzer

mkdir -p "$build/corpus" "$build/seeds" "$build/corpus-bmp" "$build/seeds-bmp" "$build/corpus-jpeg" "$build/artifacts"
"$build/tests/fuzz/make_seeds" "$build/seeds"
"$build/tests/fuzz/make_bmp_seeds" "$build/seeds-bmp"

# The target extracts into a scratch folder under TMPDIR; memory-backed when possible.
scratch_base=/dev/shm
[ -d "$scratch_base" ] && [ -w "$scratch_base" ] || scratch_base=$build
scratch=$(mktemp -d "$scratch_base/kelfuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# Runs one fuzzer with the common options; the remaining arguments are corpus
# folders, of which missing ones are left out.
run_fuzzer() {
  local name=$1 prefix=$2
  shift 2
  local folders=()
  for folder in "$@"; do [ -d "$folder" ] && folders+=("$folder"); done
  "$build/tests/fuzz/$name" \
    -max_total_time="$seconds" \
    -max_len=65536 \
    -rss_limit_mb=2048 \
    -timeout=30 \
    -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$prefix" \
    "${folders[@]}"
}

report_crash() {
  local name=$1 rc=$2
  echo "fuzz.sh: $name stopped with status $rc; inputs in $build/artifacts/:" >&2
  ls -l "$build/artifacts" >&2 || true
  echo "fuzz.sh: replay one with: $build/tests/fuzz/$name FILE" >&2
}

rc=0
archive_rc=0
TMPDIR=$scratch run_fuzzer archive_fuzzer "" \
  "$build/corpus" "$build/seeds" "$root/tests/fuzz/regressions" || archive_rc=$?
[ "$archive_rc" -eq 0 ] || { report_crash archive_fuzzer "$archive_rc"; rc=$archive_rc; }

bmp_rc=0
run_fuzzer bmp_fuzzer bmp- \
  "$build/corpus-bmp" "$build/seeds-bmp" "$root/tests/fuzz/regressions-bmp" || bmp_rc=$?
[ "$bmp_rc" -eq 0 ] || { report_crash bmp_fuzzer "$bmp_rc"; rc=$bmp_rc; }

# The JPEG decoder starts from the test pictures.
jpeg_seeds=$build/seeds-jpeg
mkdir -p "$jpeg_seeds"
cp "$root"/tests/data/pictures/*.jpg "$jpeg_seeds/"
jpeg_rc=0
run_fuzzer jpeg_fuzzer jpeg- \
  "$build/corpus-jpeg" "$jpeg_seeds" "$root/tests/fuzz/regressions-jpeg" || jpeg_rc=$?
[ "$jpeg_rc" -eq 0 ] || { report_crash jpeg_fuzzer "$jpeg_rc"; rc=$jpeg_rc; }
exit "$rc"
