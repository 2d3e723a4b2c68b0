#!/usr/bin/env bash
# Installs what is missing, builds both configurations and runs every test:
# native unit tests, and the Windows build's tests under Wine in Xvfb.
# Prints one closing line "N passed, N failed" over all test cases.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh
results="$root/build/test-results"
rm -rf "$results" build/{native,asan,win32}/Testing/Temporary/LastTestsFailed.log
mkdir -p "$results/native" "$results/asan" "$results/win32"

jobs=$(nproc)

# The Windows build comes first: the native builds take the kit's Windows
# programs from it instead of building them again.
echo "== Windows build"
cmake -G Ninja -S . -B build/win32 -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake" >/dev/null
cmake --build build/win32 -j "$jobs"

kit_programs=(-DKEL_WIN32_EXTERNAL=OFF -DKEL_WIN32_BUILD_DIR="$root/build/win32")
echo "== native build"
cmake -G Ninja -S . -B build/native -DCMAKE_BUILD_TYPE=Release "${kit_programs[@]}" >/dev/null
cmake --build build/native -j "$jobs"

echo "== native build with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -G Ninja -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DKEL_SANITIZE=ON "${kit_programs[@]}" >/dev/null
cmake --build build/asan -j "$jobs"

# One display for all Windows tests, so each run need not start its own.
source scripts/display.sh
start_display
trap 'wineserver -k 2>/dev/null || true; stop_display' EXIT

status=0
echo "== native tests"
GTEST_OUTPUT="xml:$results/native/" ctest --test-dir build/native --output-on-failure -j "$jobs" || status=1

echo "== native tests under the sanitizers"
GTEST_OUTPUT="xml:$results/asan/" ctest --test-dir build/asan --output-on-failure -j "$jobs" || status=1

echo "== Windows tests under Wine"
scripts/wine-run.sh cmd /c exit 0 >/dev/null 2>&1 || true   # makes the prefix once
win_results=$(WINEPREFIX="$root/.wine" winepath -w "$results/win32/" 2>/dev/null)
GTEST_OUTPUT="xml:$win_results" ctest --test-dir build/win32 --output-on-failure -j 1 || status=1

echo "== fuzzing (short run)"
bash scripts/fuzz.sh "${KEL_FUZZ_SECONDS:-60}" >"$results/fuzz.log" 2>&1 || { tail -40 "$results/fuzz.log"; status=1; }
grep -E '^Done [0-9]+ runs' "$results/fuzz.log" || true   # one line per fuzzer

python3 scripts/test-summary.py "$results" build/native build/asan build/win32 || status=1
exit $status
