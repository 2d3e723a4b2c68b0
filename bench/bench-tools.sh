# Shared by the benchmarks. Source it after setting root (and win32, the
# Windows build, for the setup projects).

# require_tools SCRIPT TOOL...: ends with 2, naming the first tool that is missing.
require_tools() {
  local script=$1 tool
  shift
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "$script: $tool is missing" >&2; exit 2; }
  done
}

# build_native_tools BUILD: kelpack and the payload maker, in a Release build of
# their own at BUILD, configured on first use.
build_native_tools() {
  if [ ! -f "$1/build.ninja" ]; then
    cmake -G Ninja -S "$root" -B "$1" -DCMAKE_BUILD_TYPE=Release -DKEL_TESTS=OFF >/dev/null
  fi
  ninja -C "$1" kelpack make_payload >/dev/null
}

# made_by MARKER MAKER: whether MARKER records MAKER as it is now, so that a
# payload made by an earlier payload maker is made again.
made_by() { [ -f "$1" ] && [ "$(cat "$1")" = "$(sha256sum < "$2")" ]; }
# record_maker MARKER MAKER: records MAKER in MARKER once its payload is complete.
record_maker() { sha256sum < "$2" > "$1"; }

# sample_project FOLDER: the sample setup project as the kit holds it, made
# afresh at FOLDER: the sample's description, skin and files, with the
# Windows build's sample program and uninstaller (from $win32) among its files.
sample_project() {
  rm -rf "$1"
  cp -r "$root/samples/setup" "$1"
  cp "$win32/samples/larknotes/LarkNotes.exe" "$win32/uninstall/uninstall.exe" "$1/Files/"
}

# install_setup BUILD PERCENT: the install benchmark's product, about 205 MB
# in about 5,000 files and 50 folders scaled by PERCENT, as a setup project in
# BUILD/install-PERCENT/project (made again when the payload maker changes)
# and its ready-to-ship setup folder in BUILD/install-PERCENT/cd, built with
# the Windows build's Setup.exe (from $win32). BUILD holds the native tools.
# The project is the sample's skin and programs with the payload in Files,
# every file installed by one wildcard; no program folder, shortcut or start.
# huge_setup BUILD GIB: a product of one sparse file of GIB GiB (zeros, then
# a few bytes) beside the sample's programs, as a setup project in
# BUILD/huge-GIB/project and its setup folder in BUILD/huge-GIB/cd.
huge_setup() {
  local work=$1/huge-$2 bytes
  bytes=$(awk -v g="$2" 'BEGIN { printf "%.0f", g * 1073741824 }')  # %d stops at 2^31 in some awks
  mkdir -p "$work"
  sample_project "$work/project"
  truncate -s "$((bytes - 16))" "$work/project/Files/huge.bin"
  printf 'the huge end....' >>"$work/project/Files/huge.bin"
  sed -i -e '/^Addfile=/d' -e 's/^Object=Setup\r$/Object=Setup\r\nAddfile=*\r/' \
    -e 's/^Folder=.*\r$/Folder=\r/' -e 's/^DesktopIcon=1/DesktopIcon=0/' -e 's/^LaunchProg=1/LaunchProg=0/' \
    "$work/project/Setup.ini"
  rm -rf "$work/cd"
  "$1/tools/kelpack/kelpack" build "$work/project" "$work/cd" --setup "$win32/app/Setup.exe" >/dev/null
}

install_setup() {
  local work=$1/install-$2
  mkdir -p "$work"
  if ! made_by "$work/project.done" "$1/bench/make_payload"; then
    rm -f "$work/project.done"
    sample_project "$work/project"
    "$1/bench/make_payload" "$work/project/Files" "$2" 50 >/dev/null
    sed -i -e '/^Addfile=/d' -e 's/^Object=Setup\r$/Object=Setup\r\nAddfile=*\r/' \
      -e 's/^Folder=.*\r$/Folder=\r/' -e 's/^DesktopIcon=1/DesktopIcon=0/' -e 's/^LaunchProg=1/LaunchProg=0/' \
      "$work/project/Setup.ini"
    record_maker "$work/project.done" "$1/bench/make_payload"
  fi
  # The programs come from the Windows build as it is now.
  cp "$win32/samples/larknotes/LarkNotes.exe" "$win32/uninstall/uninstall.exe" "$work/project/Files/"
  rm -rf "$work/cd"
  "$1/tools/kelpack/kelpack" build "$work/project" "$work/cd" --setup "$win32/app/Setup.exe" >/dev/null
}
