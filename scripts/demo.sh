#!/usr/bin/env bash
# The main job: builds kelpack and the Windows programs, makes the sample
# setup with `kelpack build`, and runs its Setup.exe under Wine.
#
# With a display (DISPLAY set) the wizard shows there and you click through
# it yourself. Without one it runs in a private Xvfb display and is walked
# from Welcome to Finish with the mouse, each page saved as
# build/demo/wizard-*.png; afterwards the script shows what the setup left
# behind: the installed files, setup.log, the uninstall entry, the started
# program and its ReadMe. Then the product's own uninstaller removes it
# again, answered with the keyboard, and the script shows that nothing of it
# remains.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh
echo "== building Setup.exe with the sample programs (Windows) and the kit's kelpack (native)"
cmake -G Ninja -S . -B build/win32 -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake" >/dev/null
cmake --build build/win32 --target Setup LarkNotes uninstall -j "$(nproc)"
cmake -G Ninja -S . -B build/native -DCMAKE_BUILD_TYPE=Release \
  -DKEL_WIN32_EXTERNAL=OFF -DKEL_WIN32_BUILD_DIR="$root/build/win32" >/dev/null
cmake --build build/native --target kelpack kelpack_kit -j "$(nproc)"
kelpack=build/native/tools/kelpack/kelpack

work=build/demo
setup="$work/setup"
rm -rf "$work"
mkdir -p "$work"
echo
echo "== kelpack init and kelpack build: the sample project -> $setup"
bash scripts/make-sample-setup.sh "$kelpack" "$setup"
"$kelpack" list "$setup/Data.Kel"

export WINEPREFIX="${KEL_WINEPREFIX:-$root/.wine}"
export WINEDEBUG=-all
if [ -n "${DISPLAY:-}" ]; then
  echo
  echo "== $setup/Setup.exe runs on your display $DISPLAY; click through it"
  (cd "$setup" && "$root/scripts/wine-run.sh" Setup.exe)
  echo "Setup.exe ended with exit code $?."
  exit 0
fi

source scripts/display.sh
start_display
echo
echo "== $setup/Setup.exe under Wine in a private display ($DISPLAY), walked with the mouse"
# The product's earlier installation goes first, so that this run starts clean.
programs_dir="$WINEPREFIX/drive_c/Program Files (x86)/Larkspur"
rm -rf "$programs_dir"
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
next; sleep 1; shot wizard-5-finish
next
wait $shown || true
if [ -d "$setup/temp" ]; then echo "The working folder was left behind." >&2; exit 1; fi
for _ in $(seq 60); do xdotool search --onlyvisible --name '^Larkspur Notes - ' >/dev/null 2>&1 && break; sleep 0.5; done
sleep 2
import -window root "$work/wizard-6-installed.png"
echo "Screenshot: $work/wizard-6-installed.png (the installed program and its ReadMe, started by the setup)"

destination="$programs_dir/Notes"
echo
echo "== installed into C:\\Program Files (x86)\\Larkspur\\Notes ($destination)"
ls -l "$destination"
echo
echo "== setup.log"
tr -d '\r' <"$destination/setup.log"
echo
echo "== the uninstall entry"
wine 'C:\windows\syswow64\reg.exe' query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Larkspur Notes' | tr -d '\r'
echo "== the windows on the screen"
xdotool search --onlyvisible --name '.' getwindowname %@ | grep -v '^$' | sort -u
echo
echo "The sample setup installed Larkspur Notes from Welcome to Finish and removed its working folder."

echo
echo "== removing Larkspur Notes with its uninstaller (the Start menu's \"Uninstall\" shortcut runs the same)"
wineserver -k 2>/dev/null || true   # the program and the ReadMe the setup started
shell_folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'
unix_path() { winepath -u "$1" 2>/dev/null; }
shell_folder() { wine 'C:\windows\syswow64\reg.exe' query "$shell_folders" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/.*REG_SZ *//p"; }
group=$(unix_path "$(shell_folder Programs)\\Larkspur Notes")
desktop_link=$(unix_path "$(shell_folder Desktop)\\Larkspur Notes.lnk")
"$root/scripts/wine-run.sh" 'C:\Program Files (x86)\Larkspur\Notes\uninstall.exe' >/dev/null 2>&1 &
removal=$!
# Answers the box titled $1 with Enter (Yes, then OK), after a screenshot.
answer() {
  local box=""
  for _ in $(seq 120); do box=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) && [ -n "$box" ] && break; sleep 0.5; done
  [ -n "$box" ] || { echo "No box titled $1 appeared." >&2; exit 1; }
  sleep 1
  import -window root -crop 700x400+290+312 "$work/$2.png"; echo "Screenshot: $work/$2.png"
  eval "$(xdotool getwindowgeometry --shell "$box")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + 10)) key Return mousemove 1 1
  for _ in $(seq 60); do xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | grep -qx "$box" || break; sleep 0.5; done
}
answer "Uninstall Larkspur Notes" uninstall-1-question
answer "Uninstall Larkspur Notes" uninstall-2-summary
wait $removal || true
sleep 2   # the uninstaller's copy removes its original's folder once that has ended
echo
echo "== what is left of Larkspur Notes"
left=0
for path in "$programs_dir" "$group" "$desktop_link"; do
  if [ -e "$path" ]; then echo "left: $path"; find "$path"; left=1; fi
done
if wine 'C:\windows\syswow64\reg.exe' query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Larkspur Notes' >/dev/null 2>&1; then
  echo "left: the uninstall entry"; left=1
fi
[ "$left" -eq 0 ] || exit 1
echo "Nothing: the files, folders, shortcuts and the uninstall entry are gone."
