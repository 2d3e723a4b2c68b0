#!/usr/bin/env bash
# The main job for now: packs the sample product with kelpack, lists and
# verifies the archive, extracts it again and checks that nothing changed;
# then makes the sample setup and walks its wizard under Wine.
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

echo "== kelpack pack $work/Data.Kel samples/setup/Files"
"$kelpack" pack "$work/Data.Kel" samples/setup/Files
echo
echo "== kelpack list $work/Data.Kel"
"$kelpack" list "$work/Data.Kel"
echo
echo "== kelpack verify $work/Data.Kel"
"$kelpack" verify "$work/Data.Kel"
echo
echo "== kelpack extract $work/Data.Kel $work/extracted --with-paths --check-crc"
"$kelpack" extract "$work/Data.Kel" "$work/extracted" --with-paths --check-crc
diff -r samples/setup/Files "$work/extracted"
echo "The extracted folder matches samples/setup/Files file for file."

# The wizard: Setup.exe beside the sample Data.Kel, under Wine in a private
# display, walked through its first four pages (a screenshot of each), then
# cancelled; the working folder must be gone afterwards.
echo
echo "== the sample setup: Setup.exe under Wine"
cmake -G Ninja -S . -B build/win32 -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake" >/dev/null
cmake --build build/win32 --target Setup -j "$(nproc)"
setup="$work/setup"
bash scripts/make-sample-setup.sh "$kelpack" build/win32/app/Setup.exe "$setup"
source scripts/display.sh
unset DISPLAY
start_display
(cd "$setup" && "$root/scripts/wine-run.sh" Setup.exe >/dev/null 2>&1) &
shown=$!
trap 'kill $shown 2>/dev/null || true; wineserver -k 2>/dev/null || true; stop_display' EXIT
for _ in $(seq 180); do xdotool search --onlyvisible --name '^SetupForm$' >/dev/null 2>&1 && break; sleep 0.5; done
sleep 2
# The 620 x 440 window is centred on the 1280 x 1024 screen.
left=330 top=292
click() { xdotool mousemove $((left + $1)) $((top + $2)) click 1 mousemove 1 1; sleep 1.5; }
shot() { import -window root -crop 660x480+$((left - 20))+$((top - 20)) "$work/$1.png"; echo "Screenshot: $work/$1.png"; }
next() { click 448 397; }
shot wizard-0-welcome
next; shot wizard-1-licence
click 208 324; next; shot wizard-2-destination
next; shot wizard-3-folder
click 558 397
box=$(xdotool search --onlyvisible --name 'Best.*tigung' | head -1)
eval "$(xdotool getwindowgeometry --shell "$box")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 8)) key Return
wait $shown || true
if [ -d "$setup/temp" ]; then echo "The working folder was left behind." >&2; exit 1; fi
echo "The wizard walked its first four pages, was cancelled, and removed its working folder."
