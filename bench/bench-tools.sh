# Shared by the benchmarks. Source it after setting root.

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
