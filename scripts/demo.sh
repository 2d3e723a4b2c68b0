#!/usr/bin/env bash
# The main job for now: packs the sample product with kelpack, lists and
# verifies the archive, extracts it again and checks that nothing changed.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh
cmake -G Ninja -S . -B build/native -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native --target kelpack -j "$(nproc)"
kelpack=build/native/tools/kelpack/kelpack

work=build/demo
rm -rf "$work"
mkdir -p "$work"

echo "== kelpack pack $work/Data.Kel samples/product"
"$kelpack" pack "$work/Data.Kel" samples/product
echo
echo "== kelpack list $work/Data.Kel"
"$kelpack" list "$work/Data.Kel"
echo
echo "== kelpack verify $work/Data.Kel"
"$kelpack" verify "$work/Data.Kel"
echo
echo "== kelpack extract $work/Data.Kel $work/extracted --with-paths --check-crc"
"$kelpack" extract "$work/Data.Kel" "$work/extracted" --with-paths --check-crc
diff -r samples/product "$work/extracted"
echo "The extracted folder matches samples/product file for file."
