# Sourced: start_display gives the shell a display, a private Xvfb when none is set,
# stopped again when the shell exits.
start_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  KEL_XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$number_file" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$number_file")"
  rm -f "$number_file"
  trap 'wineserver -k 2>/dev/null || true; kill "$KEL_XVFB_PID" 2>/dev/null || true' EXIT
}
