#!/usr/bin/env bash
# Builds the fuzz configuration (clang, libFuzzer, ASan, UBSan) in build/fuzz,
# writes the seed corpus and runs the archive fuzzer.
# Usage: scripts/fuzz.sh [SECONDS]   (default 60)
# Exits non-zero when the fuzzer finds a crash; the input is kept in build/fuzz/artifacts.
# Inputs that once found a fault live in tests/fuzz/regressions and are run first.
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
ninja -C "$build" archive_fuzzer make_seeds

mkdir -p "$build/corpus" "$build/seeds" "$build/artifacts"
"$build/tests/fuzz/make_seeds" "$build/seeds"

# The target extracts into a scratch folder under TMPDIR; memory-backed when possible.
scratch_base=/dev/shm
[ -d "$scratch_base" ] && [ -w "$scratch_base" ] || scratch_base=$build
scratch=$(mktemp -d "$scratch_base/kelfuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

rc=0
TMPDIR=$scratch "$build/tests/fuzz/archive_fuzzer" \
  -max_total_time="$seconds" \
  -max_len=65536 \
  -rss_limit_mb=2048 \
  -timeout=30 \
  -print_final_stats=1 \
  -artifact_prefix="$build/artifacts/" \
  "$build/corpus" "$build/seeds" "$root/tests/fuzz/regressions" || rc=$?

if [ "$rc" -ne 0 ]; then
  echo "fuzz.sh: the fuzzer stopped with status $rc; inputs in $build/artifacts/:" >&2
  ls -l "$build/artifacts" >&2 || true
  echo "fuzz.sh: replay one with: $build/tests/fuzz/archive_fuzzer FILE" >&2
fi
exit "$rc"
