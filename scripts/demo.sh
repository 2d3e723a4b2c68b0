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

# The shaped, skinned window: the Windows build's sample program under Wine,
# in a private display, photographed and then closed with its Cancel button.
echo
echo "== the shaped window: samples/skinshow under Wine"
cmake -G Ninja -S . -B build/win32 -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake" >/dev/null
cmake --build build/win32 --target skinshow -j "$(nproc)"
source scripts/display.sh
unset DISPLAY
start_display
log="$work/skinshow.log"
skin="Z:$(echo "$root/samples/skin" | sed 's#/#\\#g')"
scripts/wine-run.sh build/win32/samples/skinshow/skinshow.exe "$skin" --log "$log" >/dev/null 2>&1 &
shown=$!
trap 'kill $shown 2>/dev/null || true; wineserver -k 2>/dev/null || true; stop_display' EXIT
for _ in $(seq 120); do grep -qx ready "$log" 2>/dev/null && break; sleep 0.5; done
sleep 2
# The form is centred on the 1280 x 1024 screen; Cancel sits at (510, 380) in it.
import -window root -crop 640x460+320+282 "$work/skinshow.png"
xdotool mousemove $((330 + 558)) $((292 + 397)) click 1
for _ in $(seq 40); do grep -qx closed "$log" && break; sleep 0.5; done
grep -qx closed "$log" && echo "The window opened, was photographed and closed with its Cancel button."
echo "Screenshot: $work/skinshow.png"
