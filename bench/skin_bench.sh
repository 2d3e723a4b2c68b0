#!/usr/bin/env bash
# Builds and runs the skin benchmark (blending against pixman and a plain copy,
# the outline against a plain pass) in its own Release build in build/bench.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/bench
pkg-config --exists pixman-1 || { echo "skin_bench.sh: pixman is missing (scripts/install-deps.sh installs it)" >&2; exit 2; }
if [ ! -f "$build/build.ninja" ]; then
  cmake -G Ninja -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKEL_TESTS=OFF >/dev/null
fi
ninja -C "$build" skin_bench >/dev/null
"$build/bench/skin_bench"
