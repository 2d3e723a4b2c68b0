# Sourced. start_display gives the shell a private Xvfb display when none is
# set; stop_display ends it again (the caller decides when, usually in a trap).
KEL_XVFB_PID=""

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
}

stop_display() {
  [ -n "$KEL_XVFB_PID" ] || return 0
  kill "$KEL_XVFB_PID" 2>/dev/null || true
  wait "$KEL_XVFB_PID" 2>/dev/null || true
  KEL_XVFB_PID=""
}
